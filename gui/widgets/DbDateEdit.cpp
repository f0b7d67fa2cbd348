#include "gui/widgets/DbDateEdit.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "core/common/ClockText.h"
#include "core/common/DateInput.h"
#include "gui/widgets/FieldLink.h"
#include "gui/widgets/Glyphs.h"
#include "gui/widgets/MessageBoxes.h"
#include "gui/widgets/PopupPanel.h"

namespace tk {

DbDateEdit::DbDateEdit(QWidget *parent)
    : QLineEdit(parent)
    , m_link(new FieldLink(this, [this] { load(); }))
{
    setEnabled(false);
    setMaxLength(10);
    QAction *drop = addAction(glyphIcon(Glyph::Calendar), QLineEdit::TrailingPosition);
    drop->setToolTip(QStringLiteral("Kalender (Alt+Pfeil ab)"));
    connect(drop, &QAction::triggered, this, &DbDateEdit::showCalendar);
    connect(this, &QLineEdit::textEdited, this, &DbDateEdit::textWasEdited);
}

DbDateEdit::~DbDateEdit()
{
    delete m_panel;
}

void DbDateEdit::setDataSource(Table *table)
{
    m_link->setDataSource(table);
}

Table *DbDateEdit::dataSource() const
{
    return m_link->dataSource();
}

void DbDateEdit::setDataField(const QString &fieldName)
{
    m_link->setDataField(fieldName);
}

QString DbDateEdit::dataField() const
{
    return m_link->dataField();
}

QDate DbDateEdit::storedDate() const
{
    const QVariant value = m_link->value();
    if (value.isNull())
        return QDate();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

void DbDateEdit::load()
{
    const QDate date = storedDate();
    const QString text = date.isValid() ? ShortDateText(date) : QString();
    if (text != QLineEdit::text())
        setText(text);
}

void DbDateEdit::storeDate(const QDate &date)
{
    if (date == storedDate() && date.isValid() == !m_link->value().isNull())
        return;
    m_link->write(date.isValid() ? QVariant(date) : QVariant());
}

void DbDateEdit::textWasEdited(const QString &text)
{
    if (text.trimmed().isEmpty()) {
        storeDate(QDate());
        return;
    }
    const QDate date = parseDateInput(text);
    if (date.isValid())
        storeDate(date);
}

bool DbDateEdit::commitInput()
{
    const QString typed = text();
    if (typed.trimmed().isEmpty()) {
        storeDate(QDate());
        return true;
    }
    const QDate date = parseDateInput(typed);
    if (!date.isValid()) {
        load();
        showError(this, QStringLiteral("\"%1\" ist kein gültiges Datum.").arg(typed));
        return false;
    }
    storeDate(date);
    load();
    return true;
}

void DbDateEdit::reportUnreadable(const QString &text)
{
    load();
    // The box must not open inside the focus change that left the field.
    QTimer::singleShot(0, this, [this, text] {
        showError(this, QStringLiteral("\"%1\" ist kein gültiges Datum.").arg(text));
        setFocus(Qt::OtherFocusReason);
        selectAll();
    });
}

void DbDateEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A deactivated window or an opened drop-down gets the focus back: nothing is left yet.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason
        || isCalendarVisible())
        return;
    const QString typed = text();
    if (!typed.trimmed().isEmpty() && !parseDateInput(typed).isValid()) {
        reportUnreadable(typed);
        return;
    }
    textWasEdited(typed);
    load();
}

void DbDateEdit::keyPressEvent(QKeyEvent *event)
{
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    const bool f4 = event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier;
    if (altDown || f4) {
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

namespace {

// The calendar sizes its columns for the day numbers; the bold German weekday names ("Mo.")
// are wider and would be cut to "...".
void fitWeekdayNames(QCalendarWidget *calendar)
{
    QFont bold = calendar->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int widest = 0;
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day)
        widest = std::max(
            widest,
            metrics.horizontalAdvance(calendar->locale().dayName(day, QLocale::ShortFormat)));
    constexpr int CellMargins = 14;
    calendar->setMinimumWidth(7 * (widest + CellMargins));
}

} // namespace

bool DbDateEdit::isCalendarVisible() const
{
    return m_panel && m_panel->isVisible();
}

void DbDateEdit::showCalendar()
{
    if (!isEnabled() || isReadOnly())
        return;
    if (!m_panel) {
        m_panel = new PopupPanel(this);
        m_panel->setFont(font());
        m_calendar = new QCalendarWidget(m_panel);
        m_calendar->setLocale(locale());
        m_calendar->setFirstDayOfWeek(Qt::Monday);
        m_calendar->setGridVisible(true);
        m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        fitWeekdayNames(m_calendar);
        auto *layout = new QVBoxLayout(m_panel);
        layout->setContentsMargins(1, 1, 1, 1);
        layout->addWidget(m_calendar);
        connect(m_calendar, &QCalendarWidget::activated, this, &DbDateEdit::chooseFromCalendar);
        connect(m_calendar, &QCalendarWidget::clicked, this, &DbDateEdit::chooseFromCalendar);
    }
    const QDate typed = parseDateInput(text());
    const QDate shown = typed.isValid() ? typed : QDate::currentDate();
    m_calendar->setSelectedDate(shown);
    m_panel->popup();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

void DbDateEdit::chooseFromCalendar(const QDate &date)
{
    storeDate(date);
    load();
    if (m_panel)
        m_panel->hide();
    selectAll();
}

} // namespace tk
