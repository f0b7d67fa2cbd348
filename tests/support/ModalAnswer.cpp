#include "tests/support/ModalAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace tk::test {

namespace {

int g_pendingAnswers = 0;

QWidget *currentModal()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    // Offscreen platforms may not activate the window; look for a visible modal one.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->isModal())
            return w;
    }
    return nullptr;
}

void forceClose(QWidget *modal)
{
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->reject();
    else
        modal->close();
}

// Polls on the event loop of whatever opened the modal window.
class Answerer : public QObject
{
public:
    Answerer(std::function<void(QWidget *)> answer, int timeoutMs,
             std::shared_ptr<ModalAnswer> result)
        : m_answer(std::move(answer))
        , m_timeoutMs(timeoutMs)
        , m_deadline(timeoutMs)
        , m_result(std::move(result))
    {
        ++g_pendingAnswers;
        connect(&m_timer, &QTimer::timeout, this, &Answerer::poll);
        m_timer.start(20);
    }
    ~Answerer() override { --g_pendingAnswers; }

private:
    void poll()
    {
        if (!m_modal) {
            if (m_result->seen) {
                finish(true); // the answered window is gone
                return;
            }
            QWidget *modal = currentModal();
            if (!modal) {
                if (m_deadline.hasExpired()) {
                    m_result->failure = QStringLiteral("no modal window appeared");
                    finish(false);
                }
                return;
            }
            m_modal = modal;
            m_result->seen = true;
            m_result->title = modal->windowTitle();
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                m_result->text = box->text();
            m_deadline.setRemainingTime(m_timeoutMs);
            m_answer(modal);
            // Most answers close the window at once; the code that opened it may look at
            // the result as soon as its event loop returns.
            if (!m_modal || !m_modal->isVisible())
                finish(true);
            return;
        }
        if (!m_modal->isVisible()) {
            finish(true);
        } else if (m_deadline.hasExpired()) {
            m_result->failure = QStringLiteral("modal window \"%1\" stayed open after the answer")
                                    .arg(m_result->title);
            forceClose(m_modal);
            finish(false);
        }
    }

    void finish(bool closed)
    {
        m_result->closed = closed;
        m_timer.stop();
        deleteLater();
    }

    std::function<void(QWidget *)> m_answer;
    int m_timeoutMs;
    QDeadlineTimer m_deadline;
    std::shared_ptr<ModalAnswer> m_result;
    QPointer<QWidget> m_modal;
    QTimer m_timer;
};

} // namespace

std::shared_ptr<ModalAnswer> answerNextModal(std::function<void(QWidget *)> answer, int timeoutMs)
{
    auto result = std::make_shared<ModalAnswer>();
    new Answerer(std::move(answer), timeoutMs, result);
    return result;
}

class ModalGuard::Poller : public QObject
{
public:
    Poller()
    {
        connect(&m_timer, &QTimer::timeout, this, &Poller::poll);
        m_timer.start(50);
    }
    QStringList seen;

private:
    void poll()
    {
        if (g_pendingAnswers > 0)
            return;
        QWidget *modal = currentModal();
        if (!modal)
            return;
        QString entry = modal->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            entry += QStringLiteral(": ") + box->text();
        seen << entry;
        forceClose(modal);
    }

    QTimer m_timer;
};

ModalGuard::ModalGuard()
    : m_poller(new Poller)
{
}

ModalGuard::~ModalGuard()
{
    delete m_poller;
}

QStringList ModalGuard::unexpected() const
{
    return m_poller->seen;
}

void ModalGuard::clear()
{
    m_poller->seen.clear();
}

std::function<void(QWidget *)> pressKey(int key)
{
    return [key](QWidget *modal) { QTest::keyClick(modal, Qt::Key(key)); };
}

std::function<void(QWidget *)> clickButton(QMessageBox::StandardButton button)
{
    return [button](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (box && box->button(button))
            box->button(button)->click();
    };
}

} // namespace tk::test
