#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;

namespace tk::test {

// What became of a scheduled answer. A test checks answered() after the call that opened
// the modal window; failure() says what went wrong.
struct ModalAnswer
{
    bool seen = false;   // a modal window appeared and the answer ran
    bool closed = false; // it closed after the answer
    QString title;       // window title of the modal window seen
    QString text;        // message text when it was a QMessageBox
    QString failure;

    bool answered() const { return seen && closed && failure.isEmpty(); }
};

// Schedules an answer for the next modal window (dialog or message box) to appear. Call it
// before the code that opens the window. When no modal window appears within timeoutMs the
// answer is dropped; when the window is still open timeoutMs after the answer ran, it is
// rejected by force. Either way the test fails instead of hanging.
std::shared_ptr<ModalAnswer> answerNextModal(std::function<void(QWidget *)> answer,
                                             int timeoutMs = 5000);

// Answers: press a key on the modal window, or click a message box button.
std::function<void(QWidget *)> pressKey(int key);
std::function<void(QWidget *)> clickButton(QMessageBox::StandardButton button);

// Rejects every modal window that no scheduled answer is waiting for, so that a window
// opening an unexpected message box makes the test fail instead of hang. A test checks
// unexpected() (each entry "caption: text") in its cleanup.
class ModalGuard
{
public:
    ModalGuard();
    ~ModalGuard();
    ModalGuard(const ModalGuard &) = delete;
    ModalGuard &operator=(const ModalGuard &) = delete;

    QStringList unexpected() const;
    void clear();

private:
    class Poller;
    Poller *m_poller;
};

} // namespace tk::test
