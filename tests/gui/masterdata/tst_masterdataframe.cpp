// The data windows as child windows of the main window's frame: keys, closing with a
// pending edit, and a window that cannot open its tables closing its frame.
#include <QtTest>

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "gui/masterdata/FormPers.h"
#include "gui/masterdata/FormSchicht.h"
#include "gui/widgets/DbEdit.h"
#include "gui/widgets/MdiChildren.h"
#include "tests/gui/masterdata/MasterDataKit.h"
#include "tests/support/TempDataDir.h"

using namespace tk;
using namespace tk::test;

class TstMasterDataFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void closingTheChildStoresTheEditAndFreesTheWindow();
    void windowWithoutTablesClosesItsFrame();
};

void TstMasterDataFrame::closingTheChildStoresTheEditAndFreesTheWindow()
{
    TempDataDir data;
    ModalGuard guard;
    QMainWindow main;
    auto *area = new QMdiArea;
    main.setCentralWidget(area);
    main.resize(900, 600);
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));

    QPointer<TFormPers> form = showOrCreate<TFormPers>(area, QStringLiteral("Personal"));
    QVERIFY(form);
    QCOMPARE(form->windowTitle(), QStringLiteral("Personal"));
    QCOMPARE(showOrCreate<TFormPers>(area, QStringLiteral("Personal")), form.data());

    // Ctrl+N reaches the window's key preview inside the frame.
    auto answers = answerPrompt(QStringLiteral("12"));
    form->setFocus();
    key(Qt::Key_N, Qt::ControlModifier);
    QVERIFY(reactivate(&main));
    QVERIFY(answers->prompt->answered());
    QCOMPARE(sqlCount(QStringLiteral("Personal WHERE PersonalNummer = 12")), 1);

    auto *name = form->findChild<DbEdit *>(QStringLiteral("edName"));
    name->setFocus();
    typeText(QStringLiteral("Kurz"));
    QCOMPARE(area->subWindowList().size(), 1);
    area->subWindowList().first()->close();
    QTRY_VERIFY(!form); // freed with its frame
    QVERIFY(area->subWindowList().isEmpty());
    QCOMPARE(sqlValue(QStringLiteral("SELECT Name FROM Personal")).toString(),
             QStringLiteral("Kurz"));

    // The close button of the window closes the frame as well.
    QPointer<TFormSchicht> plans = showOrCreate<TFormSchicht>(area, QStringLiteral("Schichten"));
    QVERIFY(plans);
    QMetaObject::invokeMethod(plans, "btnCloseClick");
    QTRY_VERIFY(!plans);
    QVERIFY(area->subWindowList().isEmpty());
    QVERIFY2(guard.unexpected().isEmpty(), qPrintable(guard.unexpected().join(QLatin1Char(';'))));
}

void TstMasterDataFrame::windowWithoutTablesClosesItsFrame()
{
    TempDataDir data(false);
    QMainWindow main;
    auto *area = new QMdiArea;
    main.setCentralWidget(area);
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    auto box = answerNextModal(clickButton(QMessageBox::Ok));
    QPointer<TFormSchicht> form = showOrCreate<TFormSchicht>(area, QStringLiteral("Schichten"));
    QVERIFY(box->answered());
    QCOMPARE(box->text, QStringLiteral("Kann Schicht-Datei nicht öffnen !"));
    QTRY_VERIFY(!form);
    QVERIFY(area->subWindowList().isEmpty());
}

QTEST_MAIN(TstMasterDataFrame)
#include "tst_masterdataframe.moc"
