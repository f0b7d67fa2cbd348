#include "app/GermanLocale.h"
#include "app/ListPdfCommand.h"
#include "app/Startup.h"
#include "core/recording/MonthRecalc.h"

int main(int argc, char *argv[])
{
    tk::PreferGermanLocaleWhenUnset();
    // The month-end recalculation (--recalc YYYY-MM) runs without a display.
    if (tk::IsRecalcCommandLine(argc, argv))
        return tk::RunRecalcCommandLine(argc, argv);
    // A list as a PDF file (--pdf LIST --month YYYY-MM --output FILE) without a display.
    if (tk::IsListPdfCommandLine(argc, argv))
        return tk::RunListPdfCommandLine(argc, argv);
    return tk::runTaktora(argc, argv);
}
