#include "gui/widgets/DbGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>

#include "gui/widgets/ErrorGuard.h"

namespace tk {

namespace {

class DbGridDelegate : public QStyledItemDelegate
{
public:
    explicit DbGridDelegate(DbGrid *grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette &palette = option.palette;
        painter->fillRect(option.rect,
                          selected ? palette.highlight() : QBrush(m_grid->lineColor(index.row())));

        const CellStyle style = m_grid->styleOf(index);

        QFont font = option.font;
        font.setBold(style.bold);
        painter->save();
        painter->setFont(font);
        QColor color = style.color.isValid() ? style.color : palette.color(QPalette::Text);
        if (selected)
            color = style.color.isValid() ? style.color : palette.color(QPalette::HighlightedText);
        painter->setPen(color);
        const QRect textRect = option.rect.adjusted(3, 0, -3, 0);
        painter->drawText(
            textRect, int(style.alignment),
            QFontMetrics(font).elidedText(style.text, Qt::ElideRight, textRect.width()));
        painter->restore();
    }

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override
    {
        if (event->type() != QEvent::ToolTip)
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        const QString tip = m_grid->styleOf(index).toolTip;
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(event->globalPos(), tip, view);
        return true;
    }

private:
    DbGrid *m_grid;
};

} // namespace

DbGrid::DbGrid(Table *table, const QVector<TableModel::Column> &columns, QWidget *parent)
    : QTableView(parent)
    , m_model(new TableModel(table, columns, this))
{
    setModel(m_model);
    setItemDelegate(new DbGridDelegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    connect(table, &Table::viewChanged, this, &DbGrid::followTable);
    connect(table, &Table::recordChanged, this, [this](const QString &fieldName) {
        if (fieldName.isEmpty())
            followTable();
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { followSelection(current); });
    followTable();
}

void DbGrid::setCellFormatter(CellFormatter formatter)
{
    m_formatter = std::move(formatter);
    viewport()->update();
}

CellStyle DbGrid::styleOf(const QModelIndex &index) const
{
    CellStyle style;
    const QVariant value = index.data();
    style.text = value.isNull() ? QString() : value.toString();
    if (m_formatter)
        m_formatter(index.row(), m_model->fieldAt(index.column()), value, style);
    return style;
}

QColor DbGrid::lineColor(int row) const
{
    const int top = rowAt(0) < 0 ? 0 : rowAt(0);
    return (row - top) % 2 == 0 ? palette().color(QPalette::ToolTipBase) : QColor(Qt::white);
}

void DbGrid::followTable()
{
    Table *t = table();
    if (m_syncing || !t)
        return;
    const QSignalBlocker blocker(selectionModel());
    const int row = t->isOpen() ? t->currentRow() : -1;
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clear();
        return;
    }
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const QModelIndex index = m_model->index(row, column);
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
    viewport()->update();
}

void DbGrid::followSelection(const QModelIndex &current)
{
    Table *t = table();
    if (!current.isValid() || !t || !t->isOpen() || current.row() == t->currentRow())
        return;
    m_syncing = true;
    runGuarded(this, [&] { t->moveTo(current.row()); });
    m_syncing = false;
    // A failed move (a pending change that could not be stored) leaves the table where it was.
    followTable();
}

void DbGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid())
        Q_EMIT lineDoubleClicked();
}

void DbGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    // The alternation starts at the top visible line, so every line changes colour.
    viewport()->update();
}

} // namespace tk
