#pragma once

#include <QIcon>

namespace tk {

// The pictures of the main window's tool buttons, drawn in code. Each icon is grey in its
// normal mode and coloured in its active mode, which flat tool buttons use while the mouse
// pointer is over them.
enum class ToolPicture { Exit, Print, PrinterSetup, Personnel, ShiftPlan, TimeRecording };

QIcon toolIcon(ToolPicture picture);

// The program's own icon, for the main window, its child windows and the dialogs.
QIcon programIcon();

// A grey copy of a picture that keeps its transparency.
QImage greyed(const QImage &image);

} // namespace tk
