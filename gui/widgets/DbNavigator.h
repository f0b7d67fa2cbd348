#pragma once

#include <QHash>
#include <QPointer>
#include <QVector>
#include <QWidget>
#include <functional>

class QToolButton;

namespace tk {

class Table;

// A row of buttons moving through and editing a table: first, prior, next, last, insert,
// copy, delete, post and cancel, each with a picture and a hint (its tooltip). Which buttons
// appear, and in which order, is chosen at creation.
//
// Availability: first and prior need a row before the current one, next and last one after
// it; insert needs a writable table, copy and delete a writable table with a row; post and
// cancel need a pending edit. With lockWhileEditing the moving, insert, copy and delete
// buttons are also off while the current row is being edited.
//
// First, prior, next, last, post and cancel act on the table themselves. Insert, copy and
// delete run the action a window sets (insert appends, delete deletes without asking, copy
// does nothing while no action is set).
class DbNavigator : public QWidget
{
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Copy, Delete, Post, Cancel };
    Q_ENUM(Button)

    DbNavigator(Table *table, const QVector<Button> &buttons, QWidget *parent = nullptr);

    Table *table() const;
    QToolButton *button(Button which) const { return m_buttons.value(which); }
    QVector<Button> buttons() const { return m_order; }

    void setHint(Button which, const QString &hint);
    void setAction(Button which, std::function<void()> action);
    void setLockWhileEditing(bool lock);

    // Runs a button as if it was clicked (when it is enabled).
    void click(Button which);

    static QString defaultHint(Button which);

public Q_SLOTS:
    void updateButtons();

private:
    void run(Button which);
    bool isAvailable(Button which) const;

    QPointer<Table> m_table;
    QVector<Button> m_order;
    QHash<int, QToolButton *> m_buttons;
    QHash<int, std::function<void()>> m_actions;
    bool m_lockWhileEditing = false;
};

} // namespace tk
