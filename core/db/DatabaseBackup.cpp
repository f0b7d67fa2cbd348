#include "core/db/DatabaseBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/DatabaseCopy.h"
#include "core/db/DatabaseUrl.h"
#include "core/db/ScopedConnection.h"
#include "core/db/SqlDialect.h"

namespace tk {

namespace {

const QString NamePattern = QStringLiteral("'taktora-'yyyy-MM-dd-HHmmss'.db'");
constexpr int NewestKept = 10;
constexpr int MonthsKept = 12;

QString integrityOf(QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA integrity_check")))
        throw Database::error(QStringLiteral("Prüfen der Datenbank"), q.lastError());
    QStringList problems;
    while (q.next()) {
        const QString line = q.value(0).toString();
        if (line != QLatin1String("ok"))
            problems << line;
    }
    return problems.join(QLatin1Char('\n'));
}

void removeFile(const QString &file)
{
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(file + QLatin1String(suffix));
}

} // namespace

QStringList DatabaseBackup::write(const QString &file)
{
    const QString temporary = file + QStringLiteral(".tmp");
    removeFile(temporary);
    QStringList report;
    try {
        report = DatabaseCopy::copyTo(DatabaseUrl::sqliteFile(temporary));
        const QString problem = integrityProblem(temporary);
        if (!problem.isEmpty())
            throw UserError(QStringLiteral("Die Sicherung ist beschädigt: %1").arg(problem));
    } catch (...) {
        removeFile(temporary);
        throw;
    }
    removeFile(file);
    if (!QFile::rename(temporary, file)) {
        removeFile(temporary);
        throw UserError(QStringLiteral("Die Sicherung kann nicht als \"%1\" abgelegt werden.")
                            .arg(QDir::toNativeSeparators(file)));
    }
    return report;
}

QString DatabaseBackup::writeInto(const QString &folder, const QDateTime &now)
{
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable())
        throw UserError(QStringLiteral("Der Sicherungsordner \"%1\" kann nicht beschrieben werden.")
                            .arg(QDir::toNativeSeparators(folder)));
    const QString file = QDir(folder).filePath(now.toString(NamePattern));
    write(file);
    QDir dir(folder);
    QVector<QDateTime> times;
    QHash<QDateTime, QString> names;
    for (const QString &name : dir.entryList({QStringLiteral("taktora-*.db")}, QDir::Files)) {
        const QDateTime time = QDateTime::fromString(name, NamePattern);
        if (time.isValid()) {
            times << time;
            names.insert(time, name);
        }
    }
    const QVector<QDateTime> kept = keep(times, now);
    for (const QDateTime &time : times) {
        if (!kept.contains(time))
            QFile::remove(dir.filePath(names.value(time)));
    }
    return file;
}

QVector<QDateTime> DatabaseBackup::keep(QVector<QDateTime> times, const QDateTime &now)
{
    std::sort(times.begin(), times.end(), std::greater<>());
    QVector<QDateTime> kept = times.mid(0, NewestKept);
    const QDate thisMonth(now.date().year(), now.date().month(), 1);
    for (int back = 1; back <= MonthsKept; ++back) {
        const QDate month = thisMonth.addMonths(-back);
        const auto newest = std::find_if(times.begin(), times.end(), [&month](const QDateTime &t) {
            return t.date().year() == month.year() && t.date().month() == month.month();
        });
        if (newest != times.end() && !kept.contains(*newest))
            kept << *newest;
    }
    return kept;
}

QString DatabaseBackup::integrityProblem(const QString &file)
{
    if (file.isEmpty()) {
        QSqlDatabase db = Database::connection();
        if (SqlDialect::isServer(db))
            return QString(); // a server keeps its own pages whole
        return integrityOf(db);
    }
    if (!QFileInfo::exists(file))
        throw UserError(
            QStringLiteral("Die Datei \"%1\" gibt es nicht.").arg(QDir::toNativeSeparators(file)));
    ScopedConnection check(QStringLiteral("taktora_backup_check"), DatabaseUrl::sqliteFile(file));
    if (!check.db().open())
        return QStringLiteral("Die Datei lässt sich nicht öffnen: %1")
            .arg(check.db().lastError().text());
    return integrityOf(check.db());
}

} // namespace tk
