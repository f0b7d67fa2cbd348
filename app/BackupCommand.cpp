#include "app/BackupCommand.h"

#include <QDir>
#include <QTextStream>

#include "app/CommandLine.h"
#include "app/DatabaseChoice.h"
#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/DatabaseBackup.h"
#include "core/db/Schema.h"

namespace tk {

int runBackupCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    return runReportingErrors(err, [&] {
        openChosenDatabase(commandLine);
        const QString file = QDir::toNativeSeparators(commandLine.output);
        if (commandLine.mode == RunMode::Restore) {
            DatabaseBackup::restore(commandLine.output);
            out << QStringLiteral("Wiederhergestellt aus %1").arg(file) << '\n';
            return int(ExitOk);
        }
        for (const QString &line : DatabaseBackup::write(commandLine.output))
            out << line << '\n';
        out << QStringLiteral("Gesichert nach %1").arg(file) << '\n';
        return int(ExitOk);
    });
}

int runCheckDatabaseCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    return runReportingErrors(err, [&] {
        // looked at as it is: no upgrade, nothing written
        Database::setUrl(chosenDatabase(commandLine), Database::Access::ReadOnly);
        QStringList findings;
        const QString problem = DatabaseBackup::integrityProblem();
        if (!problem.isEmpty())
            findings << QStringLiteral("Die Datenbank ist beschädigt: %1").arg(problem);
        for (const SchemaTable &table : schemaTables()) {
            try {
                Database::resolveTableName(table.name);
            } catch (const DbError &) {
                findings << QStringLiteral("Die Tabelle %1 fehlt.").arg(table.name);
            }
        }
        const int version = storedSchemaVersion();
        if (version != schemaVersion())
            findings << QStringLiteral("Die Tabellen haben den Stand %1, das Programm braucht %2.")
                            .arg(version)
                            .arg(schemaVersion());
        for (const QString &finding : findings)
            err << finding << '\n';
        if (!findings.isEmpty())
            return int(ExitFailed);
        out << QStringLiteral("Die Datenbank %1 ist in Ordnung (Stand %2).")
                   .arg(Database::displayName())
                   .arg(version)
            << '\n';
        return int(ExitOk);
    });
}

} // namespace tk
