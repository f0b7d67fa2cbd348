#include "core/reports/lists/PersonnelList.h"

#include "core/db/Table.h"

namespace tk {

namespace {

const double LineTops[3] = {1.1, 5.3, 10.6};
const double CaptionTops[3] = {0.5, 4.7, 8.9};

} // namespace

TReportPers01::TReportPers01()
    : m_personal(
        std::make_unique<Table>(QStringLiteral("Personal"), QStringLiteral("PersonalNummer")))
    , m_employees(*m_personal)
    , m_report(QStringLiteral("Personal Liste"), &m_employees)
{
    tblPersonal = m_personal.get();
    tblPersonal->setReadOnly(true);
    tblPersonal->open();
    m_report.setFont({QStringLiteral("Arial"), 10});
    buildBands();
}

TReportPers01::~TReportPers01() = default;

void TReportPers01::buildBands()
{
    ReportBand &header = m_report.addBand(BandKind::PageHeader, QStringLiteral("pageHeader"), 7.0);
    header.addFrame(FrameEdge::Bottom);
    header.addLabel(QStringLiteral("laTitel"), 0, 0.5, QStringLiteral("Personal Liste"))
        .setBold(true)
        .setPointSize(12);
    header.addSystemField(QStringLiteral("laDatum"), 0, 1.0, SystemField::Date)
        .toRightEdge()
        .setAlignment(Qt::AlignRight);

    ReportBand &columns =
        m_report.addBand(BandKind::ColumnHeader, QStringLiteral("columnHeader"), 13.6);
    columns.addFrame(FrameEdge::Top);
    const auto caption = [&columns](const QString &name, double left, int line,
                                    const QString &text) -> ReportText & {
        return columns.addLabel(name, left, CaptionTops[line], text);
    };
    caption(QStringLiteral("laCaptionPersNr"), 1.1, 0, QStringLiteral("Pers.Nr.")).setBold(true);
    caption(QStringLiteral("laCaptionName"), 20.1, 0, QStringLiteral("Name"));
    caption(QStringLiteral("laCaptionVorname"), 79.6, 0, QStringLiteral("Vorname"));
    caption(QStringLiteral("laCaptionTelefon"), 140.2, 0, QStringLiteral("Telefon"));
    caption(QStringLiteral("laCaptionPlz"), 20.1, 1, QStringLiteral("PLZ"));
    caption(QStringLiteral("laCaptionOrt"), 30.7, 1, QStringLiteral("Ort"));
    caption(QStringLiteral("laCaptionStrasse"), 79.6, 1, QStringLiteral("Straße"));
    caption(QStringLiteral("laCaptionGeburtsdatum"), 20.1, 2, QStringLiteral("Geburtsdatum"));
    caption(QStringLiteral("laCaptionEintrittsdatum"), 50.0, 2, QStringLiteral("Eintrittsdatum"));
    caption(QStringLiteral("laCaptionAustrittsdatum"), 79.6, 2, QStringLiteral("Austrittsdatum"));
    caption(QStringLiteral("laCaptionBruttoLohn"), 140.0, 2, QStringLiteral("Brutto-Lohn"));
    columns.addChild(QStringLiteral("columnRule"), 1.0).addFrame(FrameEdge::Top, FrameStyle::Thick);

    ReportBand &block = m_report.addBand(BandKind::Detail, QStringLiteral("employeeBlock"), 15.9);
    const auto field = [&block](const char *name, double left, int line,
                                double width = 0.0) -> ReportText & {
        ReportText &text =
            block.addField(QLatin1String(name), left, LineTops[line], QLatin1String(name));
        if (width > 0.0)
            text.setWidth(width);
        return text;
    };
    field("PersonalNummer", 1.1, 0, 14.0).setBold(true).setAlignment(Qt::AlignRight);
    field("Name", 20.1, 0, 58.5);
    field("Vorname", 79.9, 0, 59.5);
    field("Telefon1", 140.8, 0);
    field("Plz", 20.1, 1);
    field("Ort", 30.7, 1, 47.9);
    field("Strasse", 79.9, 1, 59.5);
    field("Telefon2", 140.8, 1);
    field("Geburtsdatum", 20.1, 2).setFormatter(dateFieldText);
    field("EintrittsDatum", 50.0, 2).setFormatter(dateFieldText);
    field("AustrittsDatum", 79.6, 2).setFormatter(dateFieldText);
    // the field's own text: no number format of the list's own
    field("BruttoLohn", 140.8, 2);
    block.addChild(QStringLiteral("employeeRule"), 1.0)
        .addFrame(FrameEdge::Top, FrameStyle::Dashed);

    ReportBand &footer = m_report.addBand(BandKind::PageFooter, QStringLiteral("pageFooter"), 5.0);
    footer.addFrame(FrameEdge::Top);
    footer
        .addSystemField(QStringLiteral("laSeite"), 0, 1.0, SystemField::PageNumber,
                        QStringLiteral("Seite: "))
        .toRightEdge()
        .setAlignment(Qt::AlignRight);
}

} // namespace tk
