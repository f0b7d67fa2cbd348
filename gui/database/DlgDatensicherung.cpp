#include "gui/database/DlgDatensicherung.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/db/DatabaseBackup.h"
#include "gui/widgets/ErrorGuard.h"
#include "gui/widgets/MessageBoxes.h"
#include "gui/widgets/WaitCursor.h"

namespace tk {

TDlgDatensicherung::TDlgDatensicherung(std::function<bool()> closeWindows, QWidget *parent)
    : QDialog(parent)
    , m_closeWindows(std::move(closeWindows))
    , m_grid(new QTableWidget(this))
    , m_restore(new QPushButton(QStringLiteral("&Wiederherstellen..."), this))
{
    setWindowTitle(QStringLiteral("Datensicherung"));
    m_grid->setObjectName(QStringLiteral("grdSicherungen"));
    m_grid->setColumnCount(3);
    m_grid->setHorizontalHeaderLabels(
        {QStringLiteral("Gesichert am"), QStringLiteral("Größe"), QStringLiteral("Inhalt")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);

    auto *save = new QPushButton(QStringLiteral("&Jetzt sichern"), this);
    connect(save, &QPushButton::clicked, this, &TDlgDatensicherung::btnSichernClick);
    connect(m_restore, &QPushButton::clicked, this, &TDlgDatensicherung::btnWiederherstellenClick);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Schließen"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addWidget(save);
    row->addWidget(m_restore);
    row->addStretch(1);
    row->addWidget(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Sicherungen in %1:").arg(DatabaseBackup::automaticFolder()), this));
    layout->addWidget(m_grid, 1);
    layout->addLayout(row);
    resize(640, 360);
    showBackups();
}

void TDlgDatensicherung::showBackups()
{
    const QVector<BackupFile> files = DatabaseBackup::list(DatabaseBackup::automaticFolder());
    const QLocale german(QLocale::German, QLocale::Germany);
    m_paths.clear();
    m_grid->setRowCount(int(files.size()));
    for (int r = 0; r < files.size(); ++r) {
        const BackupFile &file = files.at(r);
        m_paths << file.path;
        m_grid->setItem(
            r, 0, new QTableWidgetItem(file.time.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"))));
        auto *size = new QTableWidgetItem(german.formattedDataSize(file.size));
        size->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_grid->setItem(r, 1, size);
        m_grid->setItem(r, 2, new QTableWidgetItem(DatabaseBackup::rowSummary(file.path)));
    }
    m_grid->resizeColumnsToContents();
    if (!files.isEmpty())
        m_grid->selectRow(0);
    m_restore->setEnabled(!files.isEmpty());
}

void TDlgDatensicherung::btnSichernClick()
{
    runGuarded(this, [this] {
        const WaitCursor wait;
        DatabaseBackup::writeInto(DatabaseBackup::automaticFolder(), QDateTime::currentDateTime());
    });
    showBackups();
}

void TDlgDatensicherung::btnWiederherstellenClick()
{
    const int row = m_grid->currentRow();
    if (row < 0 || row >= m_paths.size())
        return;
    const QString when = m_grid->item(row, 0)->text();
    if (!confirmOkCancel(this,
                         QStringLiteral("Die Datenbank durch die Sicherung vom %1 "
                                        "ersetzen? Der jetzige Stand wird vorher gesichert.")
                             .arg(when)))
        return;
    if (m_closeWindows && !m_closeWindows())
        return;
    const bool restored = runGuarded(this, [&] {
        const WaitCursor wait;
        DatabaseBackup::restore(m_paths.at(row));
    });
    if (restored)
        showInformation(this,
                        QStringLiteral("Die Sicherung vom %1 ist wiederhergestellt.").arg(when));
    showBackups();
}

} // namespace tk
