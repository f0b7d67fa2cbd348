#include "gui/widgets/CopyKeyOutOfMenus.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>

namespace tk {

CopyKeyOutOfMenus::CopyKeyOutOfMenus(QWidget *window)
    : QObject(window)
{
    for (QLineEdit *edit : window->findChildren<QLineEdit *>())
        edit->installEventFilter(this);
}

bool CopyKeyOutOfMenus::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (!edit || event->type() != QEvent::ContextMenu)
        return false;
    QMenu *menu = edit->createStandardContextMenu();
    // Qt appends the key after a tab: "&Kopieren\tStrg+C".
    const QString copyKey = QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText);
    for (QAction *action : menu->actions()) {
        if (action->text().section(QLatin1Char('\t'), 1) == copyKey)
            action->setText(action->text().section(QLatin1Char('\t'), 0, 0));
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
    return true;
}

} // namespace tk
