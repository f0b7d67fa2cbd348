#include "gui/widgets/ValueComboBox.h"

namespace tk {

TValueComboBox::TValueComboBox(QWidget *parent)
    : QComboBox(parent)
{
    QComboBox::setEditable(false);
}

QStringList TValueComboBox::items() const
{
    QStringList texts;
    texts.reserve(count());
    for (int i = 0; i < count(); ++i)
        texts << itemText(i);
    return texts;
}

void TValueComboBox::setItems(const QStringList &items)
{
    clear();
    addItems(items);
}

void TValueComboBox::setEnableValues(bool on)
{
    m_enableValues = on;
    if (on)
        QComboBox::setEditable(false);
}

void TValueComboBox::setEditable(bool editable)
{
    QComboBox::setEditable(editable && !m_enableValues);
}

QString TValueComboBox::value() const
{
    const int index = currentIndex();
    if (index < 0 || index >= m_values.size())
        return QString();
    return m_values.at(index);
}

void TValueComboBox::setValue(const QString &value)
{
    int index = -1;
    if (!value.isEmpty()) {
        for (int i = 0; i < m_values.size(); ++i) {
            if (m_values.at(i).compare(value, Qt::CaseInsensitive) == 0) {
                index = i;
                break;
            }
        }
        if (index >= count())
            index = -1;
    }
    setCurrentIndex(index); // fires currentIndexChanged when the selection moves
}

QString TValueComboBox::text() const
{
    return m_enableValues ? value() : currentText();
}

} // namespace tk
