#include "gui/export/DlgExport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/export/PayrollExport.h"
#include "gui/widgets/ErrorGuard.h"
#include "gui/widgets/MessageBoxes.h"
#include "gui/widgets/MonthChoice.h"

namespace tk {

namespace {

struct FormatChoice
{
    PayrollFormat format;
    const char *caption;
    const char *suffix;
};

const FormatChoice Formats[] = {
    {PayrollFormat::Csv, "CSV-Datei (Tabellenkalkulation)", "csv"},
    {PayrollFormat::Lodas, "LODAS (ASCII-Import Bewegungsdaten)", "txt"},
    {PayrollFormat::Lug, "Lohn und Gehalt (ASCII-Import)", "txt"}};

} // namespace

TDlgExport::TDlgExport(QWidget *parent)
    : QDialog(parent)
    , m_format(new QComboBox(this))
    , m_month(new MonthChoice(this))
    , m_file(new QLineEdit(this))
    , m_browse(new QPushButton(QStringLiteral("&Durchsuchen..."), this))
{
    setWindowTitle(QStringLiteral("Exportieren"));
    m_format->setObjectName(QStringLiteral("edFormat"));
    for (const FormatChoice &choice : Formats)
        m_format->addItem(QString::fromUtf8(choice.caption));
    m_file->setObjectName(QStringLiteral("edDatei"));
    m_file->setMinimumWidth(m_file->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 45);
    // the month before is the one that goes to payroll
    m_month->stepMonth(-1);
    proposeFileName();
    connect(m_format, &QComboBox::currentIndexChanged, this, &TDlgExport::proposeFileName);
    connect(m_month, &MonthChoice::monthChanged, this, &TDlgExport::proposeFileName);
    connect(m_browse, &QPushButton::clicked, this, &TDlgExport::chooseFile);

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(m_browse);
    auto *form = new QFormLayout;
    auto *formatLabel = new QLabel(QStringLiteral("&Format:"), this);
    formatLabel->setBuddy(m_format);
    form->addRow(formatLabel, m_format);
    form->addRow(QString(), m_month);
    auto *fileLabel = new QLabel(QStringLiteral("D&atei:"), this);
    fileLabel->setBuddy(m_file);
    form->addRow(fileLabel, fileRow);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Exportieren"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TDlgExport::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void TDlgExport::proposeFileName()
{
    const FormatChoice &choice = Formats[m_format->currentIndex()];
    const QString folder =
        m_file->text().isEmpty() ? QDir::homePath() : QFileInfo(m_file->text()).absolutePath();
    const QString name = QStringLiteral("Lohn-%1-%2-%3.%4")
                             .arg(m_month->year())
                             .arg(m_month->month(), 2, 10, QLatin1Char('0'))
                             .arg(PayrollFormatName(choice.format), QLatin1String(choice.suffix));
    m_file->setText(QDir(folder).filePath(name));
}

void TDlgExport::chooseFile()
{
    const QString file =
        QFileDialog::getSaveFileName(this, QStringLiteral("Exportdatei"), m_file->text());
    if (!file.isEmpty())
        m_file->setText(file);
}

void TDlgExport::accept()
{
    if (m_file->text().trimmed().isEmpty()) {
        showError(this, QStringLiteral("Bitte eine Datei angeben."));
        return;
    }
    QStringList lines;
    const bool written = runGuarded(this, [&] {
        lines = ExportPayroll(Formats[m_format->currentIndex()].format, m_month->month(),
                              m_month->year(), m_file->text().trimmed());
    });
    if (!written)
        return;
    lines << QString() << QStringLiteral("Datei geschrieben: %1").arg(m_file->text().trimmed());
    showInformation(this, lines.join(QLatin1Char('\n')));
    QDialog::accept();
}

} // namespace tk
