#include "app/FormSplash.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include "app/Version.h"

// Resources of a static library must be registered by name, outside any namespace.
static void registerTaktoraResources()
{
    Q_INIT_RESOURCE(taktora);
}

namespace tk {

namespace {

QPointer<TFormSplash> g_current; // clears itself when the window is freed

QPixmap splashPicture(bool &loaded)
{
    registerTaktoraResources();
    QPixmap picture(QStringLiteral(":/taktora/splash.jpg"), "JPG");
    loaded = !picture.isNull();
    if (!loaded) {
        // Without the JPEG decoder the window still shows its texts.
        picture = QPixmap(420, 260);
        picture.fill(QColor(24, 60, 104));
    }
    return picture;
}

QLabel *whiteLabel(QWidget *parent, int pointSize, bool bold)
{
    auto *label = new QLabel(parent);
    QFont font = label->font();
    font.setFamily(QStringLiteral("Arial"));
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    return label;
}

} // namespace

TFormSplash::TFormSplash(QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Taktora"));
    g_current = this;

    const QPixmap picture = splashPicture(m_hasPicture);
    setFixedSize(picture.width() + 2, picture.height() + 2);
    QPalette frame = palette();
    frame.setColor(QPalette::Window, Qt::white);
    setPalette(frame);
    setAutoFillBackground(true);

    auto *laPicture = new QLabel(this);
    laPicture->setPixmap(picture);
    laPicture->setGeometry(1, 1, picture.width(), picture.height());

    const int textWidth = picture.width() - 24;
    laName = whiteLabel(this, 26, true);
    laName->setText(QStringLiteral("Taktora"));
    laName->setGeometry(12, 14, textWidth, 44);
    laVersion = whiteLabel(this, 10, false);
    laVersion->setGeometry(12, 58, textWidth, 20);
    setVersionLine(Version::text());

    laLink = new QLabel(this);
    laLink->setText(QStringLiteral("<a href=\"%1\" style=\"color:#cfe8ff\">%1</a>")
                        .arg(QLatin1String(MakerUrl)));
    laLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    laLink->setOpenExternalLinks(true);
    laLink->move(8, 6);
    laLink->adjustSize();
    laLink->hide();

    m_closeTimer.setSingleShot(true);
    connect(&m_closeTimer, &QTimer::timeout, this, &QWidget::close);
    centreOnScreen();
}

TFormSplash *TFormSplash::current()
{
    return g_current;
}

void TFormSplash::showInfo(QWidget *parent)
{
    auto *info = new TFormSplash(parent);
    info->setStartupMode(false);
    info->exec(); // frees the window when it closes
}

void TFormSplash::setVersionLine(const QString &versionText)
{
    laVersion->setText(QStringLiteral("Version: ") + versionText);
}

void TFormSplash::setStartupMode(bool on)
{
    m_startupMode = on;
    laLink->setVisible(!on);
}

void TFormSplash::showForStartup()
{
    show();
    raise();
    // Paint before the main window is built, which may take a moment.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFormSplash::startCloseTimer()
{
    m_closeTimer.start(1500);
}

void TFormSplash::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_startupMode)
        close();
}

void TFormSplash::keyPressEvent(QKeyEvent *event)
{
    event->accept(); // no key reaches QDialog: Escape must not close in start-up mode
    const int key = event->key();
    if (!m_startupMode && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape))
        close();
}

void TFormSplash::centreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
}

} // namespace tk
