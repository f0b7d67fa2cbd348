#include "gui/timefields/KvFieldBase.h"

#include "gui/widgets/ErrorGuard.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTime>

namespace tk {

namespace {

// Window activation and popups take the keyboard for a while without the operator
// leaving the field: the active part stays.
bool isTemporary(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

constexpr int TextGap = 2; // the text ends this far before the right edge

} // namespace

KvFieldBase::KvFieldBase(TimeFieldKind kind, QWidget *parent)
    : QWidget(parent)
    , m_state(kind)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void KvFieldBase::SetMinutes(quint16 value)
{
    if (m_state.setMinutesValue(value))
        update();
}

void KvFieldBase::Change()
{
    update();
    Q_EMIT OnChange(this);
}

void KvFieldBase::Reset() {}

void KvFieldBase::setBorderStyle(BorderStyle style)
{
    m_borderStyle = style;
    updateGeometry();
    update();
}

void KvFieldBase::restartTyping()
{
    m_state.restartTyping();
    update();
}

void KvFieldBase::showEmpty()
{
    m_state.makeEmpty();
    update();
}

KvFieldBase::KeyAction KvFieldBase::classify(const QKeyEvent *event) const
{
    const bool command =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    switch (event->key()) {
    case Qt::Key_Up:
        return KeyAction::StepUp;
    case Qt::Key_Down:
        return KeyAction::StepDown;
    case Qt::Key_Left:
    case Qt::Key_Right:
        return KeyAction::SwitchPart;
    case Qt::Key_Comma:
    case Qt::Key_Period:
        return KeyAction::Separator;
    case Qt::Key_Delete:
        return KeyAction::Clear;
    case Qt::Key_Insert:
        return kind() == TimeFieldKind::Time ? KeyAction::TakeNow : KeyAction::None;
    case Qt::Key_Escape:
        return KeyAction::Escape;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return command ? KeyAction::None : KeyAction::Enter;
    default:
        break;
    }
    const QString text = event->text();
    if (command || text.size() != 1)
        return KeyAction::None;
    const QChar c = text.at(0);
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return KeyAction::Digit;
    if (c == QLatin1Char('+'))
        return KeyAction::StepUp;
    if (c == QLatin1Char('-'))
        return KeyAction::StepDown;
    if (kind() == TimeFieldKind::Time && QStringLiteral("FNHTV").contains(c.toUpper()))
        return KeyAction::DayLetter;
    return KeyAction::None;
}

bool KvFieldBase::handleKey(const QKeyEvent *event)
{
    switch (classify(event)) {
    case KeyAction::None:
        return false;
    case KeyAction::StepUp:
        return apply(m_state.step(+1));
    case KeyAction::StepDown:
        return apply(m_state.step(-1));
    case KeyAction::SwitchPart:
        m_state.switchPart();
        update();
        return true;
    case KeyAction::Separator:
        m_state.typeSeparator();
        update();
        return true;
    case KeyAction::Clear:
        return apply(m_state.clear());
    case KeyAction::TakeNow: {
        const QTime now = QTime::currentTime();
        return apply(m_state.takeTimeOfDay(now.hour() * 60 + now.minute()));
    }
    case KeyAction::Escape:
        Reset();
        Change();
        return true;
    case KeyAction::Enter:
        return apply(m_state.enter(event->modifiers() & Qt::ShiftModifier));
    case KeyAction::Digit:
        return apply(m_state.typeDigit(event->text().at(0).digitValue()));
    case KeyAction::DayLetter:
        return apply(m_state.typeDayLetter(event->text().at(0)));
    }
    return false;
}

bool KvFieldBase::apply(const TimeEntryState::Outcome &outcome)
{
    if (outcome.refused) {
        QApplication::beep();
        Q_EMIT refused(this);
        return true;
    }
    if (outcome.edited)
        ++m_valueEdits;
    if (outcome.focus != TimeEntryState::FocusMove::Stay)
        focusNextPrevChild(outcome.focus == TimeEntryState::FocusMove::Next);
    if (outcome.change)
        Change();
    else
        update();
    return outcome.consumed;
}

// The field takes its keys before window shortcuts would (arrows, Delete, Insert, digits),
// but leaves Escape and every Ctrl/Alt/F-key to the window's key handling.
bool KvFieldBase::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        const KeyAction action = classify(keyEvent);
        if (action != KeyAction::None && action != KeyAction::Escape) {
            keyEvent->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void KvFieldBase::keyPressEvent(QKeyEvent *event)
{
    // A refused key counts as handled: the error box has told the operator why.
    bool handled = true;
    runGuarded(this, [&] { handled = handleKey(event); });
    if (handled)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void KvFieldBase::mousePressEvent(QMouseEvent *event)
{
    const QRect client = clientRect();
    const int halfText = fontMetrics().horizontalAdvance(templateText()) / 2;
    const bool rightHalf = event->position().x() >= client.right() + 1 - halfText;
    m_state.pressMouse(rightHalf);
    setFocus(Qt::MouseFocusReason);
    update();
    event->accept();
}

void KvFieldBase::focusInEvent(QFocusEvent *event)
{
    m_state.focusIn();
    update();
    QWidget::focusInEvent(event);
}

void KvFieldBase::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
    if (isTemporary(event->reason()))
        return;
    m_state.focusOut();
    Q_EMIT OnExit(this);
}

QRect KvFieldBase::clientRect() const
{
    if (m_borderStyle == BorderStyle::None)
        return rect();
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    return rect().adjusted(frame, frame, -frame, -frame);
}

QString KvFieldBase::templateText() const
{
    return kind() == TimeFieldKind::Time ? QStringLiteral(" 00 : 00 ")
                                         : QStringLiteral(" 000 : 00 ");
}

QString KvFieldBase::hoursText(const char *format) const
{
    return QString::asprintf(format, m_state.hours());
}

int KvFieldBase::textLeft(const QFontMetrics &metrics) const
{
    return clientRect().right() + 1 - TextGap - metrics.horizontalAdvance(templateText());
}

QSize KvFieldBase::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    const int frame = m_borderStyle == BorderStyle::None
        ? 0
        : style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int height = metrics.height() + 4 + 2 * frame;
    const int width =
        decorationWidth() + metrics.horizontalAdvance(templateText()) + TextGap + 2 + 2 * frame;
    return {width, height};
}

void KvFieldBase::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().brush(QPalette::Base));
    if (m_borderStyle == BorderStyle::Single) {
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        frame.midLineWidth = 0;
        frame.state |= QStyle::State_Sunken;
        style()->drawPrimitive(QStyle::PE_FrameLineEdit, &frame, &painter, this);
    }
    const QRect client = clientRect();
    painter.setClipRect(client);
    paintDecoration(painter, client);
    paintText(painter, client);
}

// " 07 : 30 " right-aligned; an empty unfocused field shows only the colon. With the focus,
// the active part is painted in the highlight colours: " 07 " or " 30 ".
void KvFieldBase::paintText(QPainter &painter, const QRect &client)
{
    const QFontMetrics metrics = fontMetrics();
    const bool time = kind() == TimeFieldKind::Time;
    const char *hoursPadded = time ? " %2.2d " : " %3.3d ";
    const char *hoursLeading = time ? " %2.2d" : " %3.3d";
    const QString minutes = QString::asprintf("%2.2d", m_state.minutes());
    const int top = client.top() + (client.height() - metrics.height()) / 2;
    int x = textLeft(metrics);

    const QColor text = palette().color(QPalette::Text);
    auto draw = [&](const QString &piece, bool highlighted) {
        const QRect box(x, top, metrics.horizontalAdvance(piece), metrics.height());
        if (highlighted)
            painter.fillRect(box, palette().brush(QPalette::Highlight));
        painter.setPen(highlighted ? palette().color(QPalette::HighlightedText) : text);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, piece);
        x += box.width();
    };

    const bool focused = hasFocus();
    if (m_state.isEmpty() && !focused) {
        x += metrics.horizontalAdvance(time ? QStringLiteral(" 00 ") : QStringLiteral(" 000 "));
        draw(QStringLiteral(": "), false);
        return;
    }
    const Part part = focused ? m_state.activePart() : Part::None;
    if (part == Part::Hours) {
        draw(hoursText(hoursPadded), true);
        draw(QStringLiteral(": ") + minutes, false);
    } else if (part == Part::Minutes) {
        draw(hoursText(hoursLeading) + QStringLiteral(" :"), false);
        draw(QLatin1Char(' ') + minutes + QLatin1Char(' '), true);
    } else {
        draw(hoursText(hoursPadded) + QStringLiteral(": ") + minutes + QLatin1Char(' '), false);
    }
}

} // namespace tk
