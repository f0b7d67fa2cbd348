#include "core/import/ParadoxImport.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "core/common/ClockText.h"
#include "core/common/EntryCodes.h"
#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/DatabaseBackup.h"
#include "core/db/Schema.h"
#include "core/db/SqlDialect.h"
#include "core/db/TableRefill.h"
#include "core/import/ParadoxTable.h"

namespace tk {

namespace {

const char *const ImportedTables[] = {"Personal", "Schicht", "Tagplan", "auswert", "AuswPos"};
// The rows an import replaces: the old data's employees and plans, and what belongs to them.
const char *const ReplacedTables[] = {"Personal", "Schicht",   "Tagplan",  "auswert",
                                      "AuswPos",  "Zeitkonto", "Abschluss"};
constexpr int FirstPossibleYear = 1900;
constexpr int LastPossibleYear = 2100;
constexpr int ListedRefusals = 50;

const SchemaTable &schemaTable(const QString &name)
{
    for (const SchemaTable &table : schemaTables()) {
        if (table.name == name)
            return table;
    }
    throw UserError(QStringLiteral("Die Tabelle %1 gibt es nicht.").arg(name));
}

QString dateText(const QDate &date)
{
    return date.isValid() ? GermanDateText(date) : QStringLiteral("?");
}

QString valueText(const QVariant &value)
{
    return value.typeId() == QMetaType::QDate ? dateText(value.toDate()) : value.toString();
}

// A column of the table, the file's field it comes from (-1: the file lacks it) and how a
// value of that field becomes the column's.
struct Column
{
    QString name;
    QString type; // INTEGER, TEXT, REAL, DATE
    bool key = false;
    int field = -1;
};

bool accepts(const QString &type, ParadoxTable::Kind kind)
{
    using Kind = ParadoxTable::Kind;
    if (type == QLatin1String("INTEGER"))
        return kind == Kind::Integer || kind == Kind::Number || kind == Kind::Time;
    if (type == QLatin1String("DATE"))
        return kind == Kind::Date || kind == Kind::Timestamp;
    if (type == QLatin1String("REAL"))
        return kind == Kind::Number || kind == Kind::Integer;
    return kind == Kind::Text || kind == Kind::Integer || kind == Kind::Number;
}

QString expected(const QString &type)
{
    if (type == QLatin1String("INTEGER"))
        return QStringLiteral("eine ganze Zahl oder Minuten");
    if (type == QLatin1String("DATE"))
        return QStringLiteral("ein Datum");
    if (type == QLatin1String("REAL"))
        return QStringLiteral("eine Zahl");
    return QStringLiteral("ein Text");
}

// The value as the column keeps it; why tells when no row may hold it.
QVariant converted(const Column &column, const QVariant &value, QString *why)
{
    if (value.isNull())
        return value;
    if (column.type == QLatin1String("INTEGER")) {
        if (value.typeId() == QMetaType::QTime) // a clock time: minutes after midnight
            return value.toTime().msecsSinceStartOfDay() / 60000;
        const double number = value.toDouble();
        if (number != std::floor(number) || std::fabs(number) > std::numeric_limits<int>::max())
            *why = QStringLiteral("%1 %2 ist keine ganze Zahl").arg(column.name, value.toString());
        return int(number);
    }
    if (column.type == QLatin1String("DATE")) {
        const QDate date =
            value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
        if (!date.isValid() || date.year() < FirstPossibleYear || date.year() > LastPossibleYear)
            *why = QStringLiteral("unmögliches Datum %1 in %2").arg(dateText(date), column.name);
        return date;
    }
    if (column.type == QLatin1String("REAL")) {
        if (!std::isfinite(value.toDouble()))
            *why = QStringLiteral("%1 ist keine Zahl").arg(column.name);
        return value.toDouble();
    }
    if (value.typeId() == QMetaType::Double) // a postal code kept as a number
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

// The program's rules for single fields: the evaluation period starts on the 1st or the 16th,
// a plan has the day plans 1 to 8, an entry one of the five codes.
QString ruleBroken(const QString &table, const QString &column, const QVariant &value)
{
    if (value.isNull())
        return QString();
    if (column == QLatin1String("AuswertBegin") && value.toInt() != 1 && value.toInt() != 16)
        return QStringLiteral("AuswertBegin %1 ist weder 1 noch 16").arg(value.toInt());
    if (table == QLatin1String("Tagplan") && column == QLatin1String("Tagesplan")
        && (value.toInt() < 1 || value.toInt() > 8))
        return QStringLiteral("Tagesplan %1 liegt nicht zwischen 1 und 8").arg(value.toInt());
    if (column == QLatin1String("Kennung") && !EntryCodeLetters().contains(value.toString()))
        return QStringLiteral("unbekannte Kennung \"%1\"").arg(value.toString());
    return QString();
}

QString findFile(const QDir &folder, const QString &table)
{
    const QString wanted = table + QStringLiteral(".db");
    for (const QString &name : folder.entryList(QDir::Files)) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name;
    }
    throw UserError(QStringLiteral("Im Ordner \"%1\" fehlt die Tabelle %2.")
                        .arg(QDir::toNativeSeparators(folder.absolutePath()), wanted));
}

// One Paradox file read into one table of the program.
class TableSource
{
public:
    TableSource(const QDir &folder, const SchemaTable &table)
        : m_table(table)
    {
        m_report.name = table.name;
        m_report.file = findFile(folder, table.name);
        m_file = std::make_unique<ParadoxTable>(folder.filePath(m_report.file));
        m_report.read = m_file->recordCount();
        mapColumns();
        for (const SchemaIndex &index : table.indexes) {
            for (const QString &column : index.columns) {
                if (index.unique)
                    m_uniqueKey << int(table.columnNames().indexOf(column));
            }
        }
    }

    const ImportedTable &report() const { return m_report; }

    void writeInto(TableRefill &refill)
    {
        QStringList names;
        for (const Column &column : m_columns)
            names << column.name;
        for (int i = 0; i < m_report.read; ++i) {
            QString why;
            const QVariantList values = row(m_file->record(i), &why);
            if (!why.isEmpty()) {
                m_report.refused << QStringLiteral("Zeile %1: %2").arg(i + 1).arg(why);
                continue;
            }
            refill.insert(m_table.name, names, values);
            ++m_report.taken;
        }
    }

private:
    [[noreturn]] void refuse(const QString &why) const
    {
        throw UserError(QStringLiteral("%1: %2").arg(m_report.file, why));
    }

    void mapColumns()
    {
        const QVector<ParadoxTable::Field> &fields = m_file->fields();
        QVector<bool> used(fields.size(), false);
        for (const QString &definition : m_table.columns) {
            const QStringList words = definition.split(QLatin1Char(' '));
            Column column{words.at(0), words.at(1), definition.endsWith(QLatin1String("NOT NULL"))};
            for (int f = 0; f < fields.size(); ++f) {
                if (fields.at(f).name.compare(column.name, Qt::CaseInsensitive) == 0)
                    column.field = f;
            }
            if (column.field < 0 && column.key)
                refuse(QStringLiteral("Das Feld %1 fehlt.").arg(column.name));
            if (column.field >= 0) {
                const ParadoxTable::Field &field = fields.at(column.field);
                if (!accepts(column.type, field.kind))
                    refuse(QStringLiteral("Das Feld %1 hat den Typ %2; übernommen wird hier %3.")
                               .arg(column.name, field.typeName, expected(column.type)));
                used[column.field] = true;
            }
            m_columns << column;
        }
        for (int f = 0; f < fields.size(); ++f) {
            if (!used.at(f))
                m_report.leftAside << fields.at(f).name;
        }
    }

    QVariantList row(const QVariantList &record, QString *why)
    {
        QVariantList values;
        for (const Column &column : m_columns) {
            QVariant value = column.field < 0 ? valueOfAddedColumn(m_table.name, column.name)
                                              : converted(column, record.at(column.field), why);
            if (value.isNull() && column.name == QLatin1String("AuswertBegin"))
                value = valueOfAddedColumn(m_table.name, column.name);
            if (why->isEmpty() && column.key && value.isNull())
                *why = QStringLiteral("%1 ist leer").arg(column.name);
            if (why->isEmpty())
                *why = ruleBroken(m_table.name, column.name, value);
            if (!why->isEmpty())
                return {};
            values << value;
        }
        if (!m_uniqueKey.isEmpty()) {
            QStringList key;
            for (const int column : m_uniqueKey)
                key << valueText(values.at(column));
            const QString text = key.join(QLatin1Char(';'));
            if (m_keys.contains(text))
                *why = QStringLiteral("doppelter Schlüssel %1").arg(text);
            m_keys.insert(text);
        }
        return values;
    }

    const SchemaTable &m_table;
    ImportedTable m_report;
    std::unique_ptr<ParadoxTable> m_file;
    QVector<Column> m_columns;
    QVector<int> m_uniqueKey; // the positions of the unique index's columns
    QSet<QString> m_keys;
};

void backUpBeforeReplacing()
{
    const QString folder = DatabaseBackup::automaticFolder();
    if (folder.isEmpty())
        throw UserError(QStringLiteral("Die Daten werden nicht ersetzt: es gibt keinen Ordner "
                                       "für die Sicherung vorher."));
    try {
        DatabaseBackup::writeInto(folder, QDateTime::currentDateTime());
    } catch (const UserError &error) {
        throw UserError(QStringLiteral("Die Daten werden nicht ersetzt, weil die Sicherung "
                                       "vorher nicht gelang: %1")
                            .arg(error.message()));
    }
}

} // namespace

QVector<ImportedTable> ParadoxImport::run(const QString &folder, Existing existing)
{
    const QDir dir(folder);
    if (!dir.exists())
        throw UserError(QStringLiteral("Den Ordner \"%1\" gibt es nicht.")
                            .arg(QDir::toNativeSeparators(folder)));
    std::vector<std::unique_ptr<TableSource>> sources;
    for (const char *name : ImportedTables)
        sources.push_back(std::make_unique<TableSource>(dir, schemaTable(QLatin1String(name))));
    const QString held = existingRows();
    if (!held.isEmpty() && existing == Existing::Refuse)
        throw UserError(QStringLiteral("Die Datenbank enthält schon Daten (%1). Altdaten werden "
                                       "nur in eine leere Datenbank übernommen, oder sie "
                                       "ersetzen die Daten ausdrücklich.")
                            .arg(held));
    if (!held.isEmpty())
        backUpBeforeReplacing();
    TableRefill refill(QStringLiteral("Altdaten übernommen aus %1")
                           .arg(QDir::toNativeSeparators(dir.absolutePath())));
    if (!held.isEmpty()) {
        for (const char *name : ReplacedTables)
            refill.empty(QLatin1String(name));
    }
    QVector<ImportedTable> reports;
    for (const auto &source : sources) {
        source->writeInto(refill);
        reports << source->report();
    }
    refill.commit();
    return reports;
}

QString ParadoxImport::existingRows()
{
    const QSqlDatabase db = Database::connection();
    QStringList held;
    QSqlError error;
    for (const char *name : ReplacedTables) {
        const std::optional<qint64> rows = SqlDialect::rowCount(db, QLatin1String(name), &error);
        if (!rows)
            throw Database::error(QStringLiteral("Lesen der Tabelle %1").arg(QLatin1String(name)),
                                  error);
        if (*rows > 0)
            held << QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(*rows);
    }
    return held.join(QStringLiteral(", "));
}

QStringList ParadoxImport::reportLines(const QVector<ImportedTable> &tables)
{
    QStringList lines;
    for (const ImportedTable &table : tables) {
        lines << QStringLiteral("%1 (%2): %3 gelesen, %4 übernommen, %5 abgewiesen")
                     .arg(table.name, table.file)
                     .arg(table.read)
                     .arg(table.taken)
                     .arg(table.refused.size());
        for (const QString &refusal : table.refused.mid(0, ListedRefusals))
            lines << QStringLiteral("  ") + refusal;
        if (table.refused.size() > ListedRefusals)
            lines
                << QStringLiteral("  … und %1 weitere").arg(table.refused.size() - ListedRefusals);
        if (!table.leftAside.isEmpty())
            lines << QStringLiteral("  nicht übernommene Felder: %1")
                         .arg(table.leftAside.join(QStringLiteral(", ")));
    }
    return lines;
}

} // namespace tk
