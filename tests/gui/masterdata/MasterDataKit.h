#pragma once

// What the tests of the data windows share: answering the number prompt and the boxes that
// follow it, typing into whatever has the focus, and reading the database directly.

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSqlQuery>
#include <QTest>
#include <memory>

#include "core/db/Database.h"
#include "gui/widgets/NumberPrompt.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TempDataDir.h"

namespace tk::test {

// The answers of a command that shows the number prompt and then, perhaps, a box.
struct PromptAnswers
{
    std::shared_ptr<ModalAnswer> prompt;
    std::shared_ptr<ModalAnswer> box; // set once the prompt was answered and a box expected
    QString presetText;               // the prompt's proposal as shown
    bool presetSelected = false;
    QString label;
    QString title;
};

// Answers the number prompt with number (empty: "Abbrechen"); afterAnswer, when given,
// answers the modal window that follows (the error box of an existing number).
inline std::shared_ptr<PromptAnswers> answerPrompt(const QString &number,
                                                   std::function<void(QWidget *)> afterAnswer = {})
{
    auto answers = std::make_shared<PromptAnswers>();
    answers->prompt = answerNextModal([answers, number, afterAnswer](QWidget *modal) {
        auto *prompt = qobject_cast<NumberPrompt *>(modal);
        if (!prompt) {
            modal->close();
            return;
        }
        answers->title = prompt->windowTitle();
        answers->presetText = prompt->field()->text();
        answers->presetSelected = prompt->field()->selectedText() == prompt->field()->text();
        for (QLabel *label : prompt->findChildren<QLabel *>())
            answers->label = label->text();
        if (afterAnswer)
            answers->box = answerNextModal(afterAnswer);
        if (number.isEmpty()) {
            prompt->reject();
            return;
        }
        prompt->field()->setText(number);
        prompt->accept();
    });
    return answers;
}

// A guard for a command that must not show any modal window: it closes one that comes.
inline std::shared_ptr<ModalAnswer> expectNoModal(int waitMs = 300)
{
    return answerNextModal([](QWidget *modal) { modal->close(); }, waitMs);
}

// Clicks the message box button with the given text ("OK", "Abbrechen", "&Ja", "&Nein").
inline std::function<void(QWidget *)> clickText(const QString &text)
{
    return [text](QWidget *modal) {
        for (QAbstractButton *button : modal->findChildren<QAbstractButton *>()) {
            if (button->text() == text) {
                button->click();
                return;
            }
        }
    };
}

// Each character goes to the control that has the focus at that moment, like typing.
inline void typeText(const QString &text)
{
    for (const QChar c : text) {
        QWidget *target = QApplication::focusWidget();
        if (c.unicode() < 0x80) {
            QTest::keyClicks(target, QString(c));
            continue;
        }
        // QTest maps ASCII only; umlauts go as key code and text, like a German keyboard.
        const auto code = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, target, code, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, code, QString(c), Qt::NoModifier);
    }
}

inline void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = QApplication::focusWidget();
    if (QWidget *popup = QApplication::activePopupWidget())
        target = popup->focusWidget() ? popup->focusWidget() : popup;
    QTest::keyClick(target, key, modifiers);
}

// Lets queued work (answers, queued closes) run.
inline void settle(int ms = 50)
{
    QTest::qWait(ms);
}

// After a modal window closed: the offscreen platform does not give the activation back to
// the window below, as a window manager would, so the test does it.
inline bool reactivate(QWidget *window)
{
    settle();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Shows a window and waits until it is active. Without a window manager (a bare X server)
// nothing activates a new window, so the test asks for it.
inline bool showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

inline int sqlCount(const QString &tableAndCondition)
{
    return sqlValue(QStringLiteral("SELECT COUNT(*) FROM ") + tableAndCondition).toInt();
}

} // namespace tk::test
