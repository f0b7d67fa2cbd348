#pragma once

#include "core/reports/engine/Report.h"
#include "core/reports/engine/TextMeasure.h"

#include <functional>

namespace tk {

// One generation of a report's pages: walks the data, runs the hooks and places the bands
// top to bottom, starting a new page when a band no longer fits above the page footer.
// Pages start lazily with the first band of the body, so no data gives no page.
class ReportLayout
{
public:
    explicit ReportLayout(Report &report);

    void setPageStarted(std::function<void(int)> callback) { m_pageStarted = std::move(callback); }
    ReportDocument run();

private:
    void runRecords();
    void runSubDetail(const ReportSubDetail &sub);
    void openGroupsFrom(std::size_t index);
    void closeGroupsFrom(std::size_t index);

    // Runs the hook and places the band with its children; false when suppressed.
    bool printBand(ReportBand &band);
    void placeBand(const ReportBand &band, double top);
    void placeFrames(const ReportBand &band, double top);
    void placeText(const ReportBand &band, const ReportText &text, double bandTop);
    QString systemText(SystemField field) const;

    void makeRoomFor(double height);
    void startPage();
    void finishPage();

    Report &m_report;
    ReportDocument m_doc;
    TextMeasure m_measure;
    std::function<void(int)> m_pageStarted;

    ReportPage *m_page = nullptr;
    double m_y = 0.0;          // next free position on the page
    double m_bodyBottom = 0.0; // top of the page footer
    bool m_bodyStarted = false;
    bool m_inPageFrame = false; // placing the page's own header/footer bands
    QVector<bool> m_groupOpen;
    QVector<QVariant> m_groupKeys;
};

} // namespace tk
