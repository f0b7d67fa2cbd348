#include "core/db/Table.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>

#include "core/common/ClockText.h"
#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/Schema.h"
#include "core/db/SqlDialect.h"
#include "core/db/TableChanges.h"

namespace tk {

namespace {

// Values are held as the database returns them: whole numbers as qlonglong, text as
// QString (dates as ISO text), floats as double, empty as a null QVariant.
QVariant normalized(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return IsoDateText(value.toDate());
    case QMetaType::QDateTime:
        return IsoDateText(value.toDateTime().date());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return QVariant(value.toLongLong());
    default:
        return value;
    }
}

bool isNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::Int:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

int compareValues(const QVariant &a, const QVariant &b)
{
    const bool aNull = a.isNull();
    const bool bNull = b.isNull();
    if (aNull || bNull)
        return aNull == bNull ? 0 : (aNull ? -1 : 1);
    if (isNumber(a) && isNumber(b)) {
        if (a.typeId() == QMetaType::LongLong && b.typeId() == QMetaType::LongLong) {
            const qlonglong x = a.toLongLong(), y = b.toLongLong();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return QString::compare(a.toString(), b.toString());
}

} // namespace

// ---------------------------------------------------------------------------- Field

Field::Field(Table *table, int column)
    : m_table(table)
    , m_column(column)
{
}

QString Field::name() const
{
    return m_table->m_fieldNames.at(m_column);
}

QVariant Field::value() const
{
    return m_table->value(m_column);
}

bool Field::isNull() const
{
    return value().isNull();
}

int Field::asInteger() const
{
    return int(asLargeInt());
}

qint64 Field::asLargeInt() const
{
    return largeInt(value());
}

qint64 Field::largeInt(const QVariant &v, bool *fits)
{
    if (fits)
        *fits = true;
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double) {
        const double real = v.toDouble();
        if (std::fabs(real) < 9.2e18) // false for NaN too
            return qRound64(real);
        if (fits)
            *fits = false;
        return 0;
    }
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    return ok ? n : 0;
}

QString Field::asString() const
{
    const QVariant v = value();
    return v.isNull() ? QString() : v.toString();
}

double Field::asFloat() const
{
    const QVariant v = value();
    return v.isNull() ? 0.0 : v.toDouble();
}

QDate Field::asDate() const
{
    return StoredDate(value());
}

void Field::setValue(const QVariant &value)
{
    m_table->setValue(m_column, value);
}

void Field::setAsInteger(int value)
{
    setValue(QVariant(qlonglong(value)));
}

void Field::setAsString(const QString &value)
{
    setValue(value.isEmpty() ? QVariant() : QVariant(value));
}

void Field::setAsFloat(double value)
{
    setValue(QVariant(value));
}

void Field::setAsDate(const QDate &value)
{
    setValue(value.isValid() ? QVariant(value) : QVariant());
}

void Field::clear()
{
    setValue(QVariant());
}

// ---------------------------------------------------------------------------- Table

Table::Table(const QString &tableName, const QString &indexFields, QObject *parent)
    : QObject(parent)
    , m_requestedName(tableName)
    , m_tableName(tableName)
    , m_indexFields(indexFields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
{
    for (QString &name : m_indexFields)
        name = name.trimmed();
}

Table::~Table() = default;

void Table::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
}

void Table::open()
{
    if (isOpen())
        return;
    QSqlDatabase db = Database::connection();
    m_tableName = Database::resolveTableName(m_requestedName);
    const QSqlRecord record = SqlDialect::record(db, m_tableName);
    m_fieldNames.clear();
    m_hasRowVersion = false;
    for (int i = 0; i < record.count(); ++i) {
        const QString name = record.fieldName(i);
        if (isHiddenColumn(name))
            m_hasRowVersion |=
                name.compare(QLatin1String(RowVersionColumn), Qt::CaseInsensitive) == 0;
        else
            m_fieldNames << schemaSpelling(name);
    }
    m_indexColumns.clear();
    for (QString &name : m_indexFields) {
        const int column = fieldIndex(name);
        if (column < 0)
            throw DbError(
                QStringLiteral("Die Tabelle \"%1\" hat kein Feld \"%2\".").arg(m_tableName, name));
        name = m_fieldNames.at(column);
        m_indexColumns << column;
    }
    composeSelect();
    m_state = State::Browse;
    reload(-1, 0);
    Q_EMIT activeChanged(true);
    setState(State::Browse);
    announceView();
    announceRecord();
}

void Table::close()
{
    if (!isOpen())
        return;
    m_state = State::Inactive;
    m_rows.clear();
    m_current = -1;
    m_eof = m_bof = true;
    m_selectQuery.reset();
    m_selectSql.clear();
    m_insertQuery.reset();
    m_updateQuery.reset();
    m_deleteQuery.reset();
    Q_EMIT activeChanged(false);
    Q_EMIT viewChanged();
    Q_EMIT recordChanged(QString());
}

void Table::requireOpen(const char *operation) const
{
    if (!isOpen())
        throw DbError(QStringLiteral("Die Tabelle \"%1\" ist nicht geöffnet (%2).")
                          .arg(m_tableName, QLatin1String(operation)));
}

void Table::checkWritable() const
{
    if (m_readOnly)
        throw DbError(
            QStringLiteral("Die Tabelle \"%1\" kann hier nicht geändert werden.").arg(m_tableName));
}

// ------------------------------------------------------------------ navigation

void Table::storePending()
{
    if (!isEditing())
        return;
    if (isPristineInsert())
        cancel();
    else
        post();
}

bool Table::isPristineInsert() const
{
    return m_state == State::Insert && !m_bufferTouched;
}

void Table::setCurrent(int row)
{
    const int old = m_current;
    m_current = m_rows.isEmpty() ? -1 : std::clamp(row, 0, int(m_rows.size()) - 1);
    if (m_current != old)
        announceRecord();
}

void Table::first()
{
    requireOpen("First");
    storePending();
    setCurrent(0);
    m_bof = true;
    m_eof = m_rows.isEmpty();
}

void Table::next()
{
    requireOpen("Next");
    storePending();
    if (m_current >= 0 && m_current < m_rows.size() - 1) {
        setCurrent(m_current + 1);
        m_bof = m_eof = false;
    } else {
        m_eof = true;
    }
}

void Table::prior()
{
    requireOpen("Prior");
    storePending();
    if (m_current > 0) {
        setCurrent(m_current - 1);
        m_bof = m_eof = false;
    } else {
        m_bof = true;
    }
}

void Table::last()
{
    requireOpen("Last");
    storePending();
    setCurrent(int(m_rows.size()) - 1);
    m_eof = true;
    m_bof = m_rows.isEmpty();
}

void Table::moveTo(int row)
{
    requireOpen("MoveBy");
    if (row == m_current && !isEditing())
        return;
    storePending();
    setCurrent(row);
    m_bof = m_eof = m_rows.isEmpty();
}

int Table::compareKeys(const QVector<QVariant> &a, const QVector<QVariant> &b, int fieldCount) const
{
    for (int i = 0; i < fieldCount; ++i) {
        const int column = m_indexColumns.at(i);
        const int c = compareValues(a.at(column), b.at(column));
        if (c != 0)
            return c;
    }
    return 0;
}

bool Table::findKey(const QVariantList &values)
{
    requireOpen("FindKey");
    storePending();
    const int n = std::min(int(values.size()), int(m_indexColumns.size()));
    QVector<QVariant> probe(m_fieldNames.size());
    for (int i = 0; i < n; ++i)
        probe[m_indexColumns.at(i)] = normalized(values.at(i));
    const auto it = std::lower_bound(m_rows.cbegin(), m_rows.cend(), probe,
                                     [&](const Row &row, const QVector<QVariant> &key) {
                                         return compareKeys(row.values, key, n) < 0;
                                     });
    if (it == m_rows.cend() || compareKeys(it->values, probe, n) != 0)
        return false;
    setCurrent(int(it - m_rows.cbegin()));
    m_bof = m_eof = false;
    return true;
}

// ------------------------------------------------------------------ view

void Table::openEmpty()
{
    if (isOpen())
        return;
    m_viewUnchosen = true;
    open();
}

void Table::openRange(const QVariantList &from, const QVariantList &to)
{
    if (isOpen()) {
        setRange(from, to);
        return;
    }
    m_hasRange = true;
    m_rangeFrom.clear();
    m_rangeTo.clear();
    for (const QVariant &v : from)
        m_rangeFrom << normalized(v);
    for (const QVariant &v : to)
        m_rangeTo << normalized(v);
    open();
}

void Table::setRange(const QVariantList &from, const QVariantList &to)
{
    requireOpen("SetRange");
    storePending();
    m_viewUnchosen = false;
    m_hasRange = true;
    m_rangeFrom.clear();
    m_rangeTo.clear();
    for (const QVariant &v : from)
        m_rangeFrom << normalized(v);
    for (const QVariant &v : to)
        m_rangeTo << normalized(v);
    reload(-1, 0);
    announceView();
    announceRecord();
}

void Table::cancelRange()
{
    requireOpen("CancelRange");
    storePending();
    m_viewUnchosen = false;
    m_hasRange = false;
    m_rangeFrom.clear();
    m_rangeTo.clear();
    reload(-1, 0);
    announceView();
    announceRecord();
}

void Table::setMaster(Table *master, const QStringList &masterFields,
                      const QStringList &detailFields)
{
    if (m_master)
        disconnect(m_master, nullptr, this, nullptr);
    m_master = master;
    m_masterFields = masterFields;
    m_detailFields = detailFields;
    m_viewUnchosen = false;
    if (!master)
        return;
    connect(master, &Table::recordChanged, this, [this](const QString &fieldName) {
        if (fieldName.isEmpty() || m_masterFields.contains(fieldName, Qt::CaseInsensitive))
            masterMoved();
    });
    connect(master, &Table::activeChanged, this, [this] { masterMoved(); });
    if (isOpen())
        masterMoved();
}

void Table::masterMoved()
{
    if (!isOpen() || m_hasRange)
        return;
    storePending();
    // Storing the master row re-announces it without moving it: the detail row the operator
    // works on stays current. A real move finds none of the old rows and starts at the first.
    const qint64 keep = m_current >= 0 ? m_rows.at(m_current).rowId : -1;
    reload(keep, 0);
    announceView();
    announceRecord();
}

void Table::refresh()
{
    requireOpen("Refresh");
    storePending();
    const qint64 keep = m_current >= 0 ? m_rows.at(m_current).rowId : -1;
    reload(keep, m_current);
    announceView();
    announceRecord();
}

QString Table::quoted(const QString &identifier) const
{
    return SqlDialect::identifier(Database::connection(), identifier);
}

QString Table::rangeCondition(QVariantList &binds) const
{
    // Lexicographic between on the index fields; leading fields equal at both ends become
    // plain equalities so the index serves the range.
    const int n =
        std::min({int(m_rangeFrom.size()), int(m_rangeTo.size()), int(m_indexFields.size())});
    QStringList parts;
    int i = 0;
    for (; i < n && compareValues(m_rangeFrom.at(i), m_rangeTo.at(i)) == 0; ++i) {
        parts << quoted(m_indexFields.at(i)) + QStringLiteral(" = ?");
        binds << m_rangeFrom.at(i);
    }
    // The remaining fields compare lexicographically, bound in text order.
    auto lexical = [&](const QVariantList &values, const QString &strict,
                       const QString &inclusive) {
        QString expr;
        QVariantList local;
        for (int k = i; k < n; ++k) {
            const QString f = quoted(m_indexFields.at(k));
            if (k == n - 1) {
                expr += f + QLatin1Char(' ') + inclusive + QStringLiteral(" ?");
                local << values.at(k);
            } else {
                expr += QStringLiteral("(%1 %2 ? OR (%1 = ? AND ").arg(f, strict);
                local << values.at(k) << values.at(k);
            }
        }
        for (int k = i; k < n - 1; ++k)
            expr += QStringLiteral("))");
        binds << local;
        return expr;
    };
    if (i < n) {
        parts << QLatin1Char('(') + lexical(m_rangeFrom, QStringLiteral(">"), QStringLiteral(">="))
                + QLatin1Char(')');
        parts << QLatin1Char('(') + lexical(m_rangeTo, QStringLiteral("<"), QStringLiteral("<="))
                + QLatin1Char(')');
    }
    return parts.join(QStringLiteral(" AND "));
}

QString Table::masterCondition(QVariantList &binds) const
{
    QStringList parts;
    for (int i = 0; i < m_detailFields.size(); ++i) {
        const int masterColumn = m_master->fieldIndex(m_masterFields.value(i));
        parts << quoted(m_detailFields.at(i)) + QStringLiteral(" = ?");
        binds << normalized(m_master->value(masterColumn));
    }
    return parts.join(QStringLiteral(" AND "));
}

QString Table::selectStatement(QVariantList &binds) const
{
    QString where;
    if (m_hasRange)
        where = rangeCondition(binds);
    else if (m_master)
        where = masterCondition(binds);
    if (where.isEmpty())
        return m_selectHead + m_selectOrder;
    return m_selectHead + QStringLiteral(" WHERE ") + where + m_selectOrder;
}

// The parts of every view's statement that do not change while the table is open.
void Table::composeSelect()
{
    const QSqlDatabase db = Database::connection();
    QStringList columns{SqlDialect::rowIdColumn(db),
                        m_hasRowVersion ? quoted(QLatin1String(RowVersionColumn))
                                        : QStringLiteral("1")};
    for (const QString &name : m_fieldNames)
        columns << quoted(name);
    m_selectHead = QStringLiteral("SELECT %1 FROM %2")
                       .arg(columns.join(QStringLiteral(", ")), quoted(m_tableName));
    QStringList order;
    for (const QString &name : m_indexFields)
        order << quoted(name);
    order << SqlDialect::rowIdColumn(db);
    m_selectOrder = QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
}

void Table::reload(qint64 keepRowId, int fallbackRow)
{
    m_rows.clear();
    const bool masterHasNoRow = !m_hasRange && m_master
        && (!m_master->isOpen()
            || (m_master->currentRow() < 0 && m_master->state() != State::Insert));
    if (!masterHasNoRow && !m_viewUnchosen) {
        QVariantList binds;
        const QString sql = selectStatement(binds);
        // A view is re-read with the same statement again and again (a range moved day by
        // day, a detail following its master): prepare it once.
        preparedAnew();
        if (!m_selectQuery || m_selectSql != sql) {
            m_selectQuery = std::make_unique<QSqlQuery>(Database::connection());
            m_selectQuery->setForwardOnly(true);
            m_selectQuery->prepare(sql);
            m_selectSql = sql;
        }
        QSqlQuery &q = *m_selectQuery;
        for (int i = 0; i < binds.size(); ++i)
            q.bindValue(i, binds.at(i));
        if (!q.exec()) {
            const QSqlError error = q.lastError();
            m_selectQuery.reset();
            throw Database::error(QStringLiteral("Lesen der Tabelle %1").arg(m_tableName), error);
        }
        const int count = int(m_fieldNames.size());
        while (q.next()) {
            Row row;
            row.rowId = q.value(0).toLongLong();
            row.version = q.value(1).toLongLong();
            row.values.resize(count);
            for (int c = 0; c < count; ++c)
                row.values[c] = normalized(q.value(c + 2));
            m_rows.push_back(std::move(row));
        }
        // A finished read holds no lock on the database.
        q.finish();
    }
    int row = std::min(fallbackRow, int(m_rows.size()) - 1);
    if (keepRowId >= 0) {
        for (int r = 0; r < m_rows.size(); ++r) {
            if (m_rows.at(r).rowId == keepRowId) {
                row = r;
                break;
            }
        }
    }
    m_current = m_rows.isEmpty() ? -1 : std::max(row, 0);
    m_bof = true;
    m_eof = m_rows.isEmpty();
}

bool Table::rowInView(const QVector<QVariant> &values) const
{
    if (m_hasRange) {
        const int n = std::min(int(m_rangeFrom.size()), int(m_indexColumns.size()));
        for (int i = 0; i < n; ++i) {
            const int c = compareValues(values.at(m_indexColumns.at(i)), m_rangeFrom.at(i));
            if (c < 0)
                return false;
            if (c > 0)
                break;
        }
        const int m = std::min(int(m_rangeTo.size()), int(m_indexColumns.size()));
        for (int i = 0; i < m; ++i) {
            const int c = compareValues(values.at(m_indexColumns.at(i)), m_rangeTo.at(i));
            if (c > 0)
                return false;
            if (c < 0)
                break;
        }
        return true;
    }
    if (m_master) {
        for (int i = 0; i < m_detailFields.size(); ++i) {
            const QVariant masterValue =
                normalized(m_master->value(m_master->fieldIndex(m_masterFields.value(i))));
            if (compareValues(values.at(fieldIndex(m_detailFields.at(i))), masterValue) != 0)
                return false;
        }
    }
    return true;
}

int Table::insertPosition(const Row &row) const
{
    const int n = int(m_indexColumns.size());
    const auto it =
        std::upper_bound(m_rows.cbegin(), m_rows.cend(), row, [&](const Row &a, const Row &b) {
            const int c = compareKeys(a.values, b.values, n);
            return c < 0 || (c == 0 && a.rowId < b.rowId);
        });
    return int(it - m_rows.cbegin());
}

// ------------------------------------------------------------------ editing

void Table::append()
{
    requireOpen("Append");
    checkWritable();
    storePending();
    m_buffer = Row();
    m_buffer.values.resize(m_fieldNames.size());
    if (m_master && m_master->isOpen()) {
        for (int i = 0; i < m_detailFields.size(); ++i) {
            const int masterColumn = m_master->fieldIndex(m_masterFields.value(i));
            m_buffer.values[fieldIndex(m_detailFields.at(i))] =
                normalized(m_master->value(masterColumn));
        }
    }
    m_bufferTouched = false;
    setState(State::Insert);
    announceRecord();
}

void Table::appendRows(const QVector<QVector<QVariant>> &rows)
{
    requireOpen("Append");
    checkWritable();
    storePending();
    if (rows.isEmpty())
        return;
    const qint64 keep = m_current >= 0 ? m_rows.at(m_current).rowId : -1;
    QVector<Row> stored;
    for (const QVector<QVariant> &values : rows) {
        Row row;
        for (const QVariant &value : values)
            row.values << normalized(value);
        row.values.resize(m_fieldNames.size());
        stored << row;
    }
    const auto announce = [&] {
        for (int r = 0; r < m_rows.size(); ++r) {
            if (m_rows.at(r).rowId == keep)
                m_current = r;
        }
        if (m_current < 0 && !m_rows.isEmpty())
            m_current = 0;
        m_bof = m_eof = m_rows.isEmpty();
        TableChanges::noteChanged(m_tableName);
        announceView();
        announceRecord();
    };
    if (Database::isServer()) {
        const QVector<qint64> ids = insertRowsAtOnce(stored);
        if (ids.contains(-1)) { // a value the server stored otherwise than given
            reload(keep, m_current);
        } else {
            for (int i = 0; i < stored.size(); ++i) {
                stored[i].rowId = ids.at(i);
                takeStoredRow(stored.at(i));
            }
        }
        announce();
        return;
    }
    try {
        for (Row &row : stored) {
            row.rowId = insertRow(row.values);
            takeStoredRow(row);
        }
    } catch (...) {
        announce();
        throw;
    }
    announce();
}

void Table::takeStoredRow(Row row)
{
    if (rowInView(row.values))
        m_rows.insert(insertPosition(row), std::move(row));
}

// One INSERT for all rows. The keys come back with the whole rows, which are matched to the
// rows given by their values: the server does not promise the order of what it returns.
QVector<qint64> Table::insertRowsAtOnce(const QVector<Row> &rows)
{
    QStringList columns, tuples;
    for (const QString &name : m_fieldNames)
        columns << quoted(name);
    const QString marks = QStringLiteral("(")
        + QStringList(m_fieldNames.size(), QStringLiteral("?")).join(QStringLiteral(", "))
        + QStringLiteral(")");
    for (int i = 0; i < rows.size(); ++i)
        tuples << marks;
    QSqlQuery q(Database::connection());
    q.setForwardOnly(true);
    const QString sql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES %3 RETURNING %4, %2")
            .arg(quoted(m_tableName), columns.join(QStringLiteral(", ")),
                 tuples.join(QStringLiteral(", ")), QLatin1String(SurrogateKeyColumn));
    if (!q.prepare(sql))
        throw Database::error(QStringLiteral("Speichern in Tabelle %1").arg(m_tableName),
                              q.lastError());
    int bind = 0;
    for (const Row &row : rows) {
        for (const QVariant &value : row.values)
            q.bindValue(bind++, value);
    }
    if (!Database::execWrite(q))
        throw Database::error(QStringLiteral("Speichern in Tabelle %1").arg(m_tableName),
                              q.lastError());
    QVector<qint64> ids(rows.size(), -1);
    while (q.next()) {
        for (int i = 0; i < rows.size(); ++i) {
            bool same = ids.at(i) < 0;
            for (int c = 0; same && c < m_fieldNames.size(); ++c)
                same = compareValues(normalized(q.value(c + 1)), rows.at(i).values.at(c)) == 0;
            if (same) {
                ids[i] = q.value(0).toLongLong();
                break;
            }
        }
    }
    q.finish();
    return ids;
}

void Table::edit()
{
    requireOpen("Edit");
    checkWritable();
    if (isEditing())
        return;
    if (m_rows.isEmpty()) {
        append();
        return;
    }
    m_buffer = m_rows.at(m_current);
    m_bufferTouched = false;
    setState(State::Edit);
}

void Table::post()
{
    requireOpen("Post");
    if (!isEditing())
        return;
    checkWritable();
    if (m_postCheck)
        m_postCheck();
    Row row = m_buffer;
    if (m_state == State::Insert) {
        row.rowId = insertRow(row.values);
        row.version = 1;
    } else {
        updateRow(row);
        ++row.version;
        m_rows.remove(m_current);
    }
    if (rowInView(row.values)) {
        const int at = insertPosition(row);
        m_rows.insert(at, row);
        m_current = at;
    } else {
        m_current =
            m_rows.isEmpty() ? -1 : std::min(std::max(m_current, 0), int(m_rows.size()) - 1);
    }
    m_bof = m_eof = m_rows.isEmpty();
    setState(State::Browse);
    TableChanges::noteChanged(m_tableName);
    announceView();
    announceRecord();
}

void Table::cancel()
{
    if (!isEditing())
        return;
    m_buffer = Row();
    m_bufferTouched = false;
    setState(State::Browse);
    announceRecord();
}

void Table::remove()
{
    requireOpen("Delete");
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    checkWritable();
    if (m_current < 0)
        throw DbError(QStringLiteral("Die Tabelle \"%1\" enthält keinen Datensatz zum Löschen.")
                          .arg(m_tableName));
    if (m_state == State::Edit)
        cancel();
    deleteRow(m_rows.at(m_current));
    TableChanges::noteChanged(m_tableName);
    m_rows.remove(m_current);
    m_current = m_rows.isEmpty() ? -1 : std::min(m_current, int(m_rows.size()) - 1);
    m_eof = m_bof = m_rows.isEmpty();
    announceView();
    announceRecord();
}

// Statements prepared on a connection that was closed since (a server restarted) are gone
// with it.
void Table::preparedAnew()
{
    if (m_preparedOn == Database::connectionCount())
        return;
    m_selectQuery.reset();
    m_selectSql.clear();
    m_insertQuery.reset();
    m_updateQuery.reset();
    m_deleteQuery.reset();
    m_preparedOn = Database::connectionCount();
}

// Nothing was written: the row is shown as it is stored now, and the edit ends.
void Table::staleRow()
{
    const qint64 keep = m_current >= 0 ? m_rows.at(m_current).rowId : -1;
    m_buffer = Row();
    m_bufferTouched = false;
    m_state = State::Browse;
    reload(keep, m_current);
    setState(State::Browse);
    announceView();
    announceRecord();
    throw StaleRowError();
}

QSqlQuery &Table::prepared(std::unique_ptr<QSqlQuery> &slot,
                           const std::function<QString()> &statement)
{
    Database::connection(); // reconnects after a lost connection, counting it
    preparedAnew();
    if (!slot) {
        slot = std::make_unique<QSqlQuery>(Database::connection());
        if (!slot->prepare(statement())) {
            const QSqlError error = slot->lastError();
            slot.reset();
            throw Database::error(QStringLiteral("Vorbereiten für Tabelle %1").arg(m_tableName),
                                  error);
        }
    }
    return *slot;
}

qint64 Table::insertRow(const QVector<QVariant> &values)
{
    QSqlQuery &q = prepared(m_insertQuery, [this] {
        QStringList columns, marks;
        for (const QString &name : m_fieldNames) {
            columns << quoted(name);
            marks << QStringLiteral("?");
        }
        // A server's key comes back with the row: its last value may be another table's
        // when a trigger inserts elsewhere.
        const QString returning = Database::isServer()
            ? QStringLiteral(" RETURNING ") + QLatin1String(SurrogateKeyColumn)
            : QString();
        return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)%4")
            .arg(quoted(m_tableName), columns.join(QStringLiteral(", ")),
                 marks.join(QStringLiteral(", ")), returning);
    });
    for (int c = 0; c < values.size(); ++c)
        q.bindValue(c, values.at(c));
    if (!Database::execWrite(q))
        throw Database::error(QStringLiteral("Speichern in Tabelle %1").arg(m_tableName),
                              q.lastError());
    const qint64 id =
        Database::isServer() && q.next() ? q.value(0).toLongLong() : q.lastInsertId().toLongLong();
    q.finish();
    return id;
}

// Both writes name the row by its key and the version it was read with; a row another
// workstation changed or deleted since matches neither.
void Table::updateRow(const Row &row)
{
    QSqlQuery &q = prepared(m_updateQuery, [this] {
        QStringList assignments;
        for (const QString &name : m_fieldNames)
            assignments << quoted(name) + QStringLiteral(" = ?");
        QString where = SqlDialect::rowIdColumn(Database::connection()) + QStringLiteral(" = ?");
        if (m_hasRowVersion) {
            const QString version = quoted(QLatin1String(RowVersionColumn));
            assignments << QStringLiteral("%1 = %1 + 1").arg(version);
            where += QStringLiteral(" AND %1 = ?").arg(version);
        }
        return QStringLiteral("UPDATE %1 SET %2 WHERE %3")
            .arg(quoted(m_tableName), assignments.join(QStringLiteral(", ")), where);
    });
    int bind = 0;
    for (const QVariant &value : row.values)
        q.bindValue(bind++, value);
    q.bindValue(bind++, row.rowId);
    if (m_hasRowVersion)
        q.bindValue(bind, row.version);
    if (!Database::execWrite(q))
        throw Database::error(QStringLiteral("Speichern in Tabelle %1").arg(m_tableName),
                              q.lastError());
    const int written = Database::rowsAffected();
    q.finish();
    if (written == 0)
        staleRow();
}

void Table::deleteRow(const Row &row)
{
    QSqlQuery &q = prepared(m_deleteQuery, [this] {
        QString where = SqlDialect::rowIdColumn(Database::connection()) + QStringLiteral(" = ?");
        if (m_hasRowVersion)
            where += QStringLiteral(" AND %1 = ?").arg(quoted(QLatin1String(RowVersionColumn)));
        return QStringLiteral("DELETE FROM %1 WHERE %2").arg(quoted(m_tableName), where);
    });
    q.bindValue(0, row.rowId);
    if (m_hasRowVersion)
        q.bindValue(1, row.version);
    if (!Database::execWrite(q))
        throw Database::error(QStringLiteral("Löschen in Tabelle %1").arg(m_tableName),
                              q.lastError());
    const int deleted = Database::rowsAffected();
    q.finish();
    if (deleted == 0)
        staleRow();
}

// ------------------------------------------------------------------ fields

int Table::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fieldNames.size(); ++i) {
        if (m_fieldNames.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

Field Table::field(const QString &name)
{
    const int column = fieldIndex(name);
    if (column < 0)
        throw DbError(
            QStringLiteral("Feld \"%1\" nicht gefunden (Tabelle \"%2\").").arg(name, m_tableName));
    return Field(this, column);
}

QVariant Table::valueAt(int row, int column) const
{
    if (m_state == State::Edit && row == m_current)
        return m_buffer.values.value(column);
    if (row < 0 || row >= m_rows.size())
        return QVariant();
    return m_rows.at(row).values.value(column);
}

QVariant Table::value(int column) const
{
    if (isEditing())
        return m_buffer.values.value(column);
    return valueAt(m_current, column);
}

void Table::setValue(int column, const QVariant &value)
{
    requireOpen("SetFieldValue");
    if (column < 0 || column >= m_fieldNames.size())
        throw DbError(QStringLiteral("Ungültige Feldnummer %1 (Tabelle \"%2\").")
                          .arg(QString::number(column), m_tableName));
    if (!isEditing())
        edit();
    m_buffer.values[column] = normalized(value);
    m_bufferTouched = true;
    announceRecord(m_fieldNames.at(column));
}

// ------------------------------------------------------------------ notices

void Table::setState(State state)
{
    if (m_state == state && state != State::Browse)
        return;
    m_state = state;
    if (m_disableCount == 0)
        Q_EMIT stateChanged(state);
}

void Table::announceRecord(const QString &fieldName)
{
    if (m_disableCount > 0)
        return;
    if (m_state == State::Edit && m_current >= 0)
        Q_EMIT rowChanged(m_current);
    Q_EMIT recordChanged(fieldName);
}

void Table::announceView()
{
    if (m_disableCount == 0)
        Q_EMIT viewChanged();
}

void Table::disableControls()
{
    ++m_disableCount;
}

void Table::enableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount > 0)
        return;
    if (!isOpen())
        return;
    Q_EMIT stateChanged(m_state);
    Q_EMIT viewChanged();
    Q_EMIT recordChanged(QString());
}

// ---------------------------------------------------------------------------- Query

void Query::open(const QVariantList &binds)
{
    close();
    QSqlQuery q(Database::connection());
    q.setForwardOnly(true);
    if (!q.prepare(m_sql))
        throw Database::error(QStringLiteral("Ausführen der Abfrage"), q.lastError());
    for (const QVariant &b : binds)
        q.addBindValue(normalized(b));
    if (!q.exec())
        throw Database::error(QStringLiteral("Ausführen der Abfrage"), q.lastError());
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i)
        m_columns << record.fieldName(i);
    while (q.next()) {
        QVector<QVariant> row(record.count());
        for (int c = 0; c < record.count(); ++c)
            row[c] = normalized(q.value(c));
        m_rows.push_back(std::move(row));
    }
    m_open = true;
}

void Query::execute(const QVariantList &binds)
{
    close();
    QSqlQuery q(Database::connection());
    // A server prepares no statement that changes tables (ALTER TABLE); without values there
    // is nothing to prepare for.
    if (binds.isEmpty()) {
        if (!Database::execWrite(q, m_sql))
            throw Database::error(QStringLiteral("Ausführen der Anweisung"), q.lastError());
        return;
    }
    if (!q.prepare(m_sql))
        throw Database::error(QStringLiteral("Ausführen der Anweisung"), q.lastError());
    for (const QVariant &b : binds)
        q.addBindValue(normalized(b));
    if (!Database::execWrite(q))
        throw Database::error(QStringLiteral("Ausführen der Anweisung"), q.lastError());
}

void Query::close()
{
    m_open = false;
    m_columns.clear();
    m_rows.clear();
}

QVariant Query::value(int row, const QString &column) const
{
    for (int c = 0; c < m_columns.size(); ++c) {
        if (m_columns.at(c).compare(column, Qt::CaseInsensitive) == 0)
            return value(row, c);
    }
    throw DbError(QStringLiteral("Feld \"%1\" nicht gefunden.").arg(column));
}

} // namespace tk
