#pragma once

namespace tk {

// The program's start: command line, then either the console commands (--create-database,
// --help, which need no display) or splash window, main window and event loop.
// Returns the exit code.
int runTaktora(int &argc, char **argv);

} // namespace tk
