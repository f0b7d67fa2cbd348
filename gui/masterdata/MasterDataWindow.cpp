#include "gui/masterdata/MasterDataWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/widgets/DbNavigator.h"
#include "gui/widgets/FormTools.h"
#include "gui/widgets/PageArea.h"

namespace tk {

MasterDataWindow::MasterDataWindow(const QString &title, QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(title);
    // Keys reach the window even while no control can take the focus (an empty table).
    setFocusPolicy(Qt::ClickFocus);
}

QWidget *MasterDataWindow::buildToolRow(DbNavigator *navigator)
{
    auto *row = new QWidget(this);
    btnPageSwitch =
        toolButton(row, Glyph::PageSwitch, QStringLiteral("Liste/Daten (F5)"), "btnPageSwitch");
    btnPrint = toolButton(row, Glyph::Print, QStringLiteral("Drucken (Strg+P)"), "btnPrint");
    btnClose = toolButton(row, Glyph::Close, QStringLiteral("Schließen"), "btnClose");
    connect(btnPageSwitch, &QToolButton::clicked, this, &MasterDataWindow::btnPageSwitchClick);
    connect(btnPrint, &QToolButton::clicked, this, &MasterDataWindow::btnPrintClick);
    connect(btnClose, &QToolButton::clicked, this, &MasterDataWindow::btnCloseClick);

    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(navigator);
    layout->addWidget(btnPageSwitch);
    layout->addWidget(btnPrint);
    layout->addWidget(btnClose);
    layout->addStretch(1);
    return row;
}

void MasterDataWindow::layoutFrame(QWidget *toolRow, PageArea *pages)
{
    m_pages = pages;
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(toolRow);
    layout->addWidget(pages, 1);
}

QList<QWidget *> MasterDataWindow::toolButtons() const
{
    return {btnPageSwitch, btnPrint, btnClose};
}

void MasterDataWindow::focusStart(QWidget *first)
{
    if (m_pages->isPageEnabled(0))
        first->setFocus();
    else
        setFocus();
}

void MasterDataWindow::btnPageSwitchClick()
{
    m_pages->switchPage();
}

void MasterDataWindow::btnCloseClick()
{
    close();
}

void MasterDataWindow::closeEvent(QCloseEvent *event)
{
    // A pending edit that cannot be stored keeps the window open: nothing typed is lost.
    if (!storePendingEdits()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace tk
