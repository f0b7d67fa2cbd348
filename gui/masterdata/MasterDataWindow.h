#pragma once

#include <QWidget>

class QToolButton;

namespace tk {

class DbNavigator;
class PageArea;

// The frame the master data windows share: a tool row with the main table's navigator and
// the buttons "Liste/Daten (F5)", "Drucken (Strg+P)" and "Schließen" over a page area with
// the edit page and the list page. Closing stores a pending edit first; an edit that cannot
// be stored keeps the window open, so nothing typed is lost.
class MasterDataWindow : public QWidget
{
    Q_OBJECT
public:
    bool tablesOpen() const { return m_tablesOpen; }

public Q_SLOTS:
    void btnPageSwitchClick();
    // Previews the window's list; it reads the stored records with its own tables.
    virtual void btnPrintClick() = 0;
    void btnCloseClick();

protected:
    MasterDataWindow(const QString &title, QWidget *parent);

    // Builds the tool row: navigator (created with the window as parent), then the buttons.
    QWidget *buildToolRow(DbNavigator *navigator);
    // Puts the tool row over pages, which the page switch button then turns.
    void layoutFrame(QWidget *toolRow, PageArea *pages);
    // The tool row buttons after the navigator, in tab order.
    QList<QWidget *> toolButtons() const;
    // Gives the focus to first when the edit page is enabled, else to the window itself,
    // so keys still reach it while no control can take the focus (an empty table).
    void focusStart(QWidget *first);

    // Stores what is being edited; false when it could not be stored.
    virtual bool storePendingEdits() = 0;
    void closeEvent(QCloseEvent *event) override;

    bool m_tablesOpen = false;
    QToolButton *btnPageSwitch = nullptr;
    QToolButton *btnPrint = nullptr;
    QToolButton *btnClose = nullptr;

private:
    PageArea *m_pages = nullptr;
};

} // namespace tk
