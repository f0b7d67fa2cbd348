#include "core/reports/lists/ShiftPlanList.h"

#include "core/common/ClockText.h"
#include "core/db/Table.h"

namespace tk {

namespace {

constexpr double TimeCellWidth = 10.8;
const double LineTops[3] = {1.1, 5.3, 9.5};

// Clock times and durations alike print as clock text; an empty field reads as 0 minutes.
QString clockText(const QVariant &minutes)
{
    return MinutesToClockText(minutes.isNull() ? 0 : minutes.toInt());
}

} // namespace

TReportSchi01::TReportSchi01()
    : m_schicht(std::make_unique<Table>(QStringLiteral("Schicht"), QStringLiteral("Schichtplan")))
    , m_tagplan(std::make_unique<Table>(QStringLiteral("Tagplan"),
                                        QStringLiteral("Schichtplan;Tagesplan")))
    , m_plans(*m_schicht)
    , m_dayPlans(*m_tagplan)
    , m_report(QStringLiteral("Schichtplan Liste"), &m_plans)
{
    tblSchicht = m_schicht.get();
    tblTagplan = m_tagplan.get();
    tblSchicht->setReadOnly(true);
    tblTagplan->setReadOnly(true);
    const QStringList link{QStringLiteral("Schichtplan")};
    tblTagplan->setMaster(tblSchicht, link, link);
    tblTagplan->open();
    tblSchicht->open();
    m_report.setFont({QStringLiteral("Arial"), 10});
    buildBands();
}

TReportSchi01::~TReportSchi01()
{
    m_tagplan.reset(); // the day plans follow the shift plans: let go of them first
}

void TReportSchi01::buildBands()
{
    ReportBand &header = m_report.addBand(BandKind::PageHeader, QStringLiteral("pageHeader"), 8.0);
    header.addSystemField(QStringLiteral("laDatum"), 0, 0, SystemField::Date)
        .toRightEdge()
        .setAlignment(Qt::AlignRight);
    header.addLabel(QStringLiteral("laTitel"), 0, 0, QStringLiteral("Schichtplan Liste"))
        .toRightEdge()
        .setAlignment(Qt::AlignHCenter)
        .setBold(true)
        .setPointSize(14);

    ReportBand &captions = m_report.addBand(BandKind::Title, QStringLiteral("columnCaptions"), 4.5);
    captions.setFont({QStringLiteral("Arial"), 8});
    captions.addFrame(FrameEdge::Top);
    captions.addLabel(QStringLiteral("laCaptionSchichtplan"), 0.3, 0.5,
                      QStringLiteral("Schichtplan"));
    captions.addLabel(QStringLiteral("laCaptionBezeichnung"), 21.7, 0.5,
                      QStringLiteral("Bezeichnung"));

    ReportBand &plan = m_report.addBand(BandKind::Detail, QStringLiteral("planRow"), 5.8);
    plan.setBackground(QColor(0xC0, 0xC0, 0xC0)); // silver
    plan.addField(QStringLiteral("Schichtplan"), 0.3, 0.6, QStringLiteral("Schichtplan"))
        .setWidth(18.8)
        .setAlignment(Qt::AlignRight)
        .setBold(true);
    plan.addField(QStringLiteral("Bezeichnung"), 21.7, 0.6, QStringLiteral("Bezeichnung"))
        .setBold(true);

    ReportSubDetail &dayPlans =
        m_report.addSubDetail(QStringLiteral("dayPlanBlock"), &m_dayPlans, 14.6);
    buildDayPlanBlock(dayPlans.band());

    ReportBand &footer = m_report.addBand(BandKind::PageFooter, QStringLiteral("pageFooter"), 5.0);
    footer.addFrame(FrameEdge::Top);
    footer
        .addSystemField(QStringLiteral("laSeite"), 0, 1.0, SystemField::PageNumber,
                        QStringLiteral("Seite "))
        .toRightEdge()
        .setAlignment(Qt::AlignRight)
        .setPointSize(8);
}

void TReportSchi01::buildDayPlanBlock(ReportBand &block)
{
    block.setFont({QStringLiteral("Arial"), 8});
    const auto time = [&block](const char *field, double left, int line) {
        block.addField(QLatin1String(field), left, LineTops[line], QLatin1String(field))
            .setWidth(TimeCellWidth)
            .setAlignment(Qt::AlignHCenter)
            .setFormatter(clockText);
    };
    const auto caption = [&block](const QString &name, double left, int line, const QString &text) {
        block.addLabel(name, left, LineTops[line], text);
    };

    block.addField(QStringLiteral("Tag"), 21.7, LineTops[0], QStringLiteral("Bezeichnung"))
        .setWidth(8.2)
        .setBold(true);
    caption(QStringLiteral("laArbeitszeit"), 31.8, 0, QStringLiteral("Arbeitszeit:"));
    time("Von", 47.6, 0);
    time("Bis", 59.3, 0);
    caption(QStringLiteral("laSollStd"), 115.4, 0, QStringLiteral("Soll-Std.:"));
    time("Sollstd", 128.1, 0);

    const char *const breakStarts[] = {"PauseVon1", "PauseVon2", "PauseVon3"};
    const char *const breakEnds[] = {"PauseBis1", "PauseBis2", "PauseBis3"};
    const char *const overtime[] = {"Ueberstd1", "Ueberstd2", "Ueberstd3"};
    for (int i = 0; i < 3; ++i) {
        caption(QStringLiteral("laPause%1").arg(i + 1), 75.1, i,
                QStringLiteral("Pause %1:").arg(i + 1));
        time(breakStarts[i], 87.8, i);
        time(breakEnds[i], 99.5, i);
        caption(QStringLiteral("laUeberstd%1").arg(i + 1), 145.0, i,
                QStringLiteral("Überstd. %1:").arg(i + 1));
        time(overtime[i], 160.9, i);
    }
    block.addChild(QStringLiteral("dayPlanRule"), 1.3).addFrame(FrameEdge::Top);
}

} // namespace tk
