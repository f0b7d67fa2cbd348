#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

namespace tk {

// Backups of the open database: always a SQLite file, also of a server database, so that one
// portable form serves both. A backup is written to a temporary name beside its file, checked
// (every table's rows against the source, on a server also the minute sums; then PRAGMA
// integrity_check) and only then renamed, so a backup file is whole or not there. A SQLite
// database copies itself (VACUUM INTO), so tables of an older version are saved as they are.
struct BackupFile
{
    QString path;
    QDateTime time;
    qint64 size = 0;
};

class DatabaseBackup
{
public:
    // The automatic backups in folder, newest first.
    static QVector<BackupFile> list(const QString &folder);
    // "Personal 3, auswert 124, AuswPos 48": the main tables' rows of a backup file.
    static QString rowSummary(const QString &file);
    // The newest backup in folder that could be restored; empty when there is none.
    static QString newestSound(const QString &folder);

    // Writes the backup to file (replacing one there). Returns a line per table; throws
    // UserError (German) when it cannot be written or does not check.
    static QStringList write(const QString &file);

    // The automatic backup into folder: taktora-JJJJ-MM-TT-hhmmss.db at now, then the folder
    // is thinned (keep()). Returns the file written; throws UserError.
    static QString writeInto(const QString &folder, const QDateTime &now);

    // Which of the backups (by their time) stay: the newest 10, and the newest of each of the
    // 12 calendar months before the month of now.
    static QVector<QDateTime> keep(QVector<QDateTime> times, const QDateTime &now);

    // Why file cannot serve as the database (not sound, not a backup of this program's tables,
    // or of a newer version); empty when it can. Throws UserError when it cannot be read.
    static QString unusableBackup(const QString &file);

    // Puts the backup file in place of the open database: checks it, backs up the current
    // state into the automatic folder first (when there is one), then replaces the database,
    // so that it is the old or the new one, never a mix. A SQLite file is replaced by renaming
    // a copy of the backup over it (the connection is reopened and its tables upgraded); a
    // server's tables are emptied and refilled in one transaction. Throws UserError.
    static void restore(const QString &file);

    // Where the automatic backups go (Daten/Sicherung); empty (the default) writes none. The
    // schema upgrade backs up there before it changes the tables.
    static void setAutomaticFolder(const QString &folder);
    static QString automaticFolder();

    // The integrity of a SQLite file: empty when sound, else what SQLite reports (German
    // prefix). For the open database when file is empty. Throws DbError when it cannot be read.
    static QString integrityProblem(const QString &file = QString());
    // The same, quicker, for the start of the program (PRAGMA quick_check).
    static QString quickProblem();
};

} // namespace tk
