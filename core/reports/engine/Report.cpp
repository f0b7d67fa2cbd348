#include "core/reports/engine/Report.h"

#include "core/reports/engine/ReportLayout.h"

#include "core/common/ClockText.h"

#include <QLocale>

#include <stdexcept>

namespace tk {

namespace {

constexpr double A4Width = 210.0;
constexpr double A4Height = 297.0;

QString defaultFieldText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return ShortDateText(value.toDate());
    case QMetaType::Double:
    case QMetaType::Float:
        return QLocale().toString(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    default:
        return value.toString();
    }
}

bool isSingleBandKind(BandKind kind)
{
    switch (kind) {
    case BandKind::PageHeader:
    case BandKind::Title:
    case BandKind::ColumnHeader:
    case BandKind::Detail:
    case BandKind::Summary:
    case BandKind::PageFooter:
        return true;
    default:
        return false;
    }
}

} // namespace

QString dateFieldText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    const QDate date = StoredDate(value);
    return date.isValid() ? ShortDateText(date) : value.toString();
}

// ---- ReportText ----

ReportText::ReportText(const QString &name, Source source, double left, double top,
                       const ReportFont &font)
    : m_name(name)
    , m_source(source)
    , m_left(left)
    , m_top(top)
    , m_font(font)
{
}

ReportText &ReportText::setWidth(double mm)
{
    m_width = mm;
    m_toRightEdge = false;
    return *this;
}

ReportText &ReportText::toRightEdge()
{
    m_toRightEdge = true;
    m_width = 0.0;
    return *this;
}

ReportText &ReportText::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    return *this;
}

ReportText &ReportText::setFont(const ReportFont &font)
{
    m_font = font;
    return *this;
}

ReportText &ReportText::setBold(bool bold)
{
    m_font.bold = bold;
    return *this;
}

ReportText &ReportText::setPointSize(double pointSize)
{
    m_font.pointSize = pointSize;
    return *this;
}

ReportText &ReportText::setColor(const QColor &color)
{
    m_color = color;
    return *this;
}

ReportText &ReportText::setBackground(const QColor &color)
{
    m_background = color;
    return *this;
}

ReportText &ReportText::setPrefix(const QString &prefix)
{
    m_prefix = prefix;
    return *this;
}

ReportText &ReportText::setFormatter(std::function<QString(const QVariant &)> formatter)
{
    m_formatter = std::move(formatter);
    return *this;
}

ReportText &ReportText::setOnPrint(std::function<void(QString &)> hook)
{
    m_onPrint = std::move(hook);
    return *this;
}

QString ReportText::textFor(const QVariant &fieldValue, const QString &systemText) const
{
    QString text;
    switch (m_source) {
    case Source::Label:
        text = m_caption;
        break;
    case Source::Field:
        text = m_formatter ? m_formatter(fieldValue) : defaultFieldText(fieldValue);
        break;
    case Source::System:
        text = m_prefix + systemText;
        break;
    }
    if (m_onPrint)
        m_onPrint(text);
    return text;
}

// ---- ReportBand ----

ReportBand::ReportBand(BandKind kind, const QString &name, double height, const ReportFont &font,
                       ReportDataSource *source)
    : m_kind(kind)
    , m_name(name)
    , m_height(height)
    , m_font(font)
    , m_source(source)
{
}

ReportText &ReportBand::add(std::unique_ptr<ReportText> text)
{
    m_texts.push_back(std::move(text));
    return *m_texts.back();
}

ReportText &ReportBand::addLabel(const QString &name, double left, double top,
                                 const QString &caption)
{
    auto text = std::make_unique<ReportText>(name, ReportText::Source::Label, left, top, m_font);
    text->setCaption(caption);
    return add(std::move(text));
}

ReportText &ReportBand::addField(const QString &name, double left, double top, const QString &field)
{
    auto text = std::make_unique<ReportText>(name, ReportText::Source::Field, left, top, m_font);
    text->m_field = field;
    return add(std::move(text));
}

ReportText &ReportBand::addSystemField(const QString &name, double left, double top,
                                       SystemField field, const QString &prefix)
{
    auto text = std::make_unique<ReportText>(name, ReportText::Source::System, left, top, m_font);
    text->setSystemField(field);
    text->setPrefix(prefix);
    return add(std::move(text));
}

ReportText &ReportBand::text(const QString &name)
{
    for (const auto &text : m_texts) {
        if (text->name() == name)
            return *text;
    }
    throw std::out_of_range("ReportBand " + m_name.toStdString() + ": no text "
                            + name.toStdString());
}

void ReportBand::addFrame(FrameEdge edge, FrameStyle style)
{
    m_frames.push_back({edge, style});
}

ReportBand &ReportBand::addChild(const QString &name, double height)
{
    m_children.push_back(
        std::make_unique<ReportBand>(BandKind::Child, name, height, m_font, m_source));
    return *m_children.back();
}

// ---- ReportGroup ----

ReportGroup::ReportGroup(const QString &name, std::function<QVariant()> key, const ReportFont &font)
    : m_name(name)
    , m_key(std::move(key))
    , m_font(font)
{
}

ReportBand &ReportGroup::addHeader(const QString &name, double height)
{
    m_header = std::make_unique<ReportBand>(BandKind::GroupHeader, name, height, m_font, nullptr);
    return *m_header;
}

ReportBand &ReportGroup::addFooter(const QString &name, double height)
{
    m_footer = std::make_unique<ReportBand>(BandKind::GroupFooter, name, height, m_font, nullptr);
    return *m_footer;
}

// ---- ReportSubDetail ----

ReportSubDetail::ReportSubDetail(const QString &name, ReportDataSource *source, double height,
                                 const ReportFont &font)
    : m_source(source)
    , m_font(font)
    , m_band(std::make_unique<ReportBand>(BandKind::SubDetail, name, height, font, source))
{
}

ReportBand &ReportSubDetail::addHeader(const QString &name, double height)
{
    m_header =
        std::make_unique<ReportBand>(BandKind::SubDetailHeader, name, height, m_font, m_source);
    return *m_header;
}

ReportBand &ReportSubDetail::addFooter(const QString &name, double height)
{
    m_footer =
        std::make_unique<ReportBand>(BandKind::SubDetailFooter, name, height, m_font, m_source);
    return *m_footer;
}

// ---- Report ----

Report::Report(const QString &title, ReportDataSource *source)
    : m_title(title)
    , m_source(source)
{
}

Report::~Report() = default;

QSizeF Report::paperSize() const
{
    return m_landscape ? QSizeF(A4Height, A4Width) : QSizeF(A4Width, A4Height);
}

QSizeF Report::printingArea() const
{
    const QSizeF paper = paperSize();
    return QSizeF(paper.width() - 2 * m_margin, paper.height() - 2 * m_margin);
}

QDate Report::printDate() const
{
    return m_printDate.isValid() ? m_printDate : QDate::currentDate();
}

ReportBand &Report::addBand(BandKind kind, const QString &name, double height)
{
    if (!isSingleBandKind(kind))
        throw std::logic_error("Report::addBand: groups, sub-details and children have their "
                               "own functions");
    if (band(kind))
        throw std::logic_error("Report::addBand: the report already has a band of this kind");
    m_bands.push_back(std::make_unique<ReportBand>(kind, name, height, m_font, nullptr));
    return *m_bands.back();
}

ReportBand *Report::band(BandKind kind) const
{
    for (const auto &band : m_bands) {
        if (band->kind() == kind)
            return band.get();
    }
    return nullptr;
}

ReportGroup &Report::addGroup(const QString &name, std::function<QVariant()> key)
{
    m_groups.push_back(std::make_unique<ReportGroup>(name, std::move(key), m_font));
    return *m_groups.back();
}

ReportSubDetail &Report::addSubDetail(const QString &name, ReportDataSource *source, double height)
{
    m_subDetails.push_back(std::make_unique<ReportSubDetail>(name, source, height, m_font));
    return *m_subDetails.back();
}

void Report::notifyGenerationStarted() const
{
    if (m_generationStarted)
        m_generationStarted();
}

ReportDocument Report::generate(const std::function<void(int)> &pageStarted)
{
    ReportLayout layout(*this);
    layout.setPageStarted(pageStarted);
    return layout.run();
}

} // namespace tk
