#pragma once

#include <QString>
#include <QTemporaryDir>

namespace tk::test {

// A fresh data folder with the empty tables, made the database of the process for the
// lifetime of the object.
class TempDataDir
{
public:
    // withDatabase false leaves the folder empty (no taktora.db).
    explicit TempDataDir(bool withDatabase = true);
    ~TempDataDir();
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    bool isValid() const { return m_dir.isValid(); }

    // Runs statements on the database directly (test setup); fails the test on an error.
    static void exec(const QString &sql);

private:
    QTemporaryDir m_dir;
};

} // namespace tk::test
