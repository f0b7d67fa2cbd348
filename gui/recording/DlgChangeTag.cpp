#include "gui/recording/DlgChangeTag.h"

#include "core/common/ClockText.h"
#include "core/common/EntryCodes.h"
#include "gui/recording/EntryDialog.h"
#include "gui/timefields/KvTimeEdit.h"
#include "gui/widgets/KeyPreview.h"
#include "gui/widgets/ValueComboBox.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace tk {

using namespace entrydialog;

TDlgChangeTag::TDlgChangeTag(QWidget *parent)
    : TEntryDialog(QStringLiteral("OK [F4]"), parent)
{
    setProperty("helpContext", HelpContext);
    buildControls();
    FormCreate();

    for (const Row &row : m_rows) {
        connect(row.von, &KvFieldBase::OnChange, this, &TDlgChangeTag::edVon1Change);
        connect(row.bis, &KvFieldBase::OnChange, this, &TDlgChangeTag::edVon1Change);
        connect(row.von, &KvFieldBase::OnExit, this, &TDlgChangeTag::edVon1Exit);
        connect(row.bis, &KvFieldBase::OnExit, this, &TDlgChangeTag::edBis1Exit);
        // Installed before the key preview, so the preview sees each key first.
        row.kennung->installEventFilter(this);
    }
    new KeyPreview(this,
                   [this](QKeyEvent *event) { return FormKeyDown(event) || FormKeyPress(event); });
}

int TDlgChangeTag::index(int row)
{
    Q_ASSERT(row >= 1 && row <= RowCount);
    return qBound(1, row, RowCount) - 1;
}

void TDlgChangeTag::buildControls()
{
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Von"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Bis"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Kennung"), this), 0, 3);
    QWidget *previous = nullptr;
    for (int n = 1; n <= RowCount; ++n) {
        Row &row = m_rows.at(index(n));
        row.von = makeTimeField(this);
        row.bis = makeEndTimeField(this);
        row.kennung = new TValueComboBox(this);
        row.kennung->setItems(EntryCodeCaptions());
        row.kennung->setValues(EntryCodeLetters());
        row.summe = new QLabel(QStringLiteral("00:00"), this);
        row.summe->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row.summe->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-00:-00")));

        grid->addWidget(new QLabel(QStringLiteral("Zeit %1:").arg(n), this), n, 0);
        grid->addWidget(row.von, n, 1);
        grid->addWidget(row.bis, n, 2);
        grid->addWidget(row.kennung, n, 3);
        grid->addWidget(row.summe, n, 4);

        // Row by row: from, to, code.
        for (QWidget *control : {static_cast<QWidget *>(row.von), static_cast<QWidget *>(row.bis),
                                 static_cast<QWidget *>(row.kennung)}) {
            if (previous)
                setTabOrder(previous, control);
            previous = control;
        }
    }
    setTabOrder(previous, btnOK());
    setTabOrder(btnOK(), btnCancel());

    arrangeFrame({grid});
}

// Every row from 0 to 0: the fields stay in the empty state.
void TDlgChangeTag::FormCreate()
{
    for (const Row &row : m_rows) {
        row.von->SetMinutes(0);
        row.bis->SetMinutes(0);
        row.kennung->setCurrentIndex(0);
    }
    UpdateSums();
}

void TDlgChangeTag::UpdateSums()
{
    for (const Row &row : m_rows)
        row.summe->setText(sumText(row.von, row.bis));
}

void TDlgChangeTag::edVon1Change()
{
    UpdateSums();
}

void TDlgChangeTag::edVon1Exit()
{
    UpdateSums();
}

void TDlgChangeTag::edBis1Exit()
{
    UpdateSums();
}

QWidget *TDlgChangeTag::firstField() const
{
    return edVon(1);
}

bool TDlgChangeTag::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        for (const Row &row : m_rows) {
            if (watched == row.kennung
                && edKennung1KeyDown(row.kennung, static_cast<QKeyEvent *>(event)))
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// With the list closed, Enter moves on to the next control and Shift+Enter back; every
// other key or modifier combination passes on.
bool TDlgChangeTag::edKennung1KeyDown(TValueComboBox *box, QKeyEvent *event)
{
    if (!isEnter(event))
        return false;
    if (isListDroppedDown(box))
        return true; // the key belongs to the open list, never to the dialog's buttons
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier)
        return focusNextPrevChild(true);
    if (modifiers == Qt::ShiftModifier)
        return focusNextPrevChild(false);
    return false;
}

bool TDlgChangeTag::FormKeyDown(QKeyEvent *event)
{
    if (event->key() != Qt::Key_F4)
        return false;
    btnOK()->click();
    return true;
}

} // namespace tk
