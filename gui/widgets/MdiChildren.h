#pragma once

#include <QMdiArea>
#include <QString>
#include <functional>

class QMdiSubWindow;
class QWidget;

namespace tk {

// Brings up a child window of the frame: the open one of the class if there is one
// (restored when minimised, shown and brought to the front), otherwise a new one with the
// given caption. The wait cursor shows meanwhile.
//
// A new child frame frees itself and its window when closed, keeps its placement in the
// section named after the window's class, and closes when the window closes itself
// (a window that cannot open its tables calls close() on itself, preferably queued).
class MdiChildren
{
public:
    using Matcher = std::function<bool(QWidget *)>;
    using Factory = std::function<QWidget *()>;

    // The first open child window (in activation order, most recent first) that matches
    // and, when caption is not empty, whose caption equals it exactly.
    static QMdiSubWindow *find(QMdiArea *area, const Matcher &isClass, const QString &caption);

    static QWidget *showOrCreate(QMdiArea *area, const Matcher &isClass, const Factory &create,
                                 const QString &caption, bool restore = true);

    // Adds a window as a child of the frame with the behaviour described above.
    static QMdiSubWindow *adopt(QMdiArea *area, QWidget *form, const QString &caption);

    // "Nebeneinander": the shown child windows side by side in as many columns (and then
    // rows) as the area holds with every window at least its smallest size, so that none
    // reaches past the area. Only when not even one column fits do windows overlap.
    static void tile(QMdiArea *area);
};

// Typed form: showOrCreate<TFormPers>(area, "Personal").
template <class Form>
Form *showOrCreate(QMdiArea *area, const QString &caption, bool restore = true)
{
    QWidget *form = MdiChildren::showOrCreate(
        area, [](QWidget *w) { return dynamic_cast<Form *>(w) != nullptr; },
        [] { return new Form(); }, caption, restore);
    return dynamic_cast<Form *>(form);
}

} // namespace tk
