#include "gui/timefields/KvFieldLink.h"

#include "core/common/Errors.h"
#include "core/db/Table.h"
#include "gui/timefields/KvFieldBase.h"

namespace tk {

namespace {

// Resets a flag when the scope ends, also when a write fails.
class FlagScope
{
public:
    explicit FlagScope(bool &flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &m_flag;
};

} // namespace

KvFieldLink::KvFieldLink(KvFieldBase *field)
    : QObject(field)
    , m_field(field)
{
}

void KvFieldLink::setDataSource(Table *table)
{
    if (m_table == table)
        return;
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    if (table) {
        connect(table, &Table::activeChanged, this, &KvFieldLink::followActive);
        connect(table, &Table::recordChanged, this, &KvFieldLink::recordChanged);
        // A cancelled or posted edit shows the stored value again.
        connect(table, &Table::stateChanged, this, [this](Table::State state) {
            if (state == Table::State::Browse)
                load();
        });
        connect(table, &QObject::destroyed, this, &KvFieldLink::sourceDestroyed);
    }
    followActive();
}

Table *KvFieldLink::dataSource() const
{
    return m_table;
}

void KvFieldLink::setDataField(const QString &fieldName)
{
    m_fieldName = fieldName;
    if (isActive())
        load();
}

bool KvFieldLink::isActive() const
{
    return m_table && m_table->isOpen();
}

bool KvFieldLink::hasField() const
{
    return isActive() && !m_fieldName.isEmpty() && m_table->fieldIndex(m_fieldName) >= 0;
}

void KvFieldLink::followActive()
{
    if (isActive()) {
        m_field->setEnabled(true);
        load();
    } else {
        m_field->showEmpty();
        m_field->setEnabled(false);
    }
}

void KvFieldLink::recordChanged(const QString &fieldName)
{
    if (fieldName.isEmpty() || fieldName.compare(m_fieldName, Qt::CaseInsensitive) == 0)
        load();
}

// The table is going away: QPointer has already let go of it, so it must not be touched.
void KvFieldLink::sourceDestroyed()
{
    m_field->showEmpty();
    m_field->setEnabled(false);
}

void KvFieldLink::load()
{
    if (m_writing)
        return;
    FlagScope loading(m_loading);
    m_field->restartTyping(); // another record or value: half-typed digits do not carry over
    m_unshownAtEdit = -1;
    m_field->setToolTip(QString());
    try {
        if (!hasField()) {
            m_field->setEmptyFlag(true);
        } else {
            const Field field = m_table->field(m_fieldName);
            bool isNumber = false;
            const qlonglong stored = field.isNull() ? 0 : field.value().toLongLong(&isNumber);
            if (field.isNull()) {
                m_field->showEmpty();
            } else if (!isNumber || stored < 0 || stored > 0xFFFF) {
                showUnshowable(QStringLiteral("Der gespeicherte Wert \"%1\" ist keine Minutenzahl.")
                                   .arg(field.value().toString()));
            } else {
                m_field->setEmptyFlag(false);
                m_field->SetMinutes(quint16(stored));
            }
        }
    } catch (const TimeEncodingError &error) {
        showUnshowable(error.message());
    } catch (const std::exception &error) {
        showUnshowable(QString::fromUtf8(error.what()));
    }
    m_field->update();
}

// The field stays empty and keeps the stored value untouched (Escape or a day-type letter
// writes nothing) until the operator enters a value.
void KvFieldLink::showUnshowable(const QString &message)
{
    m_field->showEmpty();
    m_field->setToolTip(message);
    m_unshownAtEdit = m_field->valueEditCount();
}

void KvFieldLink::write()
{
    if (m_loading || !hasField())
        return;
    if (m_unshownAtEdit >= 0) {
        if (m_field->valueEditCount() == m_unshownAtEdit)
            return;
        m_unshownAtEdit = -1;
        m_field->setToolTip(QString());
    }
    FlagScope writing(m_writing);
    Field field = m_table->field(m_fieldName);
    if (m_field->isEmpty() && m_field->hours() == 0 && m_field->minutes() == 0)
        field.clear();
    else
        field.setAsInteger(m_field->GetMinutes());
}

} // namespace tk
