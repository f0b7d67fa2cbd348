#include "core/reports/engine/ReportLayout.h"

#include "core/common/ClockText.h"

#include <stdexcept>

namespace tk {

namespace {

constexpr double ThinRule = 0.2;      // mm
constexpr double DoubleRuleGap = 0.5; // mm between the two rules of a double rule
constexpr double FitTolerance = 1e-6;

} // namespace

ReportLayout::ReportLayout(Report &report)
    : m_report(report)
{
}

ReportDocument ReportLayout::run()
{
    m_doc = ReportDocument();
    m_doc.title = m_report.title();
    m_doc.paperSize = m_report.paperSize();
    m_doc.margin = m_report.margin();
    m_doc.landscape = m_report.isLandscape();
    const ReportBand *footer = m_report.band(BandKind::PageFooter);
    m_bodyBottom = m_doc.printingArea().height() - (footer ? footer->height() : 0.0);

    m_report.notifyGenerationStarted();
    if (!m_report.dataSource())
        throw std::logic_error("Report::generate: the report has no data source");
    m_report.dataSource()->first();
    if (m_report.dataSource()->eof())
        return m_doc;

    runRecords();
    if (m_page)
        finishPage();
    return std::move(m_doc);
}

void ReportLayout::runRecords()
{
    ReportDataSource &source = *m_report.dataSource();
    const auto &groups = m_report.groups();
    m_groupOpen = QVector<bool>(int(groups.size()), false);
    m_groupKeys = QVector<QVariant>(int(groups.size()));

    while (!source.eof()) {
        for (std::size_t i = 0; i < groups.size(); ++i) {
            if (!m_groupOpen.at(int(i)) || groups[i]->key() != m_groupKeys.at(int(i))) {
                closeGroupsFrom(i);
                openGroupsFrom(i);
                break;
            }
        }
        if (ReportBand *detail = m_report.band(BandKind::Detail))
            printBand(*detail);
        for (const auto &sub : m_report.subDetails())
            runSubDetail(*sub);
        source.next();
    }
    closeGroupsFrom(0);
    if (ReportBand *summary = m_report.band(BandKind::Summary))
        printBand(*summary);
}

void ReportLayout::openGroupsFrom(std::size_t index)
{
    const auto &groups = m_report.groups();
    for (std::size_t i = index; i < groups.size(); ++i) {
        m_groupKeys[int(i)] = groups[i]->key();
        m_groupOpen[int(i)] = true;
        if (ReportBand *header = groups[i]->header())
            printBand(*header);
    }
}

void ReportLayout::closeGroupsFrom(std::size_t index)
{
    const auto &groups = m_report.groups();
    for (std::size_t i = groups.size(); i-- > index;) {
        if (!m_groupOpen.at(int(i)))
            continue;
        m_groupOpen[int(i)] = false;
        if (ReportBand *footer = groups[i]->footer())
            printBand(*footer);
    }
}

void ReportLayout::runSubDetail(const ReportSubDetail &sub)
{
    ReportDataSource &source = *sub.source();
    source.first();
    const bool frame = !source.eof() || sub.headerAndFooterWhenEmpty();
    if (frame && sub.header())
        printBand(*sub.header());
    ReportBand &band = sub.band();
    while (!source.eof()) {
        printBand(band);
        source.next();
    }
    if (frame && sub.footer())
        printBand(*sub.footer());
}

bool ReportLayout::printBand(ReportBand &band)
{
    if (!band.wantsToPrint())
        return false;
    if (m_inPageFrame) {
        placeBand(band, m_y);
        m_y += band.height();
    } else {
        makeRoomFor(band.height());
        placeBand(band, m_y);
        m_y += band.height();
        m_bodyStarted = true;
    }
    for (const auto &child : band.children())
        printBand(*child);
    return true;
}

// A band that does not fit moves to a new page; one taller than a whole page is placed
// on a fresh page anyway and runs over its bottom rather than looping.
void ReportLayout::makeRoomFor(double height)
{
    if (!m_page) {
        startPage();
        return;
    }
    if (m_bodyStarted && m_y + height > m_bodyBottom + FitTolerance) {
        finishPage();
        startPage();
    }
}

void ReportLayout::startPage()
{
    m_doc.pages.append(ReportPage());
    m_page = &m_doc.pages.last();
    m_page->number = int(m_doc.pages.size());
    m_y = 0.0;
    m_bodyStarted = false;
    if (m_pageStarted)
        m_pageStarted(m_page->number);

    m_inPageFrame = true;
    if (ReportBand *header = m_report.band(BandKind::PageHeader))
        printBand(*header);
    if (m_page->number == 1) {
        if (ReportBand *title = m_report.band(BandKind::Title))
            printBand(*title);
    }
    if (ReportBand *columns = m_report.band(BandKind::ColumnHeader))
        printBand(*columns);
    m_inPageFrame = false;
}

void ReportLayout::finishPage()
{
    if (ReportBand *footer = m_report.band(BandKind::PageFooter)) {
        m_inPageFrame = true;
        m_y = m_doc.printingArea().height() - footer->height();
        printBand(*footer);
        m_inPageFrame = false;
    }
}

void ReportLayout::placeBand(const ReportBand &band, double top)
{
    PlacedBand placed;
    placed.name = band.name();
    placed.kind = band.kind();
    placed.top = top;
    placed.height = band.height();
    placed.firstItem = int(m_page->items.size());

    if (band.background().isValid()) {
        ReportItem fill;
        fill.kind = ReportItem::Kind::Fill;
        fill.band = band.name();
        fill.rect = QRectF(0, top, m_doc.printingArea().width(), band.height());
        fill.color = band.background();
        m_page->items.append(fill);
    }
    for (const auto &text : band.texts())
        placeText(band, *text, top);
    placeFrames(band, top);

    placed.itemCount = int(m_page->items.size()) - placed.firstItem;
    m_page->bands.append(placed);
}

void ReportLayout::placeFrames(const ReportBand &band, double top)
{
    const double width = m_doc.printingArea().width();
    for (const ReportBand::Frame &frame : band.frames()) {
        const double y = frame.edge == FrameEdge::Top ? top : top + band.height();
        ReportItem rule;
        rule.kind = ReportItem::Kind::Line;
        rule.band = band.name();
        rule.lineWidth = frame.style == FrameStyle::Thick ? 2 * ThinRule : ThinRule;
        rule.lineStyle = frame.style == FrameStyle::Dashed ? LineStyle::Dashed : LineStyle::Solid;
        rule.line = QLineF(0, y, width, y);
        m_page->items.append(rule);
        if (frame.style == FrameStyle::Double) {
            // the second rule lies inside the band
            const double inward = frame.edge == FrameEdge::Top ? DoubleRuleGap : -DoubleRuleGap;
            rule.line = QLineF(0, y + inward, width, y + inward);
            m_page->items.append(rule);
        }
    }
}

void ReportLayout::placeText(const ReportBand &band, const ReportText &text, double bandTop)
{
    QVariant value;
    QString system;
    if (text.source() == ReportText::Source::Field) {
        ReportDataSource *source = band.dataSource() ? band.dataSource() : m_report.dataSource();
        value = source->value(text.fieldName());
    } else if (text.source() == ReportText::Source::System) {
        system = systemText(text.systemField());
    }

    ReportItem item;
    item.kind = ReportItem::Kind::Text;
    item.band = band.name();
    item.name = text.name();
    item.text = text.textFor(value, system);
    item.font = text.font();
    item.color = text.color();
    item.alignment = int(text.alignment() & Qt::AlignHorizontal_Mask);

    const double lineHeight = m_measure.lineHeightMm(text.font());
    double width = text.width();
    if (text.runsToRightEdge()) {
        width = m_doc.printingArea().width() - text.left();
    } else if (width <= 0.0) {
        width = m_measure.widthMm(item.text, text.font());
        item.alignment = Qt::AlignLeft;
    } else {
        item.clip = true;
    }
    item.rect = QRectF(text.left(), bandTop + text.top(), width, lineHeight);
    if (text.background().isValid()) {
        ReportItem fill;
        fill.kind = ReportItem::Kind::Fill;
        fill.band = band.name();
        fill.rect = QRectF(text.left(), bandTop, width, band.height());
        fill.color = text.background();
        m_page->items.append(fill);
    }
    m_page->items.append(item);
}

QString ReportLayout::systemText(SystemField field) const
{
    switch (field) {
    case SystemField::Date:
        return ShortDateText(m_report.printDate());
    case SystemField::PageNumber:
        return QString::number(m_page->number);
    case SystemField::Title:
        return m_report.title();
    }
    return QString();
}

} // namespace tk
