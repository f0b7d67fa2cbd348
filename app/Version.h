#pragma once

#include <QString>

namespace tk {

// The program's version text ("1.0.0.1", from the build) and version date (the
// modification date of the program's own file in the short date format). Set once at
// start-up; read by the splash window and the status bar.
class Version
{
public:
    static void initialize();
    static QString text();
    static QString date();
    // "V " + version text + " / " + version date, as the status bar shows it.
    static QString panelText();

    // The date part on its own, for any file: empty when the file does not exist.
    static QString fileDate(const QString &filePath);
};

} // namespace tk
