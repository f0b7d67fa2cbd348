#include "app/Startup.h"

int main(int argc, char *argv[])
{
    return tk::runTaktora(argc, argv);
}
