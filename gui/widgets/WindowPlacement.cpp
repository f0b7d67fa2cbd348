#include "gui/widgets/WindowPlacement.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

namespace tk {

namespace {

QString g_filePath;

const char *const NormalGeometryProperty = "tkNormalGeometry";
const char *const TrackedProperty = "tkPlacementSection";

QString stateName(const QWidget *window)
{
    if (window->isMinimized())
        return QStringLiteral("Minimized");
    if (window->isMaximized())
        return QStringLiteral("Maximized");
    return QStringLiteral("Normal");
}

bool isNormal(const QWidget *window)
{
    return !(window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
}

// The geometry the window returns to from minimised or maximised.
QRect normalGeometry(const QWidget *window)
{
    if (isNormal(window))
        return window->geometry();
    if (window->isWindow() && window->normalGeometry().isValid())
        return window->normalGeometry();
    const QRect remembered = window->property(NormalGeometryProperty).toRect();
    return remembered.isValid() ? remembered : window->geometry();
}

// Keeps a stored rectangle reachable: on some screen for top-level windows, inside the
// parent for child frames. An unreachable position is dropped, the size kept.
QRect reachable(const QWidget *window, QRect rect)
{
    if (window->isWindow()) {
        for (const QScreen *screen : QGuiApplication::screens()) {
            if (screen->availableGeometry().intersects(rect))
                return rect;
        }
        if (const QScreen *primary = QGuiApplication::primaryScreen())
            rect.moveTopLeft(primary->availableGeometry().topLeft());
        return rect;
    }
    if (window->parentWidget() && !window->parentWidget()->rect().intersects(rect))
        rect.moveTopLeft(QPoint(0, 0));
    return rect;
}

class PlacementTracker : public QObject
{
public:
    PlacementTracker(QWidget *window, const QString &section)
        : QObject(window)
        , m_window(window)
        , m_section(section)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window)
            return false;
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            if (isNormal(m_window) && m_window->isVisible())
                m_window->setProperty(NormalGeometryProperty, m_window->geometry());
            break;
        case QEvent::Hide:
            WindowPlacement::save(m_window, m_section);
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget *m_window;
    QString m_section;
};

} // namespace

QString WindowPlacement::filePath()
{
    if (!g_filePath.isEmpty())
        return g_filePath;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QDir(folder).filePath(program + QStringLiteral(".INI"));
}

void WindowPlacement::setFilePath(const QString &path)
{
    g_filePath = path;
}

bool WindowPlacement::restore(QWidget *window, const QString &section)
{
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.beginGroup(section);
    bool okLeft = false, okTop = false, okWidth = false, okHeight = false;
    const QRect stored(settings.value(QStringLiteral("Left")).toInt(&okLeft),
                       settings.value(QStringLiteral("Top")).toInt(&okTop),
                       settings.value(QStringLiteral("Width")).toInt(&okWidth),
                       settings.value(QStringLiteral("Height")).toInt(&okHeight));
    const bool usable = okLeft && okTop && okWidth && okHeight && stored.width() >= 40
        && stored.height() >= 20 && stored.width() <= 20000 && stored.height() <= 20000;
    if (!usable)
        return false;
    const QRect rect = reachable(window, stored);
    window->setGeometry(rect);
    window->setProperty(NormalGeometryProperty, rect);

    const QString state = settings.value(QStringLiteral("State")).toString();
    if (state == QLatin1String("Maximized"))
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    else if (state == QLatin1String("Minimized"))
        window->setWindowState(window->windowState() | Qt::WindowMinimized);
    return true;
}

void WindowPlacement::save(QWidget *window, const QString &section)
{
    const QRect rect = normalGeometry(window);
    if (!rect.isValid())
        return;
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.beginGroup(section);
    settings.setValue(QStringLiteral("Left"), rect.left());
    settings.setValue(QStringLiteral("Top"), rect.top());
    settings.setValue(QStringLiteral("Width"), rect.width());
    settings.setValue(QStringLiteral("Height"), rect.height());
    settings.setValue(QStringLiteral("State"), stateName(window));
}

void WindowPlacement::track(QWidget *window, const QString &section)
{
    if (!window->property(TrackedProperty).toString().isEmpty())
        return;
    window->setProperty(TrackedProperty, section);
    restore(window, section);
    new PlacementTracker(window, section);
}

QString WindowPlacement::sectionOf(const QWidget *form)
{
    QString name = QString::fromLatin1(form->metaObject()->className());
    const int colons = name.lastIndexOf(QLatin1String("::"));
    return colons >= 0 ? name.mid(colons + 2) : name;
}

void WindowPlacement::saveValue(const QString &section, const QString &key, const QByteArray &value)
{
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.beginGroup(section);
    settings.setValue(key, value);
}

QByteArray WindowPlacement::value(const QString &section, const QString &key)
{
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.beginGroup(section);
    return settings.value(key).toByteArray();
}

} // namespace tk
