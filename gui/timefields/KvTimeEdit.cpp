#include "gui/timefields/KvTimeEdit.h"

#include "gui/timefields/KvFieldLink.h"

#include <QPainter>
#include <QtMath>

namespace tk {

namespace {

constexpr int DecorationGap = 2;

QColor dayTypeColour(QChar dayType)
{
    if (dayType == QLatin1Char('V'))
        return Qt::red;
    if (dayType == QLatin1Char('F'))
        return Qt::blue;
    return Qt::black;
}

// A hand from the centre of the face, angle in degrees clockwise from twelve o'clock.
void drawHand(QPainter &painter, const QPointF &centre, qreal angle, qreal length)
{
    const qreal radians = qDegreesToRadians(angle);
    painter.drawLine(centre, centre + QPointF(qSin(radians) * length, -qCos(radians) * length));
}

} // namespace

TKvCustomTimeEdit::TKvCustomTimeEdit(QWidget *parent)
    : KvFieldBase(TimeFieldKind::Time, parent)
{
}

void TKvCustomTimeEdit::setShowDayTyp(bool on)
{
    m_showDayTyp = on;
    updateGeometry();
    update();
}

void TKvCustomTimeEdit::setShowUhr(bool on)
{
    m_showUhr = on;
    updateGeometry();
    update();
}

int TKvCustomTimeEdit::clockDiameter(const QRect &client) const
{
    return qMax(6, qMin(client.height() - 4, fontMetrics().height()));
}

int TKvCustomTimeEdit::decorationWidth() const
{
    int width = 0;
    if (m_showUhr)
        width += DecorationGap + fontMetrics().height() + DecorationGap + 1;
    if (m_showDayTyp)
        width +=
            DecorationGap + fontMetrics().horizontalAdvance(QLatin1Char('W')) + DecorationGap + 1;
    return width;
}

// Clock face first, then the day-type letter, each closed by a vertical line.
void TKvCustomTimeEdit::paintDecoration(QPainter &painter, const QRect &client)
{
    int x = client.left() + DecorationGap;
    const QColor lineColour = palette().color(QPalette::Mid);
    auto drawSeparator = [&]() {
        painter.setPen(lineColour);
        painter.drawLine(x, client.top() + 1, x, client.bottom() - 1);
        x += 1 + DecorationGap;
    };
    if (m_showUhr) {
        const int diameter = clockDiameter(client);
        paintClock(painter,
                   QRect(x, client.top() + (client.height() - diameter) / 2, diameter, diameter));
        x += diameter + DecorationGap;
        drawSeparator();
    }
    if (m_showDayTyp) {
        const int width = fontMetrics().horizontalAdvance(QLatin1Char('W'));
        painter.setPen(isEnabled() ? dayTypeColour(dayType())
                                   : palette().color(QPalette::Disabled, QPalette::Text));
        painter.drawText(QRect(x, client.top(), width, client.height()), Qt::AlignCenter,
                         QString(dayType()));
        x += width + DecorationGap;
        drawSeparator();
    }
}

// Hour hand: 30 degrees per hour on a 12-hour dial plus half a degree per minute;
// minute hand: 6 degrees per minute.
void TKvCustomTimeEdit::paintClock(QPainter &painter, const QRect &face) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Dark), 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(face).adjusted(0.5, 0.5, -0.5, -0.5));
    const QPointF centre = QRectF(face).center();
    const qreal radius = face.width() / 2.0;
    painter.setPen(QPen(Qt::gray, 1.2, Qt::SolidLine, Qt::RoundCap));
    drawHand(painter, centre, 6.0 * minutes(), radius * 0.8);
    painter.setPen(QPen(Qt::black, 1.8, Qt::SolidLine, Qt::RoundCap));
    drawHand(painter, centre, 30.0 * (hours() % 12) + 0.5 * minutes(), radius * 0.5);
    painter.restore();
}

TKvTimeEdit::TKvTimeEdit(QWidget *parent)
    : TKvCustomTimeEdit(parent)
{
}

TKvCustomTimeDauerEdit::TKvCustomTimeDauerEdit(QWidget *parent)
    : KvFieldBase(TimeFieldKind::Duration, parent)
{
}

} // namespace tk
