#include "gui/widgets/FormTools.h"

#include <QToolButton>
#include <QWidget>

#include "core/db/Table.h"
#include "gui/widgets/DbNavigator.h"
#include "gui/widgets/MessageBoxes.h"

namespace tk {

QToolButton *toolButton(QWidget *parent, Glyph glyph, const QString &hint, const char *name)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(glyphIcon(glyph));
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QToolButton *navigationButton(QWidget *parent, const QString &name, QStyle::StandardPixmap icon,
                              const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QList<QWidget *> navigatorButtons(const DbNavigator *navigator)
{
    QList<QWidget *> buttons;
    for (DbNavigator::Button which : navigator->buttons())
        buttons << navigator->button(which);
    return buttons;
}

void chainFocus(const QList<QWidget *> &order)
{
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

bool openTableOrReport(QWidget *window, Table *table, const QString &message)
{
    try {
        table->open();
        return true;
    } catch (const std::exception &) {
        // The engine's own message is replaced by the window's, which names the table.
    }
    showError(window, message);
    QMetaObject::invokeMethod(
        window, [window] { window->close(); }, Qt::QueuedConnection);
    return false;
}

} // namespace tk
