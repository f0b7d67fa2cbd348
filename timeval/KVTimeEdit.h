#pragma once

#include "timeval/KvFieldBase.h"

namespace tk {

class KvFieldLink;
class Table;

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
class TKvDBTimeEdit : public TKvCustomTimeEdit
{
    Q_OBJECT
public:
    explicit TKvDBTimeEdit(QWidget *parent = nullptr);

    void setDataSource(Table *table);
    Table *dataSource() const;
    void setDataField(const QString &fieldName);
    QString dataField() const;

    void Change() override;
    void Reset() override;

private:
    KvFieldLink *m_link;
};

// Duration field: hours 0..999 when typed, minutes 0..59.
class TKvCustomTimeDauerEdit : public KvFieldBase
{
    Q_OBJECT
public:
    explicit TKvCustomTimeDauerEdit(QWidget *parent = nullptr);
};

// Duration field bound to an integer table field holding minutes.
class TKvDBTimeDauerEdit : public TKvCustomTimeDauerEdit
{
    Q_OBJECT
public:
    explicit TKvDBTimeDauerEdit(QWidget *parent = nullptr);

    void setDataSource(Table *table);
    Table *dataSource() const;
    void setDataField(const QString &fieldName);
    QString dataField() const;

    void Change() override;
    void Reset() override;

private:
    KvFieldLink *m_link;
};

} // namespace tk
