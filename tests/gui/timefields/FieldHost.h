#pragma once

#include "gui/timefields/KvTimeEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

namespace tk::test {

// A shown, active window with a line edit before and after one entry field, so that
// focus moves of the field can be observed.
template <typename FieldType>
struct FieldHost
{
    QWidget window;
    QLineEdit *before = new QLineEdit(&window);
    FieldType *field = new FieldType(&window);
    QLineEdit *after = new QLineEdit(&window);

    FieldHost()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(field);
        layout->addWidget(after);
    }

    // Shows the window and puts the focus into the field (hours part active).
    bool show()
    {
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        field->setFocus(Qt::TabFocusReason);
        return field->hasFocus();
    }
};

// Each character goes to the control that has the focus at that moment, like typing.
inline void typeKeys(const QString &keys)
{
    for (const QChar c : keys)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

inline void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

} // namespace tk::test
