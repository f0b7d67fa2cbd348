#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace tk {

// The command line mode that writes a list as a PDF file without any display:
//   taktora --data-dir DIR --pdf LIST --month YYYY-MM [--employee N] --output FILE.pdf
// LIST is summen, detail, bruttolohn, schichtplan or personal; the month is needed by the
// first three. For month-end archiving and for checking the lists from outside.
struct ListPdfOptions
{
    QString dataDir;
    QString list;
    int month = 0;
    int year = 0;
    int employee = 0;
    bool oneEmployee = false;
    QString output;
};

// Exit codes of the mode.
enum ListPdfExit {
    ListPdfWritten = 0,
    ListPdfFailed = 1,     // a table, date or file error; the message names it
    ListPdfBadCommand = 2, // the command line cannot be used
    ListPdfNoData = 3      // the list has no page; no file is written
};

bool IsListPdfCommandLine(const QStringList &arguments);
bool IsListPdfCommandLine(int argc, char *argv[]);

// arguments start with the program name. False with a German message when unusable.
bool ParseListPdfCommandLine(const QStringList &arguments, const QString &programDir,
                             ListPdfOptions *options, QString *error);

// Runs the mode with a QGuiApplication present (fonts are measured); returns the exit code.
int RunListPdfCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err);
// Entry for main(): runs on the offscreen platform, so no display is needed.
int RunListPdfCommandLine(int argc, char *argv[]);

} // namespace tk
