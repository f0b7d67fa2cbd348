#include "gui/recording/DlgNewTag.h"

#include "core/common/EntryCodes.h"
#include "gui/recording/EntryDialog.h"
#include "gui/timefields/KvTimeEdit.h"
#include "gui/widgets/KeyPreview.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace tk {

using namespace entrydialog;

TDlgNewTag::TDlgNewTag(QWidget *parent)
    : TEntryDialog(QStringLiteral("OK"), parent)
{
    buildControls();
    FormCreate();

    connect(m_edVon, &KvFieldBase::OnChange, this, &TDlgNewTag::edVonChange);
    connect(m_edBis, &KvFieldBase::OnChange, this, &TDlgNewTag::edVonChange);
    connect(m_edVon, &KvFieldBase::OnExit, this, &TDlgNewTag::edVonExit);
    connect(m_edBis, &KvFieldBase::OnExit, this, &TDlgNewTag::edBisExit);

    // The code box filter goes first so that the key preview, installed last, runs first.
    m_edKennung->installEventFilter(this);
    new KeyPreview(this, [this](QKeyEvent *event) {
        // Ctrl+Enter confirms from any field, so a proposal takes one key.
        if (isEnter(event) && (event->modifiers() & Qt::ControlModifier)) {
            btnOK()->click();
            return true;
        }
        return FormKeyPress(event);
    });
}

void TDlgNewTag::buildControls()
{
    m_edVon = makeTimeField(this);
    m_edBis = makeEndTimeField(this);
    m_laSumme = new QLabel(QStringLiteral("00:00"), this);
    m_edKennung = new QComboBox(this);
    m_edKennung->addItems(EntryCodeCaptions());

    auto *times = new QGridLayout;
    times->addWidget(new QLabel(QStringLiteral("Von"), this), 0, 1);
    times->addWidget(new QLabel(QStringLiteral("Bis"), this), 0, 2);
    times->addWidget(new QLabel(QStringLiteral("Zeit:"), this), 1, 0);
    times->addWidget(m_edVon, 1, 1);
    times->addWidget(m_edBis, 1, 2);
    times->addWidget(m_laSumme, 1, 3);
    times->setColumnMinimumWidth(3, fontMetrics().horizontalAdvance(QStringLiteral("-00:-00")));
    times->setColumnStretch(4, 1);

    auto *code = new QHBoxLayout;
    code->addWidget(new QLabel(QStringLiteral("Kennung"), this));
    code->addWidget(m_edKennung);
    code->addStretch(1);

    arrangeFrame({times, code});

    setTabOrder(m_edVon, m_edBis);
    setTabOrder(m_edBis, m_edKennung);
    setTabOrder(m_edKennung, btnOK());
    setTabOrder(btnOK(), btnCancel());
}

void TDlgNewTag::FormCreate()
{
    m_edVon->SetMinutes(360);
    m_edBis->SetMinutes(885);
    m_edKennung->setCurrentIndex(0);
    updateSum();
}

void TDlgNewTag::updateSum()
{
    m_laSumme->setText(sumText(m_edVon, m_edBis));
}

void TDlgNewTag::edVonChange()
{
    updateSum();
}

void TDlgNewTag::edVonExit()
{
    updateSum();
}

void TDlgNewTag::edBisExit()
{
    updateSum();
}

// The caller sets the fields with SetMinutes, which announces nothing: the sum line
// catches up here, before the operator sees it.
void TDlgNewTag::showEvent(QShowEvent *event)
{
    updateSum();
    TEntryDialog::showEvent(event);
}

QWidget *TDlgNewTag::firstField() const
{
    return m_edVon;
}

bool TDlgNewTag::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edKennung && event->type() == QEvent::KeyPress
        && edKennungKeyPress(static_cast<QKeyEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

// Enter in the closed code box moves on to OK; with the list dropped down it only
// belongs to the list.
bool TDlgNewTag::edKennungKeyPress(QKeyEvent *event)
{
    if (!isEnter(event) || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (!isListDroppedDown(m_edKennung))
        btnOK()->setFocus(Qt::TabFocusReason);
    return true;
}

} // namespace tk
