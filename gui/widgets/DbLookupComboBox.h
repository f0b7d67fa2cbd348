#pragma once

#include <QComboBox>
#include <QPointer>
#include <QStringList>

class QStandardItemModel;
class QTableView;

namespace tk {

class FieldLink;
class Table;

// Choice list bound to a key field (Personal.Schicht) whose choices come from a lookup table
// (Schicht): each line shows the lookup row's list fields side by side in separated columns
// (number, designation), up to 8 lines at a time. The first line "<keine>" chooses the empty
// value, which is also shown as "<keine>". A stored key the lookup table lacks shows nothing.
//
// Keys in the closed list: typing the start of a number chooses that row; Delete or
// Backspace choose "<keine>"; Page Up/Down, Home and End step through the list; Alt+Down or
// F4 open it. The choices are re-read from the lookup table whenever the list opens or the
// field takes the focus, so plans added meanwhile appear.
class DbLookupComboBox : public QComboBox
{
    Q_OBJECT
public:
    static constexpr const char *NoneText = "<keine>";

    explicit DbLookupComboBox(QWidget *parent = nullptr);

    void setDataSource(Table *table);
    Table *dataSource() const;
    void setDataField(const QString &fieldName);
    QString dataField() const;

    // keyField is written into the bound field; listFields are shown (';'-separated).
    void setLookup(Table *lookupTable, const QString &keyField, const QString &listFields);
    // With a delimiter the list fields of a line are shown as one text joined by it
    // ("1, Frühschicht") instead of side by side in columns.
    void setFieldsDelimiter(const QString &delimiter);

    // Without a data source the list keeps its chosen key itself (a dialog's choice):
    // null for "<keine>". A key the lookup table lacks is kept but shows nothing.
    QVariant value() const;
    void setValue(const QVariant &key);

    // Re-reads the choices from the lookup table.
    void reloadChoices();
    // Chooses the line (0 is "<keine>") as the operator would, writing the field.
    void choose(int line);
    // The key of a line; null for "<keine>".
    QVariant keyAt(int line) const;

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void load();
    void refreshLookup();
    int lineOf(const QVariant &key) const;
    QString lineText(int line) const;
    bool isBound() const;

    FieldLink *m_link;
    QPointer<Table> m_lookup;
    QString m_keyField;
    QStringList m_listFields;
    QString m_delimiter;
    QVariant m_value; // the chosen key while unbound
    QStandardItemModel *m_model;
    QTableView *m_view;
};

} // namespace tk
