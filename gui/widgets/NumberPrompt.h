#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tk {

// Asks for the key of a new row: a title, a right-aligned label, one field for whole
// numbers of at most 6 digits preset with a proposal and selected, and the buttons "OK" and
// "Abbrechen". OK is available while the field holds a number.
class NumberPrompt : public QDialog
{
    Q_OBJECT
public:
    NumberPrompt(const QString &title, const QString &label, int proposal,
                 QWidget *parent = nullptr);

    int number() const;
    QString numberText() const;
    QLineEdit *field() const { return m_field; }

    // Shows the prompt modally; the number entered, or nothing on cancel.
    static std::optional<int> ask(QWidget *parent, const QString &title, const QString &label,
                                  int proposal);

private:
    QLabel *m_label;
    QLineEdit *m_field;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};

} // namespace tk
