#pragma once

#include <QDateTime>
#include <QLabel>
#include <QTime>
#include <QTimer>

namespace tk {

// A status bar clock: shows the current time with seconds and raises an alarm once a day
// at the alarm time (the main window refreshes its date panel with it).
class DigitalClock : public QLabel
{
    Q_OBJECT
public:
    explicit DigitalClock(QWidget *parent = nullptr);

    void setAlarmTime(const QTime &time) { m_alarmTime = time; }

    // Shows the given moment and raises the alarm when the alarm time lies after the
    // moment shown before and not after this one. Driven by the timer; tests call it.
    void tick(const QDateTime &now);

Q_SIGNALS:
    void alarm(const QDateTime &at);

private:
    QTimer m_timer;
    QTime m_alarmTime;
    QDateTime m_lastTick;
};

} // namespace tk
