#include "gui/widgets/DbNavigator.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "core/db/Table.h"
#include "gui/widgets/ErrorGuard.h"
#include "gui/widgets/Glyphs.h"
#include "gui/widgets/PendingInput.h"

namespace tk {

namespace {

Glyph glyphOf(DbNavigator::Button which)
{
    switch (which) {
    case DbNavigator::First:
        return Glyph::First;
    case DbNavigator::Prior:
        return Glyph::Prior;
    case DbNavigator::Next:
        return Glyph::Next;
    case DbNavigator::Last:
        return Glyph::Last;
    case DbNavigator::Insert:
        return Glyph::Insert;
    case DbNavigator::Copy:
        return Glyph::Copy;
    case DbNavigator::Delete:
        return Glyph::Delete;
    case DbNavigator::Post:
        return Glyph::Post;
    case DbNavigator::Cancel:
        return Glyph::Cancel;
    }
    return Glyph::First;
}

} // namespace

DbNavigator::DbNavigator(Table *table, const QVector<Button> &buttons, QWidget *parent)
    : QWidget(parent)
    , m_table(table)
    , m_order(buttons)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (Button which : buttons) {
        auto *button = new QToolButton(this);
        button->setIcon(glyphIcon(glyphOf(which)));
        button->setToolTip(defaultHint(which));
        button->setAccessibleName(defaultHint(which));
        // Reachable with Tab, but a click leaves the focus in the field being edited.
        button->setFocusPolicy(Qt::TabFocus);
        layout->addWidget(button);
        m_buttons.insert(which, button);
        connect(button, &QToolButton::clicked, this, [this, which] { run(which); });
    }
    if (table) {
        connect(table, &Table::activeChanged, this, &DbNavigator::updateButtons);
        connect(table, &Table::stateChanged, this, &DbNavigator::updateButtons);
        connect(table, &Table::viewChanged, this, &DbNavigator::updateButtons);
        connect(table, &Table::recordChanged, this, [this](const QString &fieldName) {
            if (fieldName.isEmpty())
                updateButtons();
        });
    }
    updateButtons();
}

Table *DbNavigator::table() const
{
    return m_table;
}

QString DbNavigator::defaultHint(Button which)
{
    switch (which) {
    case First:
        return QStringLiteral("Erster Datensatz");
    case Prior:
        return QStringLiteral("Vorheriger Datensatz");
    case Next:
        return QStringLiteral("Nächster Datensatz");
    case Last:
        return QStringLiteral("Letzter Datensatz");
    case Insert:
        return QStringLiteral("Datensatz einfügen");
    case Copy:
        return QStringLiteral("Datensatz kopieren");
    case Delete:
        return QStringLiteral("Datensatz löschen");
    case Post:
        return QStringLiteral("Übernehmen");
    case Cancel:
        return QStringLiteral("Bearbeiten abbrechen");
    }
    return QString();
}

void DbNavigator::setHint(Button which, const QString &hint)
{
    if (QToolButton *b = button(which)) {
        b->setToolTip(hint);
        b->setAccessibleName(hint);
    }
}

void DbNavigator::setAction(Button which, std::function<void()> action)
{
    m_actions.insert(which, std::move(action));
}

void DbNavigator::setLockWhileEditing(bool lock)
{
    m_lockWhileEditing = lock;
    updateButtons();
}

bool DbNavigator::isAvailable(Button which) const
{
    const Table *t = m_table;
    if (!t || !t->isOpen())
        return false;
    const bool editing = t->isEditing();
    const bool locked = m_lockWhileEditing && editing;
    const bool hasRow = !t->isEmpty();
    const int row = t->currentRow();
    switch (which) {
    case First:
    case Prior:
        return !locked && hasRow && row > 0;
    case Next:
    case Last:
        return !locked && hasRow && row >= 0 && row < t->recordCount() - 1;
    case Insert:
        return !locked && !t->isReadOnly();
    case Copy:
    case Delete:
        return !locked && !t->isReadOnly() && hasRow;
    case Post:
    case Cancel:
        return editing;
    }
    return false;
}

void DbNavigator::updateButtons()
{
    for (Button which : m_order)
        m_buttons.value(which)->setEnabled(isEnabled() && isAvailable(which));
}

void DbNavigator::click(Button which)
{
    if (isAvailable(which))
        run(which);
}

void DbNavigator::run(Button which)
{
    // A date or number still being typed belongs to the record the button acts on.
    commitFocusedInput(window());
    if (const auto action = m_actions.value(which)) {
        action();
        updateButtons();
        return;
    }
    Table *t = m_table;
    if (!t)
        return;
    runGuarded(this, [&] {
        switch (which) {
        case First:
            t->first();
            break;
        case Prior:
            t->prior();
            break;
        case Next:
            t->next();
            break;
        case Last:
            t->last();
            break;
        case Insert:
            t->append();
            break;
        case Delete:
            t->remove();
            break;
        case Post:
            t->post();
            break;
        case Cancel:
            t->cancel();
            break;
        case Copy:
            break;
        }
    });
    updateButtons();
}

} // namespace tk
