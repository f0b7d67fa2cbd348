#include "gui/widgets/PopupPanel.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace tk {

PopupPanel::PopupPanel(QWidget *anchor)
    : QFrame(nullptr, Qt::Popup)
    , m_anchor(anchor)
{
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAttribute(Qt::WA_WindowPropagation);
}

void PopupPanel::popup()
{
    if (!m_anchor)
        return;
    adjustSize();
    const QPoint below = m_anchor->mapToGlobal(QPoint(0, m_anchor->height()));
    QPoint at = below;
    if (const QScreen *screen = m_anchor->screen()) {
        const QRect area = screen->availableGeometry();
        if (at.y() + height() > area.bottom())
            at.setY(m_anchor->mapToGlobal(QPoint(0, 0)).y() - height());
        at.setX(std::max(area.left(), std::min(at.x(), area.right() - width())));
    }
    move(at);
    show();
    activateWindow();
}

void PopupPanel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QFrame::keyPressEvent(event);
}

void PopupPanel::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    if (m_anchor)
        m_anchor->setFocus(Qt::PopupFocusReason);
    Q_EMIT closed();
}

} // namespace tk
