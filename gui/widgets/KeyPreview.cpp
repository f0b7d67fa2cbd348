#include "gui/widgets/KeyPreview.h"

#include <QKeyEvent>
#include <QWidget>

namespace tk {

KeyPreview::KeyPreview(QWidget *window, Handler handler)
    : QObject(window)
    , m_handler(std::move(handler))
{
    window->installEventFilter(this);
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *child : children)
        child->installEventFilter(this);
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && m_handler(static_cast<QKeyEvent *>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace tk
