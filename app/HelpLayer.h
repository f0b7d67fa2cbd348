#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTextBrowser>

class QWidget;

namespace tk {

// Takes every help request of the program (F1, "&Inhalt"). The help file "Taktora.chm"
// beside the program opens in an installed CHM viewer when both exist; otherwise the
// program's own German help text for the topic is shown in a help window; when neither is
// there, a warning box says so.
class HelpLayer : public QObject
{
    Q_OBJECT
public:
    static constexpr int ContentsTopic = 1001;

    explicit HelpLayer(const QString &helpFile, QObject *parent = nullptr);

    QString helpFile() const { return m_helpFile; }
    // Viewer programs tried in order, by name (looked up on PATH) or by path.
    void setViewers(const QStringList &programs) { m_viewers = programs; }
    QStringList viewers() const { return m_viewers; }

    enum class Shown { Viewer, HelpWindow, Nothing };
    Shown showTopic(int topic, QWidget *parent = nullptr);

    // The program's own help text of a topic (HTML); empty when it has none.
    static QString builtInText(int topic);
    QTextBrowser *helpWindow() const { return m_window; }

private:
    bool startViewer();
    bool showBuiltIn(int topic);

    QString m_helpFile;
    QStringList m_viewers;
    QPointer<QTextBrowser> m_window;
};

} // namespace tk
