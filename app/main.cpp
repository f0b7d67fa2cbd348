#include "app/Startup.h"
#include "recording/core/MonthRecalc.h"

int main(int argc, char *argv[])
{
    // The month-end recalculation (--recalc YYYY-MM) runs without a display.
    if (tk::IsRecalcCommandLine(argc, argv))
        return tk::RunRecalcCommandLine(argc, argv);
    return tk::runTaktora(argc, argv);
}
