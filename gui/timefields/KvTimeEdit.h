#pragma once

#include "gui/timefields/KvFieldBase.h"
#include "gui/timefields/KvFieldLink.h"

namespace tk {

class Table;

// A time or duration field bound to an integer table field: created read-only and disabled
// (the link enables it while the table is open), writing on every change, reloading on
// Reset (Escape).
template <typename Field>
class KvBoundField : public Field
{
public:
    explicit KvBoundField(QWidget *parent)
        : Field(parent)
        , m_link(new KvFieldLink(this))
    {
        this->setReadOnly(true);
        this->setEnabled(false);
    }

    void setDataSource(Table *table) { m_link->setDataSource(table); }
    Table *dataSource() const { return m_link->dataSource(); }
    void setDataField(const QString &fieldName) { m_link->setDataField(fieldName); }
    QString dataField() const { return m_link->dataField(); }

    void Change() override
    {
        m_link->write();
        Field::Change();
    }
    void Reset() override { m_link->load(); }

private:
    KvFieldLink *m_link;
};

// Time-of-day field (00:00..23:59) with an optional clock face and day-type letter
// ("V" previous day, "T" same day, "F" following day; never part of the minutes value).
class TKvCustomTimeEdit : public KvFieldBase
{
    Q_OBJECT
    Q_PROPERTY(bool ShowDayTyp READ showDayTyp WRITE setShowDayTyp)
    Q_PROPERTY(bool ShowUhr READ showUhr WRITE setShowUhr)

public:
    explicit TKvCustomTimeEdit(QWidget *parent = nullptr);

    bool showDayTyp() const { return m_showDayTyp; }
    void setShowDayTyp(bool on);
    bool showUhr() const { return m_showUhr; }
    void setShowUhr(bool on);
    QChar dayType() const { return state().dayType(); }

protected:
    int decorationWidth() const override;
    void paintDecoration(QPainter &painter, const QRect &client) override;

private:
    int clockDiameter(const QRect &client) const;
    void paintClock(QPainter &painter, const QRect &face) const;

    bool m_showDayTyp = true;
    bool m_showUhr = true;
};

// The free time field of the entry dialogs.
class TKvTimeEdit : public TKvCustomTimeEdit
{
    Q_OBJECT
public:
    explicit TKvTimeEdit(QWidget *parent = nullptr);
};

// Time field bound to an integer table field holding minutes after midnight.
class TKvDBTimeEdit : public KvBoundField<TKvCustomTimeEdit>
{
    Q_OBJECT
public:
    explicit TKvDBTimeEdit(QWidget *parent = nullptr)
        : KvBoundField(parent)
    {
    }
};

// Duration field: hours 0..999 when typed, minutes 0..59.
class TKvCustomTimeDauerEdit : public KvFieldBase
{
    Q_OBJECT
public:
    explicit TKvCustomTimeDauerEdit(QWidget *parent = nullptr);
};

// Duration field bound to an integer table field holding minutes.
class TKvDBTimeDauerEdit : public KvBoundField<TKvCustomTimeDauerEdit>
{
    Q_OBJECT
public:
    explicit TKvDBTimeDauerEdit(QWidget *parent = nullptr)
        : KvBoundField(parent)
    {
    }
};

} // namespace tk
