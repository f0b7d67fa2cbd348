#include "gui/widgets/DbSearchEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

#include "core/db/Table.h"
#include "gui/widgets/ErrorGuard.h"

namespace tk {

DbSearchEdit::DbSearchEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setMaxLength(9); // fits a 32-bit key
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral(R"(\d*)")), this));
    connect(this, &QLineEdit::returnPressed, this, [this] { search(); });
}

void DbSearchEdit::setSearch(Table *table, const QString &keyField)
{
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    m_keyField = keyField;
    if (table) {
        connect(table, &Table::recordChanged, this, [this](const QString &fieldName) {
            if (fieldName.isEmpty() || fieldName.compare(m_keyField, Qt::CaseInsensitive) == 0)
                showCurrentKey();
        });
        connect(table, &Table::stateChanged, this, &DbSearchEdit::followState);
        connect(table, &Table::activeChanged, this, &DbSearchEdit::followState);
    }
    followState();
}

Table *DbSearchEdit::table() const
{
    return m_table;
}

void DbSearchEdit::followState()
{
    const bool open = m_table && m_table->isOpen();
    setEnabled(open && !m_table->isEditing());
    showCurrentKey();
}

void DbSearchEdit::showCurrentKey()
{
    Table *t = m_table;
    QString text;
    if (t && t->isOpen() && t->state() != Table::State::Insert && !t->isEmpty()) {
        const int column = t->fieldIndex(m_keyField);
        const QVariant key = column >= 0 ? t->value(column) : QVariant();
        if (!key.isNull())
            text = QString::number(key.toLongLong());
    }
    if (text != QLineEdit::text())
        setText(text);
}

bool DbSearchEdit::search()
{
    Table *t = m_table;
    const QString typed = text().trimmed();
    bool found = false;
    if (t && t->isOpen() && !typed.isEmpty()) {
        bool ok = false;
        const int key = typed.toInt(&ok);
        if (ok)
            runGuarded(this, [&] { found = t->findKey({key}); });
    }
    showCurrentKey();
    return found;
}

void DbSearchEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        clear();
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (printable && !command && !typed.at(0).isDigit()) {
        QApplication::beep();
        Q_EMIT refused();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DbSearchEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    const QString current = text();
    if (current.isEmpty() || isModified())
        search();
    setModified(false);
}

} // namespace tk
