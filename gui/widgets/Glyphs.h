#pragma once

#include <QIcon>

namespace tk {

// The program's pictures, drawn in code so they look the same on every machine: one
// drawing per picture, shown at whatever size a button needs.
enum class Glyph {
    First,
    Prior,
    Next,
    Last,
    Insert,
    Copy,
    Delete,
    Post,
    Cancel,
    PageSwitch,
    Print,
    Close,
    Calendar,
    Calculator,
    Account,
    Lock,
    Personnel,
    ShiftPlan,
    TimeRecording,
    MonthOverview
};

// For the windows' tool rows and drop-down buttons: the picture as drawn; disabled buttons
// show it in light grey.
QIcon glyphIcon(Glyph glyph);

// For the main window's flat tool buttons: grey in the normal mode and coloured in the
// active mode, which flat tool buttons use while the mouse pointer is over them.
QIcon hoverIcon(Glyph glyph);

// The program's own icon, for the main window, its child windows and the dialogs.
QIcon programIcon();

} // namespace tk
