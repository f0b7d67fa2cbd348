#pragma once

#include <QHash>
#include <QPointer>
#include <QStackedWidget>

namespace tk {

// Pages whose tabs are never shown: the window switches them itself (F5, "Liste/Daten").
// The first page shows when the window opens.
class PageArea : public QStackedWidget
{
    Q_OBJECT
public:
    explicit PageArea(QWidget *parent = nullptr);

    // The control that takes the focus when the page is switched to while the focus was on
    // the page left (or nowhere in the window).
    void setPageFocus(int page, QWidget *control);

    // Shows page 2 when page 1 is shown, otherwise page 1.
    void switchPage();
    void showPage(int page);
    void setPageEnabled(int page, bool enabled);
    bool isPageEnabled(int page) const;

private:
    QHash<int, QPointer<QWidget>> m_pageFocus;
};

} // namespace tk
