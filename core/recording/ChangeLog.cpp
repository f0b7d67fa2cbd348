#include "core/recording/ChangeLog.h"

#include <QDateTime>
#include <QTextStream>

#include "core/common/ClockText.h"
#include "core/common/CsvField.h"
#include "core/db/Database.h"
#include "core/db/SqlDialect.h"
#include "core/db/Table.h"

namespace tk {

namespace {

const char *const Columns =
    "Zeitpunkt, Benutzer, Arbeitsplatz, Tabelle, Schluessel, Feld, AltWert, NeuWert, Grund";

QVector<ChangeRow> readRows(const QString &condition, const QVariantList &binds)
{
    Query query;
    // within a second, in the order they were written
    query.setSql(QStringLiteral("SELECT %1 FROM Protokoll WHERE %2 ORDER BY Zeitpunkt, %3")
                     .arg(QLatin1String(Columns), condition,
                          SqlDialect::rowIdColumn(Database::connection())));
    query.open(binds);
    QVector<ChangeRow> rows;
    for (int r = 0; r < query.rowCount(); ++r) {
        const auto text = [&](int column) { return query.value(r, column).toString(); };
        rows.append(
            {text(0), text(1), text(2), text(3), text(4), text(5), text(6), text(7), text(8)});
    }
    return rows;
}

} // namespace

QVector<ChangeRow> ChangesOfMonth(int month, int year, int personalNummer)
{
    const QDate first(year, month, 1);
    QString condition = QStringLiteral("Zeitpunkt >= ? AND Zeitpunkt < ?");
    QVariantList binds{IsoDateText(first), IsoDateText(first.addMonths(1))};
    if (personalNummer > 0) {
        condition += QStringLiteral(" AND ((lower(Tabelle) = 'personal' AND Schluessel = ?) OR "
                                    "(lower(Tabelle) IN ('auswpos', 'auswert', 'abschluss') AND "
                                    "Schluessel LIKE ?))");
        binds << QString::number(personalNummer) << QStringLiteral("%1;%").arg(personalNummer);
    }
    return readRows(condition, binds);
}

QVector<ChangeRow> ChangesOfDay(int personalNummer, const QDate &date)
{
    return readRows(QStringLiteral("lower(Tabelle) IN ('auswpos', 'auswert') AND Schluessel = ?"),
                    {QStringLiteral("%1;%2").arg(personalNummer).arg(IsoDateText(date))});
}

QString ChangeTimeText(const QString &zeitpunkt)
{
    const QDateTime time = QDateTime::fromString(zeitpunkt, Qt::ISODate);
    return time.isValid() ? time.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")) : zeitpunkt;
}

void WriteChanges(const QVector<ChangeRow> &rows, QTextStream &out)
{
    out << QStringLiteral("Zeitpunkt;Benutzer;Arbeitsplatz;Tabelle;Schluessel;Feld;AltWert;"
                          "NeuWert;Grund")
        << '\n';
    for (const ChangeRow &row : rows) {
        out << QStringList{CsvField(row.zeitpunkt),    CsvField(row.benutzer),
                           CsvField(row.arbeitsplatz), CsvField(row.tabelle),
                           CsvField(row.schluessel),   CsvField(row.feld),
                           CsvField(row.altWert),      CsvField(row.neuWert),
                           CsvField(row.grund)}
                   .join(QLatin1Char(';'))
            << '\n';
    }
}

} // namespace tk
