#pragma once

#include <QApplication>
#include <functional>

namespace tk {

// The application object with the program's central error handler: an error that a
// handler lets escape is shown in the error box ("Information", the error's message)
// instead of leaving the event loop. What the handler stored before stays stored.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Shows the error box for an error message; tests replace it to see the messages.
    using ErrorReporter = std::function<void(const QString &message)>;
    static void setErrorReporter(ErrorReporter reporter);
    static void reportError(const QString &message);
};

} // namespace tk
