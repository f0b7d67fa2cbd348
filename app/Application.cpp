#include "app/Application.h"

#include <QDebug>
#include <QScopedValueRollback>
#include <exception>

#include "app/QtTranslations.h"
#include "core/common/Errors.h"
#include "gui/widgets/Glyphs.h"
#include "gui/widgets/MessageBoxes.h"

namespace tk {

namespace {

Application::ErrorReporter g_reporter;
bool g_reporting = false;

} // namespace

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    installQtTranslations(*this);
    setWindowIcon(programIcon());
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError &error) {
        reportError(error.message());
    } catch (const std::exception &error) {
        reportError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        reportError(QStringLiteral("Unbekannter Fehler."));
    }
    return false;
}

void Application::setErrorReporter(ErrorReporter reporter)
{
    g_reporter = std::move(reporter);
}

void Application::reportError(const QString &message)
{
    if (g_reporter) {
        g_reporter(message);
        return;
    }
    // An error raised while the box of an earlier one is open (a paint event behind the
    // box, say) would stack boxes without end: it goes to the log instead.
    if (g_reporting) {
        qWarning().noquote() << message;
        return;
    }
    const QScopedValueRollback<bool> reporting(g_reporting, true);
    showError(activeWindow(), message);
}

} // namespace tk
