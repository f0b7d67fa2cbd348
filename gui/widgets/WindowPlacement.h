#pragma once

#include <QString>

class QWidget;

namespace tk {

// Position, size and state (normal, minimised, maximised) of a window kept between runs in
// the program's placement file, one section per window class ("TFormMain", "TFormPers", ...).
// The window is a top-level window or the frame of a child window (QMdiSubWindow).
//
// The file is named after the program with ".INI" and lives in the user's configuration
// folder, e.g. ~/.config/Taktora/taktora.INI.
class WindowPlacement
{
public:
    static QString filePath();
    // Tests and special starts point the placement file elsewhere; empty restores the default.
    static void setFilePath(const QString &path);

    // Applies the stored placement; a missing or unusable entry leaves the window as it is.
    // Returns true when a placement was applied.
    static bool restore(QWidget *window, const QString &section);
    static void save(QWidget *window, const QString &section);

    // Restores now and stores the placement whenever the window is hidden, which includes
    // closing it. Remembers the last normal geometry so that a minimised or maximised
    // window stores the size it returns to.
    static void track(QWidget *window, const QString &section);

    // Section of a window class: its class name without namespace ("tk::TFormPers" ->
    // "TFormPers").
    static QString sectionOf(const QWidget *form);

    // Free-form values of a section (the main window keeps its tool bar arrangement here).
    static void saveValue(const QString &section, const QString &key, const QByteArray &value);
    static QByteArray value(const QString &section, const QString &key);
};

} // namespace tk
