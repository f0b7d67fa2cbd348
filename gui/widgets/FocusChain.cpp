#include "gui/widgets/FocusChain.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QWidget>

namespace tk {

bool belongsTo(const QWidget *widget, const QWidget *window)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (w == window)
            return true;
    }
    return false;
}

QComboBox *openComboBox(QWidget *window)
{
    QWidget *popup = QApplication::activePopupWidget();
    if (!popup || !belongsTo(popup, window))
        return nullptr;
    for (QWidget *w = popup; w && w != window; w = w->parentWidget()) {
        if (auto *combo = qobject_cast<QComboBox *>(w))
            return combo;
    }
    return nullptr;
}

namespace {

bool takesTabFocus(const QWidget *w, const QWidget *window)
{
    return w && w != window && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible()
        && !w->focusProxy() && w->window() == window->window() && window->isAncestorOf(w);
}

void closeList(QComboBox *combo, bool accept)
{
    if (accept) {
        const QModelIndex highlighted = combo->view()->currentIndex();
        if (highlighted.isValid() && highlighted.row() != combo->currentIndex()) {
            combo->setCurrentIndex(highlighted.row());
            Q_EMIT combo->activated(highlighted.row());
        }
    }
    combo->hidePopup();
}

} // namespace

bool moveFocus(QWidget *window, bool forward, bool acceptList)
{
    QWidget *start = QApplication::focusWidget();
    if (QComboBox *combo = openComboBox(window)) {
        closeList(combo, acceptList);
        start = combo;
    }
    if (!start || !window->isAncestorOf(start))
        start = window;
    QWidget *candidate = start;
    for (int guard = 0; guard < 10000; ++guard) {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (!candidate || candidate == start)
            return false;
        if (takesTabFocus(candidate, window)) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

} // namespace tk
