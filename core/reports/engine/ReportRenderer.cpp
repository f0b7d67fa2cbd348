#include "core/reports/engine/ReportRenderer.h"

#include "core/reports/engine/TextMeasure.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace tk {

namespace {

constexpr double MmPerInch = 25.4;

QPageLayout pageLayoutFor(const ReportDocument &document)
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       document.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

} // namespace

ReportRenderer::ReportRenderer(const ReportDocument &document)
    : m_document(document)
{
}

void ReportRenderer::paintPage(QPainter &painter, int pageIndex) const
{
    const QPaintDevice *device = painter.device();
    paintPage(painter, pageIndex, device->logicalDpiX(), device->logicalDpiY());
}

void ReportRenderer::paintPage(QPainter &painter, int pageIndex, double dpiX, double dpiY) const
{
    const ReportPage &page = m_document.pages.at(pageIndex);
    const double kx = dpiX / MmPerInch;
    const double ky = dpiY / MmPerInch;
    const double m = m_document.margin;
    const auto toDevice = [&](const QRectF &r) {
        return QRectF((r.left() + m) * kx, (r.top() + m) * ky, r.width() * kx, r.height() * ky);
    };
    const auto pointToDevice = [&](const QPointF &p) {
        return QPointF((p.x() + m) * kx, (p.y() + m) * ky);
    };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const ReportItem &item : page.items) {
        switch (item.kind) {
        case ReportItem::Kind::Fill:
            painter.fillRect(toDevice(item.rect), item.color);
            break;
        case ReportItem::Kind::Line: {
            QPen pen(item.color, qMax(1.0, item.lineWidth * ky));
            pen.setCapStyle(Qt::FlatCap);
            if (item.lineStyle == LineStyle::Dashed)
                pen.setDashPattern({6, 4});
            painter.setPen(pen);
            painter.drawLine(pointToDevice(item.line.p1()), pointToDevice(item.line.p2()));
            break;
        }
        case ReportItem::Kind::Text: {
            if (item.text.isEmpty())
                break;
            const QRectF rect = toDevice(item.rect);
            painter.setFont(toQFont(item.font));
            painter.setPen(item.color);
            const int flags = item.alignment | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
            if (item.clip) {
                // cut at the cell's left and right edges only
                painter.save();
                painter.setClipRect(rect.adjusted(0, -rect.height(), 0, rect.height()),
                                    Qt::IntersectClip);
                painter.drawText(rect, flags, item.text);
                painter.restore();
            } else {
                painter.drawText(rect, flags, item.text);
            }
            break;
        }
        }
    }
    painter.restore();
}

QImage ReportRenderer::pageImage(int pageIndex, double dpi) const
{
    const QSize size(qRound(m_document.paperSize.width() * dpi / MmPerInch),
                     qRound(m_document.paperSize.height() * dpi / MmPerInch));
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / MmPerInch * 1000.0);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, pageIndex, dpi, dpi);
    return image;
}

// ---- ReportPrintJob ----

ReportPrintJob::ReportPrintJob(QPagedPaintDevice &device)
    : m_device(device)
{
}

ReportPrintJob::~ReportPrintJob()
{
    finish();
}

void ReportPrintJob::prepareDevice(const ReportDocument &document)
{
    const QPageLayout wanted = pageLayoutFor(document);
    // a printer refuses some layout changes while a job runs: change only what differs
    if (!m_painter || !m_device.pageLayout().isEquivalentTo(wanted))
        m_device.setPageLayout(wanted);
    adjustDevice(document, !m_painter);
}

void ReportPrintJob::adjustDevice(const ReportDocument &document, bool firstDocument)
{
    auto *writer = dynamic_cast<QPdfWriter *>(&m_device);
    if (writer && firstDocument) {
        writer->setTitle(document.title);
        writer->setCreator(QStringLiteral("Taktora"));
    }
}

bool ReportPrintJob::add(const ReportDocument &document)
{
    if (m_failed)
        return false;
    if (document.pages.isEmpty())
        return true;
    prepareDevice(document);
    if (!m_painter) {
        m_painter = new QPainter;
        if (!m_painter->begin(&m_device)) {
            delete m_painter;
            m_painter = nullptr;
            m_failed = true;
            return false;
        }
    } else {
        m_device.newPage();
    }

    const ReportRenderer renderer(document);
    for (int i = 0; i < document.pages.size(); ++i) {
        if (i > 0)
            m_device.newPage();
        renderer.paintPage(*m_painter, i);
        ++m_pages;
    }
    return true;
}

bool ReportPrintJob::finish()
{
    if (m_painter) {
        if (!m_painter->end())
            m_failed = true;
        delete m_painter;
        m_painter = nullptr;
    }
    return !m_failed;
}

namespace {

bool paintInto(QPdfWriter &writer, const QVector<ReportDocument> &documents)
{
    ReportPrintJob job(writer);
    for (const ReportDocument &document : documents) {
        if (!job.add(document))
            return false;
    }
    return job.finish();
}

} // namespace

bool writePdf(const QVector<ReportDocument> &documents, const QString &fileName,
              QString *errorMessage)
{
    QPdfWriter writer(fileName);
    const bool ok = paintInto(writer, documents);
    if (!ok && errorMessage) {
        *errorMessage =
            QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.").arg(fileName);
    }
    return ok;
}

bool writePdf(const QVector<ReportDocument> &documents, QIODevice *device)
{
    QPdfWriter writer(device);
    return paintInto(writer, documents);
}

} // namespace tk
