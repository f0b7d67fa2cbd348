#pragma once

class QTextStream;

namespace tk {

struct CommandLine;

// "taktora --pdf LIST --month YYYY-MM [--employee N] --output FILE.pdf": writes a list as a
// PDF file, for month-end archiving and for checking the lists from outside. Needs a
// QGuiApplication (fonts are measured) but no display. The output is checked before the
// database is touched and replaced only by a complete file. Returns an ExitCode.
int runListPdfCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err);

} // namespace tk
