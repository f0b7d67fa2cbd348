#include <QtTest>

#include <QLabel>

#include "app/FormSplash.h"
#include "app/Version.h"
#include "tests/support/ModalAnswer.h"

using namespace tk;

class TestSplash : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Version::initialize(); }

    void pictureInWhiteFrame()
    {
        QPointer<TFormSplash> splash = new TFormSplash;
        QVERIFY(splash->hasPicture()); // decoded through Qt's JPEG plugin
        QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(splash->windowFlags() & Qt::WindowStaysOnTopHint);
        splash->showForStartup();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        const QImage shot = splash->grab().toImage();
        QCOMPARE(shot.size(), splash->size());
        for (const QPoint &corner : {QPoint(0, 0), QPoint(shot.width() - 1, shot.height() - 1)})
            QCOMPARE(shot.pixelColor(corner), QColor(Qt::white));
        QVERIFY(qGray(shot.pixel(1, shot.height() - 2)) < 200); // the picture starts at 1,1
        QCOMPARE(splash->laName->text(), QStringLiteral("Taktora"));
        QVERIFY(splash->laName->font().bold());
        QCOMPARE(splash->laVersion->text(), QStringLiteral("Version: ") + Version::text());
        QVERIFY(splash->laVersion->alignment() & Qt::AlignRight);
        QVERIFY(!splash->laLink->isVisible());
        QCOMPARE(TFormSplash::current(), splash.data());
        splash->close();
        QTRY_VERIFY(splash.isNull());
        QVERIFY(!TFormSplash::current());
    }

    // Clicks and keys do nothing during start-up; the timer closes and frees the window.
    void startupIgnoresInputUntilTimer()
    {
        QPointer<TFormSplash> splash = new TFormSplash;
        splash->showForStartup();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QVERIFY(!splash->closeTimer()->isActive()); // stopped until start-up starts it
        QTest::keyClick(splash, Qt::Key_Escape);
        QTest::keyClick(splash, Qt::Key_Return);
        QTest::keyClick(splash, Qt::Key_Enter);
        QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseClick(splash->laName, Qt::LeftButton);
        QTest::qWait(50);
        QVERIFY(splash);
        QVERIFY(splash->isVisible());

        QElapsedTimer elapsed;
        elapsed.start();
        splash->startCloseTimer();
        QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 5000);
        QVERIFY(elapsed.elapsed() >= 1400); // the start-up splash stays for one and a half seconds
        QVERIFY(!TFormSplash::current());
    }

    void infoWindowCloses_data()
    {
        QTest::addColumn<int>("how"); // a key, or 0 for a click on the picture
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("click") << 0;
        QTest::newRow("click on text") << -1;
    }
    void infoWindowCloses()
    {
        QFETCH(int, how);
        bool linkShown = false;
        bool startupMode = true;
        auto answer = test::answerNextModal([&](QWidget *modal) {
            auto *info = qobject_cast<TFormSplash *>(modal);
            if (!info)
                return;
            linkShown = info->laLink->isVisible();
            startupMode = info->isStartupMode();
            QTest::keyClick(info, Qt::Key_A); // any other key leaves it open
            if (how > 0)
                QTest::keyClick(info, Qt::Key(how));
            else
                QTest::mouseClick(how == 0 ? static_cast<QWidget *>(info) : info->laVersion,
                                  Qt::LeftButton, {}, QPoint(5, 5));
        });
        TFormSplash::showInfo(nullptr);
        QVERIFY2(answer->answered(), qPrintable(answer->failure));
        QVERIFY(linkShown);
        QVERIFY(!startupMode);
        QTRY_VERIFY(!TFormSplash::current()); // freed
    }
};

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
