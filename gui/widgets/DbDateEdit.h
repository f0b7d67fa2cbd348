#pragma once

#include <QDate>
#include <QLineEdit>
#include <QPointer>

#include "gui/widgets/PendingInput.h"

class QCalendarWidget;

namespace tk {

class FieldLink;
class PopupPanel;
class Table;

// Date field bound to a date field of a table, with a calendar drop-down (the button at its
// right edge, Alt+Down or F4). It shows the locale's short date with a four-digit year and
// stays empty for NULL; emptying the text stores NULL. A complete date is written into the
// record while it is typed; text that is no date is refused when the field is left.
class DbDateEdit : public QLineEdit, public PendingInput
{
    Q_OBJECT
public:
    explicit DbDateEdit(QWidget *parent = nullptr);
    ~DbDateEdit() override;

    void setDataSource(Table *table);
    Table *dataSource() const;
    void setDataField(const QString &fieldName);
    QString dataField() const;

    bool commitInput() override;

    void showCalendar();
    bool isCalendarVisible() const;
    QCalendarWidget *calendar() const { return m_calendar; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void load();
    void textWasEdited(const QString &text);
    void storeDate(const QDate &date);
    void chooseFromCalendar(const QDate &date);
    void reportUnreadable(const QString &text);
    QDate storedDate() const;

    FieldLink *m_link;
    QPointer<PopupPanel> m_panel;
    QCalendarWidget *m_calendar = nullptr;
};

} // namespace tk
