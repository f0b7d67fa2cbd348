// The application object gives Qt's own dialogs and menus German texts and every window the
// program's icon; the data windows' context menus do not announce Ctrl+C, which discards
// the edit there.
#include <QtTest>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "app/Application.h"
#include "gui/masterdata/FormSchicht.h"
#include "gui/widgets/DbEdit.h"
#include "tests/support/TempDataDir.h"

using namespace tk;

namespace {

// The texts of the context menu a line edit shows on a right click.
QStringList contextMenuTexts(QLineEdit *edit)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            edit->mapToGlobal(QPoint(5, 5)));
    QStringList texts;
    QPointer<QMenu> menu;
    // Qt's own handler runs the menu modally, the window's opens it and returns.
    QTimer::singleShot(0, [&] {
        menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions())
            texts << action->text();
        menu->close();
    });
    QApplication::sendEvent(edit, &event);
    QTest::qWait(50);
    if (menu)
        menu->close();
    return texts;
}

QString copyEntry(const QStringList &texts)
{
    for (const QString &text : texts)
        if (text.startsWith(QStringLiteral("&Kopieren")))
            return text;
    return QString();
}

} // namespace

class TstGermanQt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void qtDialogsSpeakGerman();
    void windowsShowTheProgramIcon();
    void copyInTheDataWindowsDoesNotAnnounceCtrlC();
};

void TstGermanQt::qtDialogsSpeakGerman()
{
    QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
             QStringLiteral("Abbrechen"));
    QCOMPARE(buttons.button(QDialogButtonBox::Save)->text().remove(QLatin1Char('&')),
             QStringLiteral("Speichern"));
}

void TstGermanQt::windowsShowTheProgramIcon()
{
    QVERIFY(!QApplication::windowIcon().isNull());
    QWidget window;
    const QImage picture = window.windowIcon().pixmap(32, 32).toImage();
    QVERIFY(!picture.isNull());
    QVERIFY(qAlpha(picture.pixel(16, 16)) > 0);
}

void TstGermanQt::copyInTheDataWindowsDoesNotAnnounceCtrlC()
{
    test::TempDataDir data;
    test::TempDataDir::exec(QStringLiteral("INSERT INTO Schicht (Schichtplan) VALUES (1)"));
    TFormSchicht form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto *designation = form.findChild<DbEdit *>(QStringLiteral("edBezeichnung"));
    QVERIFY(designation);
    const QString inWindow = copyEntry(contextMenuTexts(designation));
    QCOMPARE(inWindow, QStringLiteral("&Kopieren"));

    // Elsewhere Ctrl+C copies, and the menu says so.
    QLineEdit plain;
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plain));
    const QString elsewhere = copyEntry(contextMenuTexts(&plain));
    QVERIFY2(elsewhere.contains(QLatin1Char('\t')), qPrintable(elsewhere));
}

int main(int argc, char **argv)
{
    Application app(argc, argv);
    TstGermanQt test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_germanqt.moc"
