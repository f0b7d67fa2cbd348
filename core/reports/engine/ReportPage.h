#pragma once

#include <QColor>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>

namespace tk {

// A font as a list asks for it. "Arial" is requested; where it is missing the font
// configuration substitutes a metric-compatible face (Liberation Sans).
struct ReportFont
{
    QString family = QStringLiteral("Arial");
    double pointSize = 10.0;
    bool bold = false;

    bool operator==(const ReportFont &o) const
    {
        return family == o.family && pointSize == o.pointSize && bold == o.bold;
    }
    bool operator!=(const ReportFont &o) const { return !(*this == o); }
};

enum class BandKind {
    PageHeader,
    Title,
    ColumnHeader,
    GroupHeader,
    Detail,
    SubDetailHeader,
    SubDetail,
    SubDetailFooter,
    GroupFooter,
    Child,
    Summary,
    PageFooter
};

enum class LineStyle { Solid, Dashed };

// One positioned thing on a page. All coordinates are millimetres from the top-left corner
// of the printing area (inside the margins).
struct ReportItem
{
    enum class Kind { Text, Line, Fill };

    Kind kind = Kind::Text;
    QString band; // name of the band that placed it
    QString name; // name of the text element (empty for frames and fills)

    // Text: its cell; Fill: the filled area.
    QRectF rect;
    QString text;
    ReportFont font;
    int alignment = 0; // Qt::Alignment flags (horizontal part)
    bool clip = false; // a fixed-width cell cuts longer text at its edge
    QColor color = Qt::black;

    // Line: from p1 to p2, pen width in mm.
    QLineF line;
    LineStyle lineStyle = LineStyle::Solid;
    double lineWidth = 0.0;
};

// A band as it was placed on a page, with the range of its items.
struct PlacedBand
{
    QString name;
    BandKind kind = BandKind::Detail;
    double top = 0.0;
    double height = 0.0;
    int firstItem = 0;
    int itemCount = 0;
};

class ReportPage
{
public:
    int number = 0; // 1-based
    QVector<ReportItem> items;
    QVector<PlacedBand> bands;

    QStringList bandNames() const;
    // Items of the index-th placed band.
    QVector<ReportItem> itemsOf(int bandIndex) const;
    // Text of the element name in the index-th placed band; empty when it has none.
    QString textOf(int bandIndex, const QString &elementName) const;
    // Index of the first placed band of that name at or after from, -1 when none.
    int indexOf(const QString &bandName, int from = 0) const;
    // All texts of the page in placing order.
    QStringList texts() const;
};

// The generated pages of one report with the page geometry they were laid out for.
struct ReportDocument
{
    QString title;
    QSizeF paperSize;   // mm, as oriented
    double margin = 10; // mm, all four sides
    bool landscape = false;
    QVector<ReportPage> pages;

    QSizeF printingArea() const
    {
        return QSizeF(paperSize.width() - 2 * margin, paperSize.height() - 2 * margin);
    }
};

} // namespace tk
