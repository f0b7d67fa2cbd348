#pragma once

#include <QString>
#include <QVariantList>
#include <QVector>

#include <memory>

namespace tk {

// One Paradox table file, read through pxlib: its fields and its records, every value as Qt
// holds it. Alpha fields are decoded from the code page the file names, dates become QDate,
// short, long and auto-increment integers int, numbers, money and BCD double, logical fields
// bool, times QTime and timestamps QDateTime. A field whose bytes are all zero is empty (a
// null QVariant): pxlib would read an empty long or date as its smallest value.
class ParadoxTable
{
public:
    enum class Kind { Text, Date, Integer, Number, Logical, Time, Timestamp, Unsupported };
    struct Field
    {
        QString name;
        Kind kind;
        QString typeName; // as Paradox calls the type ("Alpha", "Long Integer", ...)
    };

    // Opens the file; throws UserError (German) when it is no readable Paradox table.
    explicit ParadoxTable(const QString &path);
    ~ParadoxTable();
    ParadoxTable(const ParadoxTable &) = delete;
    ParadoxTable &operator=(const ParadoxTable &) = delete;

    const QVector<Field> &fields() const { return m_fields; }
    int recordCount() const;
    int codePage() const;
    // The values of the record (0 = first), one per field; throws UserError.
    QVariantList record(int index) const;

private:
    class Reader;
    std::unique_ptr<Reader> m_reader;
    QVector<Field> m_fields;
};

} // namespace tk
