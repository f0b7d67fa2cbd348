#include "app/GermanLocale.h"
#include "app/Startup.h"

int main(int argc, char *argv[])
{
    tk::PreferGermanLocaleWhenUnset();
    return tk::runTaktora(argc, argv);
}
