#pragma once

#include <QComboBox>
#include <QStringList>

namespace tk {

// A drop-down list whose items stand for codes: Items are the texts shown, Values the codes
// handed over at the same index. Value reads and selects by code, without regard to case.
class TValueComboBox : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ items WRITE setItems)
    Q_PROPERTY(QStringList Values READ values WRITE setValues)
    Q_PROPERTY(bool EnableValues READ enableValues WRITE setEnableValues)
    Q_PROPERTY(QString Value READ value WRITE setValue)

public:
    explicit TValueComboBox(QWidget *parent = nullptr);

    QStringList items() const;
    void setItems(const QStringList &items);
    QStringList values() const { return m_values; }
    void setValues(const QStringList &values) { m_values = values; }

    // While on, the box stays a choose-only list and Text reads as the selected code.
    bool enableValues() const { return m_enableValues; }
    void setEnableValues(bool on);
    // Typed text is refused while EnableValues is on.
    void setEditable(bool editable);

    // The code at the selected index; empty with no selection or no code at that index.
    QString value() const;
    // Selects the first item whose code equals value (case-insensitive); an empty value,
    // no match, or a match without an item selects nothing.
    void setValue(const QString &value);
    // The selected code while EnableValues is on, else the shown text.
    QString text() const;

private:
    QStringList m_values;
    bool m_enableValues = true;
};

} // namespace tk
