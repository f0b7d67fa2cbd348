#include "app/HelpLayer.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextBrowser>

namespace tk {

HelpLayer::HelpLayer(const QString &helpFile, QObject *parent)
    : QObject(parent)
    , m_helpFile(helpFile)
    , m_viewers({QStringLiteral("xchm"), QStringLiteral("kchmviewer")})
{
}

HelpLayer::Shown HelpLayer::showTopic(int topic, QWidget *parent)
{
    if (startViewer())
        return Shown::Viewer;
    if (showBuiltIn(topic))
        return Shown::HelpWindow;
    QMessageBox::warning(
        parent, QStringLiteral("Hilfe"),
        QStringLiteral("Die Hilfe (Thema %1) kann nicht angezeigt werden.\n\n"
                       "Es fehlt die Hilfedatei \"%2\" oder ein Programm, das sie anzeigt "
                       "(z. B. xchm oder kchmviewer).")
            .arg(QString::number(topic), QFileInfo(m_helpFile).fileName()));
    return Shown::Nothing;
}

// The viewers open the file at its start page: CHM topic numbers are not understood by
// the viewers found on Linux, and topic 1001 is the contents page anyway.
bool HelpLayer::startViewer()
{
    if (!QFileInfo(m_helpFile).isFile())
        return false;
    for (const QString &viewer : m_viewers) {
        const QString program =
            QFileInfo(viewer).isAbsolute() ? viewer : QStandardPaths::findExecutable(viewer);
        if (program.isEmpty() || !QFileInfo(program).isExecutable())
            continue;
        if (QProcess::startDetached(program, {m_helpFile}))
            return true;
    }
    return false;
}

bool HelpLayer::showBuiltIn(int topic)
{
    const QString text = builtInText(topic);
    if (text.isEmpty())
        return false;
    if (!m_window) {
        m_window = new QTextBrowser;
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->setWindowTitle(QStringLiteral("Taktora - Hilfe"));
        m_window->setOpenExternalLinks(true);
        m_window->resize(620, 560);
        QTextBrowser *window = m_window;
        new QShortcut(QKeySequence(Qt::Key_Escape), window, window, &QWidget::close);
    }
    m_window->setHtml(text);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return true;
}

QString HelpLayer::builtInText(int topic)
{
    if (topic != ContentsTopic)
        return QString();
    return QStringLiteral(
        "<h2>Taktora</h2>"
        "<p>Taktora führt das Personal, die Schichtpläne und die täglichen Zeiten der "
        "Zeiterfassung. Die Fenster öffnen Sie im Hauptfenster über das Menü oder die "
        "Werkzeugleiste; jedes Fenster gibt es einmal, ein zweiter Aufruf holt es nach vorn. "
        "Die Daten liegen im Ordner <i>Daten</i> neben dem Programm, bei einem installierten "
        "Programm in <i>~/.local/share/Taktora/Daten</i>.</p>"
        "<h3>Personal (Stammdaten &gt; Personal)</h3>"
        "<p>Liste der Mitarbeiter und ihre Daten auf zwei Seiten: Personalnummer, Name, "
        "Anschrift, Ein- und Austritt, Bruttolohn, Schichtplan und Beginn der Auswertung "
        "(1. oder 16. des Monats).</p>"
        "<table cellpadding=\"2\">"
        "<tr><td><b>F5</b></td><td>zwischen Liste und Daten wechseln</td></tr>"
        "<tr><td><b>Strg+N</b></td><td>neuen Mitarbeiter anlegen</td></tr>"
        "<tr><td><b>Strg+S</b></td><td>Änderungen speichern</td></tr>"
        "<tr><td><b>Strg+C</b></td><td>Änderungen verwerfen</td></tr>"
        "<tr><td><b>Strg+L</b></td><td>Mitarbeiter löschen (mit Rückfrage)</td></tr>"
        "<tr><td><b>Strg+P</b></td><td>Personalliste in der Vorschau</td></tr>"
        "</table>"
        "<h3>Schichten (Stammdaten &gt; Schichtplan)</h3>"
        "<p>Schichtpläne mit ihren acht Tagesplänen (Montag bis Sonntag und Feiertag): "
        "Arbeitszeit von/bis, drei Pausen, Sollstunden und Überstundengrenzen.</p>"
        "<table cellpadding=\"2\">"
        "<tr><td><b>F5</b></td><td>zwischen Liste und Daten wechseln</td></tr>"
        "<tr><td><b>Strg+N</b></td><td>neuen Schichtplan anlegen</td></tr>"
        "<tr><td><b>Strg+S</b></td><td>Änderungen speichern</td></tr>"
        "<tr><td><b>Strg+C</b></td><td>Änderungen verwerfen</td></tr>"
        "<tr><td><b>Strg+L</b></td><td>Schichtplan löschen (mit Rückfrage)</td></tr>"
        "<tr><td><b>Strg+P</b></td><td>Schichtplanliste in der Vorschau</td></tr>"
        "</table>"
        "<p>Steht der Cursor in der Tabelle der Tagespläne, wirken nur F5 und die Eingabetaste.</p>"
        "<h3>Zeiterfassung (Bearbeiten &gt; Zeiterfassung)</h3>"
        "<p>Wählen Sie Monat und Jahr und einen Mitarbeiter; das Fenster zeigt die Tage seines "
        "Auswertungszeitraums mit Soll und Summen und zu jedem Tag die gebuchten Zeiten. "
        "Jede Änderung wird sofort neu berechnet.</p>"
        "<table cellpadding=\"2\">"
        "<tr><td><b>F3</b></td><td>neue Zeit für den gewählten Tag eintragen</td></tr>"
        "<tr><td><b>F2</b></td><td>die gewählte Zeit ändern (auch Doppelklick)</td></tr>"
        "<tr><td><b>F4</b></td><td>alle Zeiten des Tages bearbeiten</td></tr>"
        "<tr><td><b>Eingabe</b></td><td>in der Mitarbeiterliste: zur Seite <i>Zeiten</i></td></tr>"
        "</table>"
        "<p>Kennungen der Zeiten: N normal, A unbezahlt, F Feiertag, K krank, U Urlaub.</p>"
        "<h3>Zeitfelder</h3>"
        "<p>Ziffern füllen Stunden und Minuten; nach der letzten Minutenziffer springt der "
        "Cursor weiter. Pfeil links/rechts wechselt zwischen Stunden und Minuten, "
        "Pfeil auf/ab und +/- zählen, Entf leert das Feld, Einfg setzt die aktuelle Uhrzeit.</p>"
        "<h3>Überall</h3>"
        "<table cellpadding=\"2\">"
        "<tr><td><b>F1</b></td><td>diese Hilfe</td></tr>"
        "<tr><td><b>Eingabe</b></td><td>zum nächsten Feld</td></tr>"
        "</table>");
}

} // namespace tk
