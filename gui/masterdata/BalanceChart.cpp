#include "gui/masterdata/BalanceChart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tk {

namespace {

const QColor PlusColor(60, 160, 80);
const QColor MinusColor(210, 60, 60);
const QColor LineColor(30, 60, 150);

} // namespace

BalanceChart::BalanceChart(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("chSaldo"));
    setMinimumHeight(150);
    setToolTip(QStringLiteral("Balken: Saldo des Zeitraums, Linie: Saldo danach (Stunden)"));
}

void BalanceChart::setHistory(const QVector<PeriodBalance> &history)
{
    m_history = history;
    update();
}

QSize BalanceChart::sizeHint() const
{
    return {420, 170};
}

void BalanceChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().base());
    if (m_history.isEmpty())
        return;

    qint64 low = 0;
    qint64 high = 0;
    for (const PeriodBalance &b : m_history) {
        low = std::min({low, b.period, b.balance});
        high = std::max({high, b.period, b.balance});
    }
    if (high == low)
        high = low + 60;
    const QFontMetrics metrics = fontMetrics();
    const int labelWidth = metrics.horizontalAdvance(QStringLiteral("-0000,00")) + 6;
    const QRectF plot(labelWidth, metrics.height() / 2.0, width() - labelWidth - 6,
                      height() - 2.0 * metrics.height() - 4);
    const auto y = [&](qint64 minutes) {
        return plot.bottom() - (minutes - low) * plot.height() / double(high - low);
    };

    p.setPen(palette().color(QPalette::Text));
    for (qint64 value : {high, qint64(0), low}) {
        p.drawText(QRectF(0, y(value) - metrics.height() / 2.0, labelWidth - 4, metrics.height()),
                   Qt::AlignRight | Qt::AlignVCenter, AccountHoursText(value));
    }
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.drawLine(QPointF(plot.left(), y(0)), QPointF(plot.right(), y(0)));

    const double slot = plot.width() / m_history.size();
    QPainterPath line;
    for (int i = 0; i < m_history.size(); ++i) {
        const PeriodBalance &b = m_history.at(i);
        const double left = plot.left() + i * slot;
        const QRectF bar(QPointF(left + slot * 0.2, y(std::max<qint64>(b.period, 0))),
                         QPointF(left + slot * 0.8, y(std::min<qint64>(b.period, 0))));
        p.fillRect(bar, b.period >= 0 ? PlusColor : MinusColor);
        const QPointF point(left + slot / 2, y(b.balance));
        if (i == 0)
            line.moveTo(point);
        else
            line.lineTo(point);
        p.setPen(palette().color(QPalette::Text));
        p.drawText(QRectF(left, plot.bottom() + 2, slot, metrics.height()), Qt::AlignCenter,
                   QStringLiteral("%1/%2")
                       .arg(b.month, 2, 10, QLatin1Char('0'))
                       .arg(b.year % 100, 2, 10, QLatin1Char('0')));
    }
    p.setPen(QPen(LineColor, 2));
    p.drawPath(line);
    p.setBrush(LineColor);
    for (int i = 0; i < m_history.size(); ++i)
        p.drawEllipse(QPointF(plot.left() + (i + 0.5) * slot, y(m_history.at(i).balance)), 2.5,
                      2.5);
}

} // namespace tk
