#include "app/ExportCommand.h"

#include <QDir>
#include <QTextStream>

#include "app/CommandLine.h"
#include "app/DatabaseChoice.h"
#include "core/export/PayrollExport.h"

namespace tk {

int runExportCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    return runReportingErrors(err, [&] {
        openChosenDatabase(commandLine);
        const QStringList lines = ExportPayroll(commandLine.exportFormat, commandLine.month,
                                                commandLine.year, commandLine.output);
        for (const QString &line : lines)
            out << line << '\n';
        out << QStringLiteral("Datei geschrieben: %1")
                   .arg(QDir::toNativeSeparators(commandLine.output))
            << '\n';
        return int(ExitOk);
    });
}

} // namespace tk
