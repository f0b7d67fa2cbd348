#include "gui/widgets/MdiChildren.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QPointer>

#include "gui/widgets/WaitCursor.h"
#include "gui/widgets/WindowPlacement.h"

namespace tk {

namespace {

// A child window that closes itself would leave its empty frame behind: the frame only
// closes its window, not the other way round. This filter closes the frame after the
// window accepted its own close, and lets the frame's close pass the window once only.
class FrameCloser : public QObject
{
public:
    FrameCloser(QMdiSubWindow *frame, QWidget *form)
        : QObject(frame)
        , m_frame(frame)
        , m_form(form)
    {
        frame->installEventFilter(this);
        form->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        if (watched == m_frame) {
            m_frameClosing = true;
            return false;
        }
        if (watched != m_form)
            return false;
        if (m_frameClosing) {
            m_frameClosing = false;
            // The window closed itself before: do not ask it a second time.
            return m_formClosedItself;
        }
        QMetaObject::invokeMethod(this, &FrameCloser::closeFrameIfFormClosed, Qt::QueuedConnection);
        return false;
    }

private:
    void closeFrameIfFormClosed()
    {
        if (m_form && m_form->isVisible())
            return; // the window refused to close
        // Closed, or already freed by its own WA_DeleteOnClose: the frame follows.
        m_formClosedItself = true;
        m_frame->close();
        m_formClosedItself = false; // the frame refused: the next close asks again
    }

    QMdiSubWindow *m_frame;
    QPointer<QWidget> m_form;
    bool m_frameClosing = false;
    bool m_formClosedItself = false;
};

} // namespace

QMdiSubWindow *MdiChildren::find(QMdiArea *area, const Matcher &isClass, const QString &caption)
{
    const QList<QMdiSubWindow *> frames = area->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = frames.crbegin(); it != frames.crend(); ++it) {
        QWidget *form = (*it)->widget();
        if (!form || !isClass(form))
            continue;
        if (caption.isEmpty() || form->windowTitle() == caption)
            return *it;
    }
    return nullptr;
}

QWidget *MdiChildren::showOrCreate(QMdiArea *area, const Matcher &isClass, const Factory &create,
                                   const QString &caption, bool restore)
{
    WaitCursor wait;
    QMdiSubWindow *frame = find(area, isClass, caption);
    if (!frame)
        frame = adopt(area, create(), caption);
    if (restore && frame->isMinimized())
        frame->showNormal();
    frame->show();
    frame->raise();
    area->setActiveSubWindow(frame);
    return frame->widget();
}

QMdiSubWindow *MdiChildren::adopt(QMdiArea *area, QWidget *form, const QString &caption)
{
    if (!caption.isEmpty())
        form->setWindowTitle(caption);
    // The frame would shrink the window to its smallest layout; it opens at the size the
    // window chose for itself instead, until a stored placement says otherwise.
    const QSize chosen = form->testAttribute(Qt::WA_Resized) ? form->size() : QSize();
    QMdiSubWindow *frame = area->addSubWindow(form);
    if (chosen.isValid())
        frame->resize(chosen + (frame->sizeHint() - form->sizeHint()));
    frame->setAttribute(Qt::WA_DeleteOnClose);
    new FrameCloser(frame, form);
    WindowPlacement::track(frame, WindowPlacement::sectionOf(form));
    return frame;
}

void MdiChildren::tile(QMdiArea *area)
{
    QList<QMdiSubWindow *> shown;
    QSize smallest(0, 0);
    for (QMdiSubWindow *frame : area->subWindowList(QMdiArea::CreationOrder)) {
        if (!frame->isVisible() || frame->isMinimized())
            continue;
        if (frame->isMaximized())
            frame->showNormal();
        shown << frame;
        smallest = smallest.expandedTo(frame->minimumSizeHint().expandedTo(frame->minimumSize()));
    }
    if (shown.isEmpty())
        return;
    const QRect room = area->viewport()->rect();
    const int count = int(shown.size());
    int columns = count;
    while (columns > 1 && room.width() / columns < smallest.width())
        --columns;
    const int rows = (count + columns - 1) / columns;
    const int width = room.width() / columns;
    const int height = std::max(room.height() / rows, std::min(smallest.height(), room.height()));
    for (int i = 0; i < count; ++i) {
        const int row = i / columns;
        const int top = std::min(row * (room.height() / rows), room.height() - height);
        shown.at(i)->setGeometry(QRect((i % columns) * width, top, width, height));
    }
}

} // namespace tk
