#include "gui/widgets/DbLookupComboBox.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStandardItemModel>
#include <QStylePainter>
#include <QTableView>

#include "core/db/Table.h"
#include "gui/widgets/FieldLink.h"

namespace tk {

namespace {

constexpr int KeyRole = Qt::UserRole + 1;

bool sameKey(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.toLongLong() == b.toLongLong();
}

} // namespace

DbLookupComboBox::DbLookupComboBox(QWidget *parent)
    : QComboBox(parent)
    , m_link(new FieldLink(this, [this] { load(); }))
    , m_model(new QStandardItemModel(this))
    , m_view(new QTableView(this))
{
    setEnabled(false);
    setModel(m_model);
    m_view->horizontalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    m_view->setShowGrid(true);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setWordWrap(false);
    setView(m_view);
    setMaxVisibleItems(8);
    connect(this, &QComboBox::activated, this, &DbLookupComboBox::choose);
    reloadChoices();
}

void DbLookupComboBox::setDataSource(Table *table)
{
    m_link->setDataSource(table);
}

Table *DbLookupComboBox::dataSource() const
{
    return m_link->dataSource();
}

void DbLookupComboBox::setDataField(const QString &fieldName)
{
    m_link->setDataField(fieldName);
}

QString DbLookupComboBox::dataField() const
{
    return m_link->dataField();
}

void DbLookupComboBox::setLookup(Table *lookupTable, const QString &keyField,
                                 const QString &listFields)
{
    if (m_lookup)
        disconnect(m_lookup, nullptr, this, nullptr);
    m_lookup = lookupTable;
    m_keyField = keyField;
    m_listFields = listFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (lookupTable) {
        connect(lookupTable, &Table::viewChanged, this, &DbLookupComboBox::reloadChoices);
        connect(lookupTable, &Table::activeChanged, this, &DbLookupComboBox::reloadChoices);
    }
    reloadChoices();
}

void DbLookupComboBox::setFieldsDelimiter(const QString &delimiter)
{
    m_delimiter = delimiter;
    reloadChoices();
}

bool DbLookupComboBox::isBound() const
{
    return m_link->dataSource() != nullptr;
}

QVariant DbLookupComboBox::value() const
{
    return isBound() ? m_link->value() : m_value;
}

void DbLookupComboBox::setValue(const QVariant &key)
{
    if (isBound()) {
        m_link->write(key);
        return;
    }
    m_value = key;
    load();
}

void DbLookupComboBox::reloadChoices()
{
    const bool delimited = !m_delimiter.isEmpty();
    const int columns = delimited ? 1 : std::max(1, int(m_listFields.size()));
    m_model->clear();
    m_model->setColumnCount(columns);
    QList<QStandardItem *> none;
    none << new QStandardItem(QString::fromLatin1(NoneText));
    for (int c = 1; c < columns; ++c)
        none << new QStandardItem();
    m_model->appendRow(none);

    Table *lookup = m_lookup;
    if (lookup && lookup->isOpen()) {
        const int keyColumn = lookup->fieldIndex(m_keyField);
        QVector<int> listColumns;
        for (const QString &name : m_listFields)
            listColumns << lookup->fieldIndex(name);
        for (int row = 0; row < lookup->recordCount(); ++row) {
            QStringList texts;
            for (int c = 0; c < std::max(1, int(listColumns.size())); ++c) {
                const int column = listColumns.value(c, -1);
                const QVariant value = column >= 0 ? lookup->valueAt(row, column) : QVariant();
                texts << (value.isNull() ? QString() : value.toString());
            }
            if (delimited)
                texts = QStringList{texts.join(m_delimiter)};
            QList<QStandardItem *> line;
            for (int c = 0; c < columns; ++c)
                line << new QStandardItem(texts.value(c));
            line.first()->setData(keyColumn >= 0 ? lookup->valueAt(row, keyColumn) : QVariant(),
                                  KeyRole);
            m_model->appendRow(line);
        }
    }
    m_view->resizeColumnsToContents();
    int width = 2 * m_view->frameWidth();
    for (int c = 0; c < columns; ++c) {
        m_view->setColumnWidth(c, m_view->columnWidth(c) + 8);
        width += m_view->columnWidth(c);
    }
    m_view->setMinimumWidth(width);
    load();
}

QVariant DbLookupComboBox::keyAt(int line) const
{
    if (line <= 0 || line >= m_model->rowCount())
        return QVariant();
    return m_model->item(line, 0)->data(KeyRole);
}

int DbLookupComboBox::lineOf(const QVariant &key) const
{
    if (key.isNull())
        return 0;
    for (int line = 1; line < m_model->rowCount(); ++line) {
        if (sameKey(keyAt(line), key))
            return line;
    }
    return -1;
}

QString DbLookupComboBox::lineText(int line) const
{
    if (line < 0 || line >= m_model->rowCount())
        return QString();
    if (line == 0)
        return QString::fromLatin1(NoneText);
    QStringList parts;
    for (int c = 0; c < m_model->columnCount(); ++c)
        parts << m_model->item(line, c)->text();
    return parts.join(QStringLiteral("  ")).trimmed();
}

void DbLookupComboBox::load()
{
    const QSignalBlocker blocker(this);
    if (isBound())
        setCurrentIndex(m_link->isActive() ? lineOf(m_link->value()) : -1);
    else
        setCurrentIndex(lineOf(m_value));
    update();
}

void DbLookupComboBox::choose(int line)
{
    if (line < 0 || line >= m_model->rowCount())
        return;
    setCurrentIndex(line);
    const QVariant key = keyAt(line);
    if (!isBound())
        m_value = key;
    else if (!sameKey(key, m_link->value()))
        m_link->write(key);
    update();
}

void DbLookupComboBox::refreshLookup()
{
    if (!m_lookup || !m_lookup->isOpen())
        return;
    try {
        m_lookup->refresh(); // re-reads the choices through viewChanged
    } catch (const std::exception &) {
        // The choices read before stay; the table layer reports its failures where data is
        // written, not while a list is merely opened.
    }
}

void DbLookupComboBox::showPopup()
{
    refreshLookup();
    QComboBox::showPopup();
}

void DbLookupComboBox::focusInEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::PopupFocusReason) {
        refreshLookup();
        // Typing starts a new search: digits typed for the previous record do not count.
        const QModelIndex current = m_view->currentIndex();
        m_view->keyboardSearch(QString());
        m_view->setCurrentIndex(current);
    }
    QComboBox::focusInEvent(event);
}

void DbLookupComboBox::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)
        && event->modifiers() == Qt::NoModifier) {
        choose(0);
        return;
    }
    QComboBox::keyPressEvent(event);
}

void DbLookupComboBox::paintEvent(QPaintEvent *)
{
    // The closed list shows all list fields of the chosen line, not only the first.
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = lineText(currentIndex());
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace tk
