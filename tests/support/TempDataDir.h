#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

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

    // The one way tests seed and change data: one statement with bound values, run on the
    // database of the process; an error ends the test program, as seeding must not fail
    // silently.
    static void exec(const QString &sql, const QVariantList &binds = {});

private:
    QTemporaryDir m_dir;
};

} // namespace tk::test
