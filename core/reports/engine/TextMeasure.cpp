#include "core/reports/engine/TextMeasure.h"

#include <QImage>

namespace tk {

namespace {

constexpr double ReferenceDpi = 1200.0;
constexpr double MmPerInch = 25.4;

const QPaintDevice *referenceDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dotsPerMeter = qRound(ReferenceDpi / MmPerInch * 1000.0);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

QString cacheKey(const ReportFont &font)
{
    return font.family + QLatin1Char('|') + QString::number(font.pointSize)
        + (font.bold ? QStringLiteral("|b") : QStringLiteral("|n"));
}

} // namespace

QFont toQFont(const ReportFont &font)
{
    QFont f(font.family);
    f.setPointSizeF(font.pointSize);
    f.setBold(font.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(true);
    return f;
}

const TextMeasure::Metrics &TextMeasure::metricsFor(const ReportFont &font)
{
    const QString key = cacheKey(font);
    auto it = m_cache.find(key);
    if (it == m_cache.end()) {
        Metrics m;
        m.metrics = std::make_shared<QFontMetricsF>(toQFont(font), referenceDevice());
        m.lineHeightMm = m.metrics->height() * MmPerInch / ReferenceDpi;
        it = m_cache.insert(key, m);
    }
    return *it;
}

double TextMeasure::widthMm(const QString &text, const ReportFont &font)
{
    if (text.isEmpty())
        return 0.0;
    return metricsFor(font).metrics->horizontalAdvance(text) * MmPerInch / ReferenceDpi;
}

double TextMeasure::lineHeightMm(const ReportFont &font)
{
    return metricsFor(font).lineHeightMm;
}

} // namespace tk
