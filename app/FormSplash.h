#pragma once

#include <QDialog>
#include <QPointer>
#include <QTimer>

class QLabel;

namespace tk {

// The splash window at start-up and, in its second role, the info window: the program's
// picture in a one-pixel white frame with "Taktora" and the version line over it.
// In start-up mode it ignores clicks and keys and is closed by its timer; as the info
// window it shows the maker's link and closes on a click, Enter or Escape.
// It frees itself when it closes.
class TFormSplash : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char *MakerUrl = "https://taktora.example.org";

    explicit TFormSplash(QWidget *parent = nullptr);

    // The one splash or info window that exists, or null.
    static TFormSplash *current();

    // The info command: shows the window modally with the link; returns after it closed.
    static void showInfo(QWidget *parent);

    void setVersionLine(const QString &versionText);
    bool isStartupMode() const { return m_startupMode; }
    // Leaving start-up mode also shows the link.
    void setStartupMode(bool on);
    // Shows the window at once, centred and painted, before the event loop runs.
    void showForStartup();
    // The timer that closes the start-up window after one and a half seconds; stopped
    // until started.
    void startCloseTimer();
    QTimer *closeTimer() { return &m_closeTimer; }
    bool hasPicture() const { return m_hasPicture; }

    QLabel *laName = nullptr;
    QLabel *laVersion = nullptr;
    QLabel *laLink = nullptr;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void centreOnScreen();

    QTimer m_closeTimer;
    bool m_startupMode = true;
    bool m_hasPicture = false;
};

} // namespace tk
