#include "gui/database/DlgAltdaten.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/import/ParadoxImport.h"
#include "gui/widgets/ErrorGuard.h"
#include "gui/widgets/MessageBoxes.h"
#include "gui/widgets/WaitCursor.h"

namespace tk {

TDlgAltdaten::TDlgAltdaten(std::function<bool()> closeWindows, QWidget *parent)
    : QDialog(parent)
    , m_closeWindows(std::move(closeWindows))
    , m_folder(new QLineEdit(this))
    , m_take(new QPushButton(QStringLiteral("Ü&bernehmen"), this))
    , m_report(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("Altdaten übernehmen"));
    m_folder->setObjectName(QStringLiteral("edOrdner"));
    auto *label = new QLabel(QStringLiteral("&Ordner mit Personal.DB, Schicht.DB, Tagplan.DB, "
                                            "auswert.db und AuswPos.db:"),
                             this);
    label->setBuddy(m_folder);
    auto *browse = new QPushButton(QStringLiteral("&Durchsuchen..."), this);
    connect(browse, &QPushButton::clicked, this, &TDlgAltdaten::btnDurchsuchenClick);
    m_take->setDefault(true);
    connect(m_take, &QPushButton::clicked, this, &TDlgAltdaten::btnUebernehmenClick);
    m_report->setObjectName(QStringLiteral("meBericht"));
    m_report->setReadOnly(true);
    m_report->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_report->setPlaceholderText(QStringLiteral("Hier steht nach der Übernahme, was je Tabelle "
                                                "gelesen, übernommen und abgewiesen wurde."));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Schließen"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0, 1, 3);
    layout->addWidget(m_folder, 1, 0);
    layout->addWidget(browse, 1, 1);
    layout->addWidget(m_take, 1, 2);
    layout->addWidget(m_report, 2, 0, 1, 3);
    layout->addWidget(buttons, 3, 0, 1, 3);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(0, 1);
    resize(720, 420);
}

void TDlgAltdaten::btnDurchsuchenClick()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Ordner der Paradox-Tabellen"), m_folder->text());
    if (!folder.isEmpty())
        m_folder->setText(QDir::toNativeSeparators(folder));
}

void TDlgAltdaten::btnUebernehmenClick()
{
    const QString folder = QDir::fromNativeSeparators(m_folder->text().trimmed());
    if (folder.isEmpty()) {
        showInformation(this, QStringLiteral("Bitte den Ordner der Paradox-Tabellen angeben."));
        m_folder->setFocus();
        return;
    }
    QString held;
    if (!runGuarded(this, [&held] { held = ParadoxImport::existingRows(); }))
        return;
    if (!held.isEmpty()
        && !confirm(this,
                    QStringLiteral("Die Datenbank enthält schon Daten (%1). Sollen die "
                                   "Altdaten sie ersetzen? Der jetzige Stand wird vorher "
                                   "gesichert.")
                        .arg(held)))
        return;
    if (m_closeWindows && !m_closeWindows())
        return;
    QStringList lines;
    const bool taken = runGuarded(this, [&] {
        const WaitCursor wait;
        lines = ParadoxImport::reportLines(ParadoxImport::run(
            folder,
            held.isEmpty() ? ParadoxImport::Existing::Refuse : ParadoxImport::Existing::Replace));
    });
    if (!taken)
        return;
    lines << QStringLiteral("Übernommen aus %1").arg(QDir::toNativeSeparators(folder));
    m_report->setPlainText(lines.join(QLatin1Char('\n')));
}

} // namespace tk
