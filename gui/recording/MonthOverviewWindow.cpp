#include "gui/recording/MonthOverviewWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/db/TableChanges.h"
#include "core/recording/MonthOverview.h"
#include "core/settings/FirmSettings.h"
#include "gui/recording/MonthOverviewModel.h"
#include "gui/reports/ListCommands.h"
#include "gui/widgets/ErrorGuard.h"
#include "gui/widgets/FormTools.h"
#include "gui/widgets/MonthChoice.h"
#include "gui/widgets/WaitCursor.h"

namespace tk {

namespace {

bool followsTable(const QString &name)
{
    for (const char *table : {"Personal", "auswert", "AuswPos", "Tagplan", "Einstellung"}) {
        if (name.compare(QLatin1String(table), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

MonthOverviewWindow::MonthOverviewWindow(QWidget *parent)
    : QWidget(parent)
    , m_model(new MonthOverviewModel(this))
{
    setWindowTitle(QStringLiteral("Monatsübersicht"));
    grdUebersicht = new QTableView(this);
    grdUebersicht->setObjectName(QStringLiteral("grdUebersicht"));
    grdUebersicht->setModel(m_model);
    grdUebersicht->setSelectionMode(QAbstractItemView::SingleSelection);
    grdUebersicht->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdUebersicht->verticalHeader()->hide();
    grdUebersicht->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdUebersicht->installEventFilter(this);
    connect(grdUebersicht, &QTableView::doubleClicked, this, &MonthOverviewWindow::openCurrentDay);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(buildToolRow());
    layout->addWidget(grdUebersicht, 1);

    connect(m_month, &MonthChoice::monthChanged, this, &MonthOverviewWindow::reload);
    connect(&TableChanges::instance(), &TableChanges::tableChanged, this,
            [this](const QString &table) {
                if (followsTable(table))
                    reload();
            });
    reload();
    // wide enough for 31 days and the missing count
    int width = 2 * grdUebersicht->frameWidth() + 2 * layout->contentsMargins().left() + 4;
    for (int column = 0; column < m_model->columnCount(); ++column)
        width += grdUebersicht->columnWidth(column);
    resize(width + grdUebersicht->verticalScrollBar()->sizeHint().width(), 480);
    grdUebersicht->setFocus();
}

QWidget *MonthOverviewWindow::buildToolRow()
{
    auto *row = new QWidget(this);
    m_month = new MonthChoice(row);
    paFehlt = new QLabel(row);
    paFehlt->setObjectName(QStringLiteral("paFehlt"));
    btnPrint = toolButton(row, Glyph::Print, QStringLiteral("Drucken (Strg+P)"), "btnPrint");
    btnClose = toolButton(row, Glyph::Close, QStringLiteral("Schließen"), "btnClose");
    connect(btnPrint, &QToolButton::clicked, this, &MonthOverviewWindow::btnPrintClick);
    connect(btnClose, &QToolButton::clicked, this, &QWidget::close);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_month);
    layout->addSpacing(12);
    layout->addWidget(paFehlt);
    layout->addStretch(1);
    layout->addWidget(btnPrint);
    layout->addWidget(btnClose);
    return row;
}

void MonthOverviewWindow::reload()
{
    const QModelIndex current = grdUebersicht->currentIndex();
    runGuarded(this, [this] {
        const WaitCursor wait;
        m_model->setOverview(ReadMonthOverview(m_month->month(), m_month->year(),
                                               QDate::currentDate(), FirmSettings::state()));
    });
    const int missing = m_model->overview().missingDays();
    paFehlt->setText(missing == 0 ? QString()
                         : missing == 1
                         ? QStringLiteral("1 Arbeitstag ohne Zeiten")
                         : QStringLiteral("%1 Arbeitstage ohne Zeiten").arg(missing));
    fitColumns();
    const QModelIndex again = m_model->index(qMax(current.row(), 0), qMax(current.column(), 1));
    if (again.isValid())
        grdUebersicht->setCurrentIndex(again);
}

void MonthOverviewWindow::fitColumns()
{
    const int dayWidth = fontMetrics().horizontalAdvance(QStringLiteral("fehlt")) + 8;
    grdUebersicht->setColumnWidth(0, fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
    for (int column = 1; column < m_model->columnCount(); ++column)
        grdUebersicht->setColumnWidth(column, dayWidth);
    grdUebersicht->horizontalHeader()->setFixedHeight(2 * fontMetrics().height() + 8);
}

void MonthOverviewWindow::openCurrentDay()
{
    int employee = 0;
    int day = 0;
    if (!m_model->dayAt(grdUebersicht->currentIndex(), &employee, &day))
        return;
    const MonthOverview &overview = m_model->overview();
    Q_EMIT openDay(overview.employees.at(employee).number, overview.date(day));
}

void MonthOverviewWindow::btnPrintClick()
{
    previewMonthOverviewList(this, m_month->firstDay());
}

bool MonthOverviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != grdUebersicht || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        && modifiers == Qt::NoModifier) {
        openCurrentDay();
        return true;
    }
    if (key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown) {
        m_month->stepMonth(key->key() == Qt::Key_PageUp ? -1 : 1);
        return true;
    }
    if (key->key() == Qt::Key_P && modifiers == Qt::ControlModifier) {
        btnPrintClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tk
