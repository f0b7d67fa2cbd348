#pragma once

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>

class QSqlQuery;

namespace tk {

class Table;

// A field of the current row of a table, addressed by name. Reads see the edit buffer
// while the table is in edit or insert state. An empty field reads as 0, 0.0, "" or an
// invalid date.
class Field
{
public:
    Field(Table *table, int column);

    QString name() const;
    bool isNull() const;
    QVariant value() const;
    int asInteger() const;
    // The whole value in 64 bits, read as asInteger reads it, for sums that must not wrap.
    qint64 asLargeInt() const;
    // A stored value as asLargeInt reads it: empty 0, a real rounded, text that is no number 0.
    // A real beyond what 64 bits hold (or NaN) reads as 0 and clears fits.
    static qint64 largeInt(const QVariant &value, bool *fits = nullptr);
    QString asString() const;
    double asFloat() const;
    QDate asDate() const;

    // Writing puts the table into edit state first when it is browsing.
    void setValue(const QVariant &value);
    void setAsInteger(int value);
    void setAsString(const QString &value);
    void setAsFloat(double value);
    void setAsDate(const QDate &value);
    void clear();

private:
    Table *m_table;
    int m_column;
};

// A table of the database BDE_ALIAS as the windows, dialogs and lists use it: the rows of
// its current view (range and master link applied) are held in memory in index order and
// re-read when the view changes; every post is written straight through.
//
// Ordering is by the index fields and, within equal keys, by the order of insertion.
class Table : public QObject
{
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    Q_ENUM(State)

    // tableName is matched without regard to case ("Personal.DB" is "Personal");
    // indexFields is a ';'-separated list ("PersonalNummer;Datum").
    Table(const QString &tableName, const QString &indexFields, QObject *parent = nullptr);
    ~Table() override;

    QString tableName() const { return m_tableName; }
    QStringList indexFields() const { return m_indexFields; }
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // Opening fails with DbError when the database or the table is missing.
    void open();
    // Opens with the view already restricted to a range (see setRange), so that a large
    // table is never read whole; on an open table it is setRange.
    void openRange(const QVariantList &from, const QVariantList &to);
    // Opens with a view holding no row until a range or a master link chooses one: for
    // tables whose every use is restricted (years of day records are never read whole).
    void openEmpty();
    void close();
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }

    // Navigation. Every move stores a pending change first (an untouched new row is dropped).
    void first();
    void next();
    void prior();
    void last();
    void moveTo(int row);
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return m_rows.isEmpty(); }
    int recordCount() const { return int(m_rows.size()); }
    int currentRow() const { return m_current; } // -1 when the view is empty

    // Positions on the first row whose leading index fields equal values; false leaves
    // the position unchanged.
    bool findKey(const QVariantList &values);

    // Restricts the view to rows whose index fields lie between from and to (both
    // included, compared field by field in index order). A range replaces the master link
    // until it is cancelled.
    void setRange(const QVariantList &from, const QVariantList &to);
    void cancelRange();
    bool hasRange() const { return m_hasRange; }

    // The view follows the master's current row: detailFields (leading index fields of
    // this table) must equal masterFields of the master row. An appended row takes them.
    void setMaster(Table *master, const QStringList &masterFields, const QStringList &detailFields);

    void append();
    // Stores new rows given whole (values in field order) without moving the current row.
    // A server takes them in one statement, all or none; SQLite row by row, keeping the rows
    // stored before an error.
    void appendRows(const QVector<QVector<QVariant>> &rows);
    void edit();
    // Stores the edited row; a post check that throws refuses it and the edit goes on.
    void post();
    // Runs before every post with the edited row current; throws a UserError to refuse.
    void setPostCheck(std::function<void()> check) { m_postCheck = std::move(check); }
    void cancel();
    void remove();
    // Re-reads the rows of the current view, keeping the current row where it can.
    void refresh();

    // Bound controls and grids stop following the table until the matching enable;
    // nestable. The last enable announces the current state once.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

    // Field access, by name without regard to case; an unknown name throws DbError.
    Field field(const QString &name);
    Field field(int column) { return Field(this, column); }
    int fieldIndex(const QString &name) const; // -1 when unknown
    QStringList fieldNames() const { return m_fieldNames; }
    int fieldCount() const { return int(m_fieldNames.size()); }

    // Raw access for models: a value of any row of the view (the current row shows
    // the edit buffer while editing).
    QVariant valueAt(int row, int column) const;
    QVariant value(int column) const;
    void setValue(int column, const QVariant &value);

Q_SIGNALS:
    // Opened or closed.
    void activeChanged(bool open);
    // The current row moved or the view was re-read (fieldName empty), or one field of
    // the current row changed (fieldName set).
    void recordChanged(const QString &fieldName);
    // Browse, edit or insert state changed.
    void stateChanged(tk::Table::State state);
    // Rows of the view were inserted, removed or re-read: grids redraw.
    void viewChanged();
    // One row's stored values changed: grids redraw that row.
    void rowChanged(int row);

private:
    struct Row
    {
        qint64 rowId = -1;
        qint64 version = 1; // the row version read; a write expects it unchanged
        QVector<QVariant> values;
    };

    void requireOpen(const char *operation) const;
    void checkWritable() const;
    void reload(qint64 keepRowId, int fallbackRow);
    QString selectStatement(QVariantList &binds) const;
    void composeSelect();
    QString rangeCondition(QVariantList &binds) const;
    QString masterCondition(QVariantList &binds) const;
    bool rowInView(const QVector<QVariant> &values) const;
    int insertPosition(const Row &row) const;
    int compareKeys(const QVector<QVariant> &a, const QVector<QVariant> &b, int fieldCount) const;
    qint64 insertRow(const QVector<QVariant> &values);
    QVector<qint64> insertRowsAtOnce(const QVector<Row> &rows);
    void takeStoredRow(Row row);
    void updateRow(const Row &row);
    void deleteRow(const Row &row);
    void preparedAnew();
    [[noreturn]] void staleRow();
    QSqlQuery &prepared(std::unique_ptr<QSqlQuery> &slot,
                        const std::function<QString()> &statement);
    QString quoted(const QString &identifier) const;
    void storePending();
    void setCurrent(int row);
    void setState(State state);
    void announceRecord(const QString &fieldName = QString());
    void announceView();
    void masterMoved();
    bool isPristineInsert() const;

    QString m_requestedName;
    QString m_tableName;
    QStringList m_indexFields;
    QVector<int> m_indexColumns;
    QStringList m_fieldNames;
    bool m_hasRowVersion = false; // a database older than row versions has none
    int m_preparedOn = 0;         // the connection the statements below were prepared on
    bool m_readOnly = false;
    State m_state = State::Inactive;

    QVector<Row> m_rows;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;

    Row m_buffer; // edit or insert buffer of the current row
    bool m_bufferTouched = false;
    int m_insertedAt = -1; // row index the new row is shown at while inserting

    bool m_viewUnchosen = false; // openEmpty: no row until a range or master link is set
    bool m_hasRange = false;
    QVariantList m_rangeFrom;
    QVariantList m_rangeTo;

    QPointer<Table> m_master;
    QStringList m_masterFields;
    QStringList m_detailFields;

    QString m_selectHead;                     // SELECT … FROM …
    QString m_selectOrder;                    //  ORDER BY the index
    std::unique_ptr<QSqlQuery> m_selectQuery; // the last view read, prepared once
    QString m_selectSql;
    std::unique_ptr<QSqlQuery> m_insertQuery;
    std::unique_ptr<QSqlQuery> m_updateQuery;
    std::unique_ptr<QSqlQuery> m_deleteQuery;

    int m_disableCount = 0;
    std::function<void()> m_postCheck;

    friend class Field;
};

// A statement on BDE_ALIAS: open gives a result with column names, execute none.
class Query
{
public:
    Query() = default;
    void setSql(const QString &sql) { m_sql = sql; }
    QString sql() const { return m_sql; }

    // Both throw DbError with the engine's message.
    void open(const QVariantList &binds = {});
    void execute(const QVariantList &binds = {});
    void close();
    bool isOpen() const { return m_open; }

    int rowCount() const { return int(m_rows.size()); }
    QVariant value(int row, int column) const { return m_rows.at(row).at(column); }
    QVariant value(int row, const QString &column) const;

private:
    QString m_sql;
    bool m_open = false;
    QStringList m_columns;
    QVector<QVector<QVariant>> m_rows;
};

} // namespace tk
