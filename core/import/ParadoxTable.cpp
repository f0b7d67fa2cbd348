#include "core/import/ParadoxTable.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTime>

extern "C" { // pxlib's header declares C functions without saying so
#include <paradox.h>
}

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/common/Errors.h"

namespace tk {

namespace {

// Paradox counts days from 1 January of year 1 as day 1.
constexpr qint64 JulianDayBeforeYearOne = 1721425;
constexpr qint64 MsPerDay = 86400000;

QString typeName(int type)
{
    switch (type) {
    case pxfAlpha:
        return QStringLiteral("Alpha");
    case pxfDate:
        return QStringLiteral("Datum");
    case pxfShort:
        return QStringLiteral("Kurze Ganzzahl");
    case pxfLong:
        return QStringLiteral("Lange Ganzzahl");
    case pxfAutoInc:
        return QStringLiteral("Zähler");
    case pxfCurrency:
        return QStringLiteral("Währung");
    case pxfNumber:
        return QStringLiteral("Zahl");
    case pxfBCD:
        return QStringLiteral("BCD");
    case pxfLogical:
        return QStringLiteral("Logisch");
    case pxfTime:
        return QStringLiteral("Zeit");
    case pxfTimestamp:
        return QStringLiteral("Zeitstempel");
    default:
        return QStringLiteral("Typ %1").arg(type);
    }
}

ParadoxTable::Kind kindOf(int type)
{
    switch (type) {
    case pxfAlpha:
        return ParadoxTable::Kind::Text;
    case pxfDate:
        return ParadoxTable::Kind::Date;
    case pxfShort:
    case pxfLong:
    case pxfAutoInc:
        return ParadoxTable::Kind::Integer;
    case pxfCurrency:
    case pxfNumber:
    case pxfBCD:
        return ParadoxTable::Kind::Number;
    case pxfLogical:
        return ParadoxTable::Kind::Logical;
    case pxfTime:
        return ParadoxTable::Kind::Time;
    case pxfTimestamp:
        return ParadoxTable::Kind::Timestamp;
    default:
        return ParadoxTable::Kind::Unsupported;
    }
}

// Text of the file's code page (850 and 1252 are common) as UTF-8; a code page iconv does
// not know is read as Windows-1252, which covers the German letters of both.
class CodePageText
{
public:
    explicit CodePageText(int codePage)
    {
        const QByteArray name = "CP" + QByteArray::number(codePage > 0 ? codePage : 1252);
        m_cd = iconv_open("UTF-8", name.constData());
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            m_cd = iconv_open("UTF-8", "CP1252");
    }
    ~CodePageText() { iconv_close(m_cd); }
    CodePageText(const CodePageText &) = delete;
    CodePageText &operator=(const CodePageText &) = delete;

    QString decode(const QByteArray &bytes) const
    {
        QByteArray out(bytes.size() * 4, '\0');
        char *in = const_cast<char *>(bytes.constData());
        size_t inLeft = size_t(bytes.size());
        char *to = out.data();
        size_t outLeft = size_t(out.size());
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0 && iconv(m_cd, &in, &inLeft, &to, &outLeft) == size_t(-1)) {
            ++in; // a byte the code page lacks is left out
            --inLeft;
        }
        out.truncate(int(to - out.data()));
        return QString::fromUtf8(out);
    }

private:
    iconv_t m_cd;
};

void collectError(pxdoc_t *, int, const char *message, void *data)
{
    static_cast<QString *>(data)->append(QString::fromLocal8Bit(message));
}

} // namespace

class ParadoxTable::Reader
{
public:
    explicit Reader(const QString &path)
        : m_path(path)
        , m_doc(PX_new3(collectError, nullptr, nullptr, nullptr, &m_error))
    {
        if (!m_doc)
            fail();
        // pxlib would open the file for writing too; old data often lies where it cannot
        m_file = std::fopen(QFile::encodeName(path).constData(), "rb");
        if (!m_file)
            m_error = QString::fromLocal8Bit(std::strerror(errno));
        if (!m_file || PX_open_fp(m_doc, m_file) < 0) {
            PX_delete(m_doc);
            if (m_file)
                std::fclose(m_file);
            fail();
        }
        m_codePage = m_doc->px_head->px_doscodepage;
        m_text = std::make_unique<CodePageText>(m_codePage);
        m_record = QByteArray(PX_get_recordsize(m_doc), '\0');
    }
    ~Reader()
    {
        PX_close(m_doc);
        PX_delete(m_doc);
        std::fclose(m_file);
    }

    [[noreturn]] void fail() const
    {
        throw UserError(QStringLiteral("Die Datei \"%1\" ist keine lesbare Paradox-Tabelle%2")
                            .arg(QDir::toNativeSeparators(m_path),
                                 m_error.isEmpty() ? QStringLiteral(".")
                                                   : QStringLiteral(": ") + m_error.trimmed()));
    }

    pxdoc_t *doc() const { return m_doc; }
    int codePage() const { return m_codePage; }

    QVariantList record(int index)
    {
        if (PX_get_record(m_doc, index, m_record.data()) == nullptr)
            fail();
        QVariantList values;
        const pxfield_t *fields = PX_get_fields(m_doc);
        char *at = m_record.data();
        for (int i = 0; i < PX_get_num_fields(m_doc); ++i) {
            values << value(fields[i], at);
            at += fields[i].px_flen;
        }
        return values;
    }

private:
    QVariant value(const pxfield_t &field, char *data) const
    {
        const int length = field.px_flen;
        if (std::all_of(data, data + length, [](char c) { return c == 0; }))
            return QVariant();
        long whole = 0;
        short small = 0;
        double number = 0;
        char flag = 0;
        switch (field.px_ftype) {
        case pxfAlpha:
            return m_text->decode(QByteArray(data, int(qstrnlen(data, uint(length)))));
        case pxfDate:
            PX_get_data_long(m_doc, data, length, &whole);
            return QDate::fromJulianDay(JulianDayBeforeYearOne + whole);
        case pxfShort:
            PX_get_data_short(m_doc, data, length, &small);
            return int(small);
        case pxfLong:
        case pxfAutoInc:
            PX_get_data_long(m_doc, data, length, &whole);
            return int(whole);
        case pxfCurrency:
        case pxfNumber:
            PX_get_data_double(m_doc, data, length, &number);
            return number;
        case pxfBCD: {
            char *text = nullptr;
            if (PX_get_data_bcd(m_doc, reinterpret_cast<unsigned char *>(data), field.px_fdc, &text)
                    <= 0
                || !text)
                return QVariant();
            const double parsed = QByteArray(text).toDouble();
            m_doc->free(m_doc, text);
            return parsed;
        }
        case pxfLogical:
            PX_get_data_byte(m_doc, data, length, &flag);
            return flag != 0;
        case pxfTime:
            PX_get_data_long(m_doc, data, length, &whole);
            return QTime::fromMSecsSinceStartOfDay(int(whole % MsPerDay));
        case pxfTimestamp: {
            PX_get_data_double(m_doc, data, length, &number);
            const qint64 ms = qint64(std::llround(number));
            return QDateTime(QDate::fromJulianDay(JulianDayBeforeYearOne + ms / MsPerDay),
                             QTime::fromMSecsSinceStartOfDay(int(ms % MsPerDay)));
        }
        default:
            return QVariant();
        }
    }

    QString m_path;
    QString m_error;
    pxdoc_t *m_doc;
    FILE *m_file = nullptr;
    int m_codePage = 0;
    std::unique_ptr<CodePageText> m_text;
    QByteArray m_record;
};

ParadoxTable::ParadoxTable(const QString &path)
    : m_reader(std::make_unique<Reader>(path))
{
    const pxfield_t *fields = PX_get_fields(m_reader->doc());
    for (int i = 0; i < PX_get_num_fields(m_reader->doc()); ++i) {
        m_fields.append({QString::fromLatin1(fields[i].px_fname), kindOf(fields[i].px_ftype),
                         typeName(fields[i].px_ftype)});
    }
}

ParadoxTable::~ParadoxTable() = default;

int ParadoxTable::recordCount() const
{
    return PX_get_num_records(m_reader->doc());
}

int ParadoxTable::codePage() const
{
    return m_reader->codePage();
}

QVariantList ParadoxTable::record(int index) const
{
    return m_reader->record(index);
}

} // namespace tk
