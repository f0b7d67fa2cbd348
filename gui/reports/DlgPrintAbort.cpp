#include "gui/reports/DlgPrintAbort.h"

#include "gui/widgets/Glyphs.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tk {

TDlgPrintAbort::TDlgPrintAbort(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("DlgPrintAbort"));
    setWindowTitle(QStringLiteral("Drucke..."));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(291, 93);

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("paFrame"));
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(2);

    paValue = new QLabel(QStringLiteral("Drucke..."), frame);
    paValue->setObjectName(QStringLiteral("paValue"));
    paValue->setFrameShape(QFrame::Panel);
    paValue->setFrameShadow(QFrame::Sunken);
    paValue->setAlignment(Qt::AlignCenter);
    paValue->setMinimumHeight(30);

    btnAbbrechen = new QPushButton(glyphIcon(Glyph::Cancel), QStringLiteral("Abbrechen"), frame);
    btnAbbrechen->setObjectName(QStringLiteral("btnAbbrechen"));
    QFont bold = btnAbbrechen->font();
    bold.setBold(true);
    btnAbbrechen->setFont(bold);
    btnAbbrechen->setAutoDefault(false);
    connect(btnAbbrechen, &QPushButton::clicked, this, &TDlgPrintAbort::btnAbbrechenClick);

    auto *inner = new QVBoxLayout(frame);
    inner->setContentsMargins(10, 8, 10, 8);
    inner->addWidget(paValue);
    inner->addWidget(btnAbbrechen, 0, Qt::AlignHCenter);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TDlgPrintAbort::setProgressText(const QString &text)
{
    paValue->setText(text);
    paValue->repaint();
}

QString TDlgPrintAbort::progressText() const
{
    return paValue->text();
}

void TDlgPrintAbort::btnAbbrechenClick()
{
    m_cancelled = true;
}

void TDlgPrintAbort::reject()
{
    btnAbbrechenClick();
}

} // namespace tk
