#pragma once

// The banded report engine: a list describes its bands once, then generate() turns the
// bands and the data into pages of positioned items (ReportPage.h), which the renderer
// (ReportRenderer.h) paints onto a preview, a printer or a PDF file.
//
// How a list defines its bands (all positions and sizes in millimetres, left edges from
// the left margin, tops from the band's top):
//
//     TableDataSource days(tblAuswert);               // the report's own table
//     Report report(QStringLiteral("Personal-Monatsliste (Summen)"), &days);
//     report.setFont({QStringLiteral("Arial"), 9});   // before adding bands
//     report.setGenerationStarted([this] { resetCounters(); });  // every generation
//
//     ReportBand &header = report.addBand(BandKind::PageHeader, "pageHeader", 11);
//     header.addLabel("laTitel", 0, 0, QStringLiteral("Personal-Monatsliste (Summen)"));
//     header.addSystemField("laDatum", 0, 0, SystemField::Date, QStringLiteral("Datum: "))
//         .toRightEdge().setAlignment(Qt::AlignRight);
//     header.addSystemField("laSeite", 0, 5.3, SystemField::PageNumber, "Seite: ")
//         .toRightEdge().setAlignment(Qt::AlignRight);
//
//     ReportBand &day = report.addBand(BandKind::Detail, "dayRow", 5.3);
//     day.addField("laTag", 0, 0, "Datum").setFormatter(formatDayText);
//     ReportText &soll = day.addLabel("laSoll", 31.8, 0, QString())
//                            .setWidth(15.1).setAlignment(Qt::AlignRight);
//     day.setBeforePrint([&] { soll.setCaption(hours(...)); return true; });
//
//     ReportBand &week = day.addChild("weekRow", 5.3);      // right after its parent
//     week.addFrame(FrameEdge::Top);
//     week.setBeforePrint([&] { return isSundayOrEnd(); }); // false suppresses the band
//
//     ReportSubDetail &entries = report.addSubDetail("entryLine", &entrySource, 4.8);
//     entries.addFooter("weekRow", 5.3);                  // after the linked records
//
//     ReportDocument pages = report.generate();           // no data record: no page
//
// Order per page: page header, title (first page only), column header, body bands, page
// footer at the bottom of the printing area. Per record of the main source: the group
// headers whose key changed, the detail band with its children, then each sub-detail
// (header, one band per linked record, footer). The sub-details run also when the detail
// band was suppressed; a child band prints only when its parent printed. After the last
// record: the open group footers and the summary band.
//
// Output (gui/reports/ReportPreview.h, ReportRenderer.h): previewReport(report,
// parent) waits until the preview is closed (its print and "PDF" commands generate anew);
// printReport(report, parent) asks with the system print dialog first (cancel: nothing);
// printReport(report, printer) prints to a printer chosen before (print runs);
// writeReportPdf(report, file) writes without display. Several sheets in one job, each with
// its own page numbers: ReportPrintJob job(printer); job.add(report.generate()); ...;
// or writePdf({doc1, doc2}, file). Date fields: setFormatter(dateFieldText).
//
// Hooks run while the band is being placed: a before-print hook may change captions and
// returns false to suppress its band (and its children) for the current record; an on-print
// hook receives the text about to be printed and may replace it. A group footer is printed
// when the key changes, so its hooks see the first record of the next group (or none).

#include "core/reports/engine/ReportDataSource.h"
#include "core/reports/engine/ReportPage.h"

#include <QDate>

#include <functional>
#include <memory>
#include <vector>

namespace tk {

enum class SystemField { Date, PageNumber, Title };

// A formatter for date fields: tables hand dates over as ISO text ("2024-03-05"); this
// prints them in the short date form and an empty field as nothing.
QString dateFieldText(const QVariant &value);
enum class FrameEdge { Top, Bottom };
// Thin: a hairline rule; Thick: a rule of double thickness; Dashed: a thin dashed rule;
// Double: two thin parallel rules.
enum class FrameStyle { Thin, Thick, Dashed, Double };

// A text element of a band: a fixed label, a field of the band's data source or a system
// field, placed at (left, top) in its band.
class ReportText
{
public:
    enum class Source { Label, Field, System };

    ReportText(const QString &name, Source source, double left, double top, const ReportFont &font);

    // A fixed-width cell; longer text is cut at the cell edge. Without a width the cell is
    // as wide as its text.
    ReportText &setWidth(double mm);
    // The cell runs from left to the right edge of the printing area (for right-aligned
    // dates and page numbers, and for text centred on the page).
    ReportText &toRightEdge();
    ReportText &setAlignment(Qt::Alignment alignment);
    ReportText &setFont(const ReportFont &font);
    ReportText &setBold(bool bold);
    ReportText &setPointSize(double pointSize);
    ReportText &setColor(const QColor &color);
    // Fills the cell (its width, the band's height) behind the text; invalid: no fill.
    ReportText &setBackground(const QColor &color);
    // Text printed before a system field's value ("Seite: ").
    ReportText &setPrefix(const QString &prefix);
    // Turns a field value into its text (default: dates in the short date form, numbers
    // as plain numbers, an empty field as nothing).
    ReportText &setFormatter(std::function<QString(const QVariant &)> formatter);
    // Receives the text about to be printed and may replace it.
    ReportText &setOnPrint(std::function<void(QString &text)> hook);

    void setCaption(const QString &caption) { m_caption = caption; }
    QString caption() const { return m_caption; }

    QString name() const { return m_name; }
    Source source() const { return m_source; }
    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; } // 0: as needed
    bool runsToRightEdge() const { return m_toRightEdge; }
    Qt::Alignment alignment() const { return m_alignment; }
    const ReportFont &font() const { return m_font; }
    QColor color() const { return m_color; }
    QColor background() const { return m_background; }
    QString prefix() const { return m_prefix; }
    QString fieldName() const { return m_field; }
    SystemField systemField() const { return m_system; }
    void setSystemField(SystemField field) { m_system = field; }

    // The text as it prints for the current record (formatter and on-print hook applied).
    QString textFor(const QVariant &fieldValue, const QString &systemText) const;

private:
    QString m_name;
    Source m_source;
    double m_left;
    double m_top;
    double m_width = 0.0;
    bool m_toRightEdge = false;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    ReportFont m_font;
    QColor m_color = Qt::black;
    QColor m_background;
    QString m_caption; // label text
    QString m_field;
    QString m_prefix;
    SystemField m_system = SystemField::Date;
    std::function<QString(const QVariant &)> m_formatter;
    std::function<void(QString &)> m_onPrint;

    friend class ReportBand;
};

class ReportBand
{
public:
    ReportBand(BandKind kind, const QString &name, double height, const ReportFont &font,
               ReportDataSource *source);

    BandKind kind() const { return m_kind; }
    QString name() const { return m_name; }
    double height() const { return m_height; }

    // Texts added afterwards take this font (the report's font by default).
    void setFont(const ReportFont &font) { m_font = font; }
    const ReportFont &font() const { return m_font; }

    ReportText &addLabel(const QString &name, double left, double top, const QString &caption);
    ReportText &addField(const QString &name, double left, double top, const QString &field);
    ReportText &addSystemField(const QString &name, double left, double top, SystemField field,
                               const QString &prefix = QString());
    // The element of that name; throws std::out_of_range when there is none.
    ReportText &text(const QString &name);

    // A rule along the band's top or bottom edge across the printing area.
    void addFrame(FrameEdge edge, FrameStyle style = FrameStyle::Thin);
    void setBackground(const QColor &color) { m_background = color; }
    QColor background() const { return m_background; }

    // Returns false to suppress the band for the current record.
    void setBeforePrint(std::function<bool()> hook) { m_beforePrint = std::move(hook); }
    bool wantsToPrint() const { return !m_beforePrint || m_beforePrint(); }

    // A band printed right after this one (when this one printed), with its own hook.
    ReportBand &addChild(const QString &name, double height);

    // The data source its fields read from (null: the report's main source).
    ReportDataSource *dataSource() const { return m_source; }

    struct Frame
    {
        FrameEdge edge;
        FrameStyle style;
    };
    const std::vector<std::unique_ptr<ReportText>> &texts() const { return m_texts; }
    const std::vector<Frame> &frames() const { return m_frames; }
    const std::vector<std::unique_ptr<ReportBand>> &children() const { return m_children; }

private:
    ReportText &add(std::unique_ptr<ReportText> text);

    BandKind m_kind;
    QString m_name;
    double m_height;
    ReportFont m_font;
    ReportDataSource *m_source;
    QColor m_background; // invalid: no fill
    std::function<bool()> m_beforePrint;
    std::vector<std::unique_ptr<ReportText>> m_texts;
    std::vector<Frame> m_frames;
    std::vector<std::unique_ptr<ReportBand>> m_children;
};

// Header and footer printed around the records sharing one value of key().
class ReportGroup
{
public:
    ReportGroup(const QString &name, std::function<QVariant()> key, const ReportFont &font);

    ReportBand &addHeader(const QString &name, double height);
    ReportBand &addFooter(const QString &name, double height);

    QString name() const { return m_name; }
    QVariant key() const { return m_key(); }
    ReportBand *header() const { return m_header.get(); }
    ReportBand *footer() const { return m_footer.get(); }

private:
    QString m_name;
    std::function<QVariant()> m_key;
    ReportFont m_font;
    std::unique_ptr<ReportBand> m_header;
    std::unique_ptr<ReportBand> m_footer;
};

// One band per record of a linked source, after each record of the main source. The source
// must follow the main source's current record by itself (Table::setMaster,
// MemoryDataSource::linkTo).
class ReportSubDetail
{
public:
    ReportSubDetail(const QString &name, ReportDataSource *source, double height,
                    const ReportFont &font);

    ReportBand &band() const { return *m_band; }
    ReportBand &addHeader(const QString &name, double height);
    ReportBand &addFooter(const QString &name, double height);
    // Header and footer print also when there is no linked record (the default).
    void setHeaderAndFooterWhenEmpty(bool print) { m_printWhenEmpty = print; }

    ReportDataSource *source() const { return m_source; }
    ReportBand *header() const { return m_header.get(); }
    ReportBand *footer() const { return m_footer.get(); }
    bool headerAndFooterWhenEmpty() const { return m_printWhenEmpty; }

private:
    ReportDataSource *m_source;
    ReportFont m_font;
    std::unique_ptr<ReportBand> m_band;
    std::unique_ptr<ReportBand> m_header;
    std::unique_ptr<ReportBand> m_footer;
    bool m_printWhenEmpty = true;
};

class Report
{
public:
    explicit Report(const QString &title, ReportDataSource *source = nullptr);
    ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    // Used for the preview window, the print job and the title system field.
    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

    ReportDataSource *dataSource() const { return m_source; }
    void setDataSource(ReportDataSource *source) { m_source = source; }

    // A4 portrait by default; landscape swaps the paper's sides.
    void setLandscape(bool landscape) { m_landscape = landscape; }
    bool isLandscape() const { return m_landscape; }
    QSizeF paperSize() const;
    void setMargin(double mm) { m_margin = mm; }
    double margin() const { return m_margin; }
    QSizeF printingArea() const;

    // Bands and texts added afterwards take this font.
    void setFont(const ReportFont &font) { m_font = font; }
    const ReportFont &font() const { return m_font; }

    // The date the Date system field shows; today when not set.
    void setPrintDate(const QDate &date) { m_printDate = date; }
    QDate printDate() const;

    // Whether previewing and printing show the engine's progress display.
    void setShowProgress(bool show) { m_showProgress = show; }
    bool showProgress() const { return m_showProgress; }

    // Called at the start of every generation of the pages (counters start from 0 again).
    void setGenerationStarted(std::function<void()> hook) { m_generationStarted = std::move(hook); }

    // One band each of the kinds PageHeader, Title, ColumnHeader, Detail, Summary and
    // PageFooter; adding a second of a kind throws std::logic_error.
    ReportBand &addBand(BandKind kind, const QString &name, double height);
    ReportBand *band(BandKind kind) const;
    // Groups nest in the order they are added (the first is the outermost).
    ReportGroup &addGroup(const QString &name, std::function<QVariant()> key);
    ReportSubDetail &addSubDetail(const QString &name, ReportDataSource *source, double height);

    const std::vector<std::unique_ptr<ReportGroup>> &groups() const { return m_groups; }
    const std::vector<std::unique_ptr<ReportSubDetail>> &subDetails() const { return m_subDetails; }

    // Lays out all pages. pageStarted (optional) is told each new page number, for a
    // progress display. Errors of the data source or of hooks propagate.
    ReportDocument generate(const std::function<void(int pageNumber)> &pageStarted = {});
    void notifyGenerationStarted() const;

private:
    QString m_title;
    ReportDataSource *m_source;
    bool m_landscape = false;
    double m_margin = 10.0;
    ReportFont m_font;
    QDate m_printDate;
    bool m_showProgress = true;
    std::function<void()> m_generationStarted;
    std::vector<std::unique_ptr<ReportBand>> m_bands;
    std::vector<std::unique_ptr<ReportGroup>> m_groups;
    std::vector<std::unique_ptr<ReportSubDetail>> m_subDetails;
};

} // namespace tk
