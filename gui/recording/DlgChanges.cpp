#include "gui/recording/DlgChanges.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/common/ClockText.h"
#include "core/recording/ChangeLog.h"

namespace tk {

TDlgChanges::TDlgChanges(int personalNummer, const QDate &date, QWidget *parent)
    : QDialog(parent)
    , m_grid(new QTableWidget(this))
{
    setWindowTitle(QStringLiteral("Änderungen"));
    const QVector<ChangeRow> rows = ChangesOfDay(personalNummer, date);
    m_grid->setObjectName(QStringLiteral("grdAenderungen"));
    m_grid->setColumnCount(7);
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Zeitpunkt"), QStringLiteral("Benutzer"),
                                       QStringLiteral("Arbeitsplatz"), QStringLiteral("Feld"),
                                       QStringLiteral("alt"), QStringLiteral("neu"),
                                       QStringLiteral("Grund")});
    m_grid->setRowCount(int(rows.size()));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    for (int r = 0; r < rows.size(); ++r) {
        const ChangeRow &row = rows.at(r);
        const QStringList cells{ChangeTimeText(row.zeitpunkt),
                                row.benutzer,
                                row.arbeitsplatz,
                                row.tabelle.compare(QLatin1String("auswert"), Qt::CaseInsensitive)
                                        == 0
                                    ? QStringLiteral("Schicht des Tages")
                                    : row.feld,
                                row.altWert,
                                row.neuWert,
                                row.grund};
        for (int c = 0; c < cells.size(); ++c)
            m_grid->setItem(r, c, new QTableWidgetItem(cells.at(c)));
    }
    m_grid->resizeColumnsToContents();
    m_grid->horizontalHeader()->setStretchLastSection(true);

    auto *caption = new QLabel(
        rows.isEmpty()
            ? QStringLiteral("Keine Änderungen am %1 für Personal-Nr. %2.")
                  .arg(GermanDateText(date))
                  .arg(personalNummer)
            : QStringLiteral("Änderungen am %1 für Personal-Nr. %2 (Zeiten und Schicht):")
                  .arg(GermanDateText(date))
                  .arg(personalNummer),
        this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Schließen"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_grid, 1);
    layout->addWidget(buttons);
    resize(760, 360);
}

} // namespace tk
