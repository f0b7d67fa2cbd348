#pragma once

class QComboBox;
class QWidget;

namespace tk {

// Moves the focus of window to the next (or previous) control that takes the focus with
// Tab, in the window's tab order, skipping hidden and disabled controls. A drop-down list
// of the window that is open is closed first; with acceptList its highlighted line is
// chosen as a click would. Returns false when no other control can take the focus.
bool moveFocus(QWidget *window, bool forward, bool acceptList = false);

// The combo box of window whose drop-down list is open, or null.
QComboBox *openComboBox(QWidget *window);

// True when widget is window or lies inside it, also inside a drop-down of one of its
// controls (following the parent chain across popup windows).
bool belongsTo(const QWidget *widget, const QWidget *window);

} // namespace tk
