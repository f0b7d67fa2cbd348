#include "gui/widgets/DigitalClock.h"

namespace tk {

DigitalClock::DigitalClock(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    // Wide enough for "23:59:59" in any font without resizing the status bar every second.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) + 12);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(250); // several times a second, so a displayed second is never skipped
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(QDateTime::currentDateTime()); });
    m_timer.start();
    tick(QDateTime::currentDateTime());
}

void DigitalClock::tick(const QDateTime &now)
{
    setText(now.time().toString(QStringLiteral("HH:mm:ss")));
    if (m_alarmTime.isValid() && m_lastTick.isValid() && now > m_lastTick) {
        // The alarm moment of the day of the last tick, or of the following day.
        QDateTime due(m_lastTick.date(), m_alarmTime);
        if (due <= m_lastTick)
            due = QDateTime(m_lastTick.date().addDays(1), m_alarmTime);
        if (due <= now)
            Q_EMIT alarm(now);
    }
    m_lastTick = now;
}

} // namespace tk
