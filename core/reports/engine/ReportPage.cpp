#include "core/reports/engine/ReportPage.h"

namespace tk {

QStringList ReportPage::bandNames() const
{
    QStringList names;
    for (const PlacedBand &b : bands)
        names.append(b.name);
    return names;
}

QVector<ReportItem> ReportPage::itemsOf(int bandIndex) const
{
    if (bandIndex < 0 || bandIndex >= bands.size())
        return {};
    const PlacedBand &b = bands.at(bandIndex);
    return items.mid(b.firstItem, b.itemCount);
}

QString ReportPage::textOf(int bandIndex, const QString &elementName) const
{
    for (const ReportItem &item : itemsOf(bandIndex)) {
        if (item.kind == ReportItem::Kind::Text && item.name == elementName)
            return item.text;
    }
    return QString();
}

int ReportPage::indexOf(const QString &bandName, int from) const
{
    for (int i = qMax(0, from); i < bands.size(); ++i) {
        if (bands.at(i).name == bandName)
            return i;
    }
    return -1;
}

QStringList ReportPage::texts() const
{
    QStringList result;
    for (const ReportItem &item : items) {
        if (item.kind == ReportItem::Kind::Text)
            result.append(item.text);
    }
    return result;
}

} // namespace tk
