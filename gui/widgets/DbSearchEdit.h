#pragma once

#include <QLineEdit>
#include <QPointer>

namespace tk {

class Table;

// The number search field of a window: it shows the key of the table's current row, and
// when the operator types a number and leaves the field (or presses Enter) the table moves
// to the row with that key; with no such row the current row stays and its key is shown
// again. Only digits are taken: any other character is refused with a beep. Escape empties
// the field. While the current row is being edited the field is disabled, and while a new
// row is being inserted it is also empty.
class DbSearchEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit DbSearchEdit(QWidget *parent = nullptr);

    // keyField is the leading index field of table.
    void setSearch(Table *table, const QString &keyField);
    Table *table() const;

    // Moves to the row with the typed number (when there is text); returns true if found.
    bool search();

Q_SIGNALS:
    // A character was refused (after the beep).
    void refused();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showCurrentKey();
    void followState();

    QPointer<Table> m_table;
    QString m_keyField;
};

} // namespace tk
