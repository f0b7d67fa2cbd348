#include "app/RecalcCommand.h"

#include <QTextStream>

#include "app/CommandLine.h"
#include "app/DatabaseChoice.h"
#include "core/common/Errors.h"
#include "core/recording/MonthRecalc.h"

namespace tk {

int runRecalcCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    try {
        openChosenDatabase(commandLine);
        const int failures = RecalcMonth(commandLine.month, commandLine.year, out);
        out.flush();
        if (failures == 0)
            return ExitOk;
        err << QStringLiteral("Nicht berechnet: %1 Mitarbeiter.").arg(failures) << '\n';
    } catch (const std::exception &e) {
        err << errorMessage(e) << '\n';
    }
    return ExitFailed;
}

} // namespace tk
