#pragma once

#include <QLineEdit>
#include <QLocale>
#include <QPointer>

#include "gui/widgets/PendingInput.h"

namespace tk {

class CalculatorPanel;
class FieldLink;
class Table;

// Number field bound to a floating-point field of a table, with a calculator drop-down (the
// button at its right edge, Alt+Down or F4). It shows the value with two decimals and no
// thousands separator ("#0.00": 0 shows as "0,00"); an emptied field stores NULL. Either
// decimal separator may be typed; a readable number is written into the record while it is
// typed.
class DbCalcEdit : public QLineEdit, public PendingInput
{
    Q_OBJECT
public:
    explicit DbCalcEdit(QWidget *parent = nullptr);
    ~DbCalcEdit() override;

    void setDataSource(Table *table);
    Table *dataSource() const;
    void setDataField(const QString &fieldName);
    QString dataField() const;

    // Shows a whole-number field in larger units: with 60 a field of minutes shows and takes
    // hours ("12,50" is 750); what is typed is stored rounded to a whole unit.
    void setUnitsPerValue(int units) { m_unitsPerValue = units; }

    bool commitInput() override;

    void showCalculator();
    bool isCalculatorVisible() const;
    CalculatorPanel *calculator() const;

    // "#0.00" with the locale's decimal separator.
    static QString formatValue(double value, const QLocale &locale = QLocale::system());
    // Reads "12,5", "12.5", "-3", ","; ok false for anything else.
    static double readValue(const QString &text, bool *ok);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void load();
    void textWasEdited(const QString &text);
    void storeValue(const QVariant &value);
    void takeResult(double value);

    FieldLink *m_link;
    QPointer<CalculatorPanel> m_panel;
    int m_unitsPerValue = 0; // 0: the field holds the value itself
};

} // namespace tk
