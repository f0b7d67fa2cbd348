#include "tests/support/ParadoxFiles.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTime>

extern "C" { // pxlib's header declares C functions without saying so
#include <paradox.h>
}

#include <iconv.h>

#include <algorithm>
#include <cstring>

#include "core/db/Database.h"
#include "core/db/Schema.h"

namespace tk::test {

namespace {

constexpr qint64 JulianDayBeforeYearOne = 1721425;

QByteArray encoded(const QString &text, int codePage)
{
    const QByteArray name = "CP" + QByteArray::number(codePage);
    iconv_t cd = iconv_open(name.constData(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        qFatal("iconv kennt %s nicht", name.constData());
    QByteArray in = text.toUtf8();
    QByteArray out(in.size() * 2 + 1, '\0');
    char *from = in.data();
    size_t fromLeft = size_t(in.size());
    char *to = out.data();
    size_t toLeft = size_t(out.size());
    if (iconv(cd, &from, &fromLeft, &to, &toLeft) == size_t(-1))
        qFatal("\"%s\" passt nicht in %s", qPrintable(text), name.constData());
    iconv_close(cd);
    out.truncate(int(to - out.data()));
    return out;
}

void put(pxdoc_t *doc, char *at, const ParadoxField &field, const QVariant &value, int codePage)
{
    if (value.isNull())
        return;
    switch (field.type) {
    case pxfAlpha: {
        QByteArray bytes = encoded(value.toString(), codePage);
        bytes.truncate(field.length);
        PX_put_data_alpha(doc, at, field.length, bytes.data());
        break;
    }
    case pxfDate:
        PX_put_data_long(doc, at, field.length,
                         int(value.toDate().toJulianDay() - JulianDayBeforeYearOne));
        break;
    case pxfShort:
        PX_put_data_short(doc, at, field.length, short(value.toInt()));
        break;
    case pxfTime: // milliseconds after midnight
        PX_put_data_long(doc, at, field.length, value.toTime().msecsSinceStartOfDay());
        break;
    case pxfNumber:
    case pxfCurrency:
        PX_put_data_double(doc, at, field.length, value.toDouble());
        break;
    default:
        PX_put_data_long(doc, at, field.length, value.toInt());
    }
}

// How an old installation kept a column of the program's tables.
ParadoxField fieldOf(const QString &table, const QString &definition)
{
    const QStringList words = definition.split(QLatin1Char(' '));
    const QByteArray name = words.at(0).toLatin1();
    const QString type = words.at(1);
    if (type == QLatin1String("DATE"))
        return {name, pxfDate, 4};
    if (type == QLatin1String("REAL"))
        return {name, pxfNumber, 8};
    if (type == QLatin1String("TEXT"))
        return {name, pxfAlpha, name == "Kennung" ? 1 : 40};
    const bool minutes = (table == QLatin1String("Tagplan") || table == QLatin1String("AuswPos"))
        && name != "Schichtplan" && name != "Tagesplan" && name != "PersonalNummer";
    return minutes ? ParadoxField{name, pxfShort, 2} : ParadoxField{name, pxfLong, 4};
}

} // namespace

void writeParadoxTable(const QString &path, const QVector<ParadoxField> &fields,
                       const QVector<QVariantList> &rows, int codePage)
{
    pxdoc_t *doc = PX_new();
    auto *definitions = static_cast<pxfield_t *>(
        doc->malloc(doc, sizeof(pxfield_t) * size_t(fields.size()), "Felder"));
    for (int i = 0; i < fields.size(); ++i) {
        char *name =
            static_cast<char *>(doc->malloc(doc, size_t(fields.at(i).name.size()) + 1, "Name"));
        std::strcpy(name, fields.at(i).name.constData());
        definitions[i] = {name, fields.at(i).type, fields.at(i).length, 0};
    }
    QFile::remove(path);
    if (PX_create_file(doc, definitions, int(fields.size()), QFile::encodeName(path).constData(),
                       pxfFileTypNonIndexDB)
        < 0)
        qFatal("Paradox-Datei %s nicht angelegt", qPrintable(path));
    PX_set_value(doc, "codepage", float(codePage));
    QByteArray record(PX_get_recordsize(doc), '\0');
    for (const QVariantList &row : rows) {
        record.fill('\0');
        char *at = record.data();
        for (int i = 0; i < fields.size(); ++i) {
            put(doc, at, fields.at(i), row.value(i), codePage);
            at += fields.at(i).length;
        }
        if (PX_put_record(doc, record.data()) < 0)
            qFatal("Zeile in %s nicht geschrieben", qPrintable(path));
    }
    PX_close(doc);
    PX_delete(doc);
}

void writeDatabaseAsParadox(const QString &folder)
{
    const QVector<QPair<QString, QString>> files{
        {QStringLiteral("Personal"), QStringLiteral("PERSONAL.DB")},
        {QStringLiteral("Schicht"), QStringLiteral("Schicht.DB")},
        {QStringLiteral("Tagplan"), QStringLiteral("TagPlan.db")},
        {QStringLiteral("auswert"), QStringLiteral("AUSWERT.DB")},
        {QStringLiteral("AuswPos"), QStringLiteral("AuswPos.db")}};
    QDir().mkpath(folder);
    for (const auto &[name, file] : files) {
        const SchemaTable &table =
            *std::find_if(schemaTables().begin(), schemaTables().end(),
                          [&name = name](const SchemaTable &t) { return t.name == name; });
        QVector<ParadoxField> fields;
        for (const QString &definition : table.columns)
            fields << fieldOf(table.name, definition);
        QSqlQuery q(Database::connection());
        q.exec(QStringLiteral("SELECT %1 FROM %2")
                   .arg(table.columnNames().join(QStringLiteral(", ")), table.name));
        QVector<QVariantList> rows;
        while (q.next()) {
            QVariantList row;
            for (int c = 0; c < fields.size(); ++c) {
                const QVariant value = q.value(c);
                row << (fields.at(c).type == pxfDate && !value.isNull()
                            ? QVariant(QDate::fromString(value.toString().left(10), Qt::ISODate))
                            : value);
            }
            rows << row;
        }
        writeParadoxTable(QDir(folder).filePath(file), fields, rows);
    }
}

} // namespace tk::test
