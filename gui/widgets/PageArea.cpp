#include "gui/widgets/PageArea.h"

#include <QApplication>

namespace tk {

PageArea::PageArea(QWidget *parent)
    : QStackedWidget(parent)
{
}

void PageArea::setPageFocus(int page, QWidget *control)
{
    m_pageFocus.insert(page, control);
}

void PageArea::switchPage()
{
    showPage(currentIndex() == 0 ? 1 : 0);
}

void PageArea::showPage(int page)
{
    if (page < 0 || page >= count() || page == currentIndex())
        return;
    QWidget *old = currentWidget();
    QWidget *focused = QApplication::focusWidget();
    const bool focusLeaves =
        !focused || !window()->isAncestorOf(focused) || (old && old->isAncestorOf(focused));
    setCurrentIndex(page);
    QWidget *target = m_pageFocus.value(page);
    if (focusLeaves && target && target->isEnabled() && target->isVisible())
        target->setFocus(Qt::OtherFocusReason);
}

void PageArea::setPageEnabled(int page, bool enabled)
{
    if (QWidget *w = widget(page))
        w->setEnabled(enabled);
}

bool PageArea::isPageEnabled(int page) const
{
    const QWidget *w = widget(page);
    return w && w->isEnabled();
}

} // namespace tk
