#pragma once

#include <QList>
#include <QString>
#include <QStyle>

#include "gui/widgets/Glyphs.h"

class QToolButton;
class QWidget;

namespace tk {

class DbNavigator;
class Table;

// Small pieces the data windows share.

// A tool row button known by its hint (tooltip), reachable with Tab.
QToolButton *toolButton(QWidget *parent, Glyph glyph, const QString &hint, const char *name);

// A flat button with a style icon that never takes the focus (the keys do its work): moving
// through days or months.
QToolButton *navigationButton(QWidget *parent, const QString &name, QStyle::StandardPixmap icon,
                              const QString &hint);

// The buttons of a navigator in their order, for the window's tab order.
QList<QWidget *> navigatorButtons(const DbNavigator *navigator);

// Sets the tab order to the given sequence.
void chainFocus(const QList<QWidget *> &order);

// Opens table; on failure shows message in the error box and closes window once the
// event loop runs again (the frame that hosts it goes with it). Returns false then.
bool openTableOrReport(QWidget *window, Table *table, const QString &message);

} // namespace tk
