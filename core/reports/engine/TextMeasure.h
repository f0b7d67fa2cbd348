#pragma once

#include "core/reports/engine/ReportPage.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>

#include <memory>

namespace tk {

// The one place where a ReportFont becomes a QFont, so that layout and painting use the
// same face. Hinting is off: a text then measures in proportion on every device.
QFont toQFont(const ReportFont &font);

// Text extents in millimetres, measured on a 1200 dpi reference device (needs a
// QGuiApplication; the offscreen platform will do).
class TextMeasure
{
public:
    double widthMm(const QString &text, const ReportFont &font);
    double lineHeightMm(const ReportFont &font);

private:
    struct Metrics
    {
        std::shared_ptr<QFontMetricsF> metrics;
        double lineHeightMm = 0.0;
    };
    const Metrics &metricsFor(const ReportFont &font);

    QHash<QString, Metrics> m_cache;
};

} // namespace tk
