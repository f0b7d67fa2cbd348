#include "app/ImportCommand.h"

#include <QDir>
#include <QTextStream>

#include "app/CommandLine.h"
#include "app/DatabaseChoice.h"
#include "core/import/ParadoxImport.h"

namespace tk {

int runImportParadoxCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    return runReportingErrors(err, [&] {
        openChosenDatabase(commandLine);
        const QString held = ParadoxImport::existingRows();
        if (!held.isEmpty() && !commandLine.replace) {
            err << QStringLiteral("Die Datenbank enthält schon Daten (%1). Mit --replace "
                                  "ersetzen die Altdaten sie, nachdem sie gesichert sind.")
                       .arg(held)
                << '\n';
            return int(ExitFailed);
        }
        const auto existing = commandLine.replace ? ParadoxImport::Existing::Replace
                                                  : ParadoxImport::Existing::Refuse;
        for (const QString &line :
             ParadoxImport::reportLines(ParadoxImport::run(commandLine.output, existing)))
            out << line << '\n';
        out << QStringLiteral("Übernommen aus %1").arg(QDir::toNativeSeparators(commandLine.output))
            << '\n';
        return int(ExitOk);
    });
}

} // namespace tk
