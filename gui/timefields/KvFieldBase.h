#pragma once

#include "core/common/TimeEntryState.h"

#include <QWidget>

namespace tk {

class KvFieldLink;

// The custom-drawn, focusable control that the time field and the duration field share:
// it turns keys, mouse presses and focus changes into the input state machine and paints
// hours and minutes right-aligned with the active part highlighted.
class KvFieldBase : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(BorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(bool TabOnEnterKey READ tabOnEnterKey WRITE setTabOnEnterKey)

public:
    enum class BorderStyle { None, Single };
    Q_ENUM(BorderStyle)
    using Part = TimeEntryState::Part;

    // hours * 60 + minutes in 16 bits; an emptied field gives 0.
    quint16 GetMinutes() const { return m_state.minutesValue(); }
    // Shows value as hours and minutes; does nothing when the field holds these already.
    // Never fires OnChange. A time field throws TimeEncodingError for 1440 or more.
    void SetMinutes(quint16 value);

    // A value was entered: repaint and fire OnChange (bound fields write first).
    virtual void Change();
    // Escape: nothing here; bound fields reload the stored value.
    virtual void Reset();

    BorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(BorderStyle style);
    // Kept for the form only: it does not stop typing.
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool tabOnEnterKey() const { return m_state.tabOnEnterKey(); }
    void setTabOnEnterKey(bool on) { m_state.setTabOnEnterKey(on); }
    // Time field: 24:00 may be typed or set, as the end of a working day.
    bool allowDayEnd() const { return m_state.allowDayEnd(); }
    void setAllowDayEnd(bool on) { m_state.setAllowDayEnd(on); }

    int hours() const { return m_state.hours(); }
    int minutes() const { return m_state.minutes(); }
    bool isEmpty() const { return m_state.isEmpty(); }
    Part activePart() const { return m_state.activePart(); }
    int digitPosition() const { return m_state.digitPosition(); }
    TimeFieldKind kind() const { return m_state.kind(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void OnChange(QWidget *sender);
    // A key was refused because it would give an impossible time; the field beeped.
    void refused(QWidget *sender);
    // The focus moved on to another control of the window.
    void OnExit(QWidget *sender);

protected:
    KvFieldBase(TimeFieldKind kind, QWidget *parent);

    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

    // Room and painting left of the text (clock face, day-type letter).
    virtual int decorationWidth() const { return 0; }
    virtual void paintDecoration(QPainter &, const QRect &) {}

    const TimeEntryState &state() const { return m_state; }
    QRect clientRect() const;

private:
    enum class KeyAction {
        None,
        StepUp,
        StepDown,
        SwitchPart,
        Separator,
        Clear,
        TakeNow,
        Escape,
        Enter,
        Digit,
        DayLetter
    };
    KeyAction classify(const QKeyEvent *event) const;
    bool handleKey(const QKeyEvent *event);
    bool apply(const TimeEntryState::Outcome &outcome);

    QString templateText() const;
    QString hoursText(const char *format) const;
    int textLeft(const QFontMetrics &metrics) const;
    void paintText(QPainter &painter, const QRect &client);

    // Used by the data link of the bound fields.
    void restartTyping();
    void showEmpty();
    void setEmptyFlag(bool empty) { m_state.setEmptyFlag(empty); }
    int valueEditCount() const { return m_valueEdits; }
    friend class KvFieldLink;

    TimeEntryState m_state;
    BorderStyle m_borderStyle = BorderStyle::Single;
    bool m_readOnly = false;
    int m_valueEdits = 0; // counts inputs that set hours, minutes or the empty flag
};

} // namespace tk
