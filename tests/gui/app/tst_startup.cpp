#include <QtTest>

#include <QProcess>
#include <QSqlRecord>
#include <QTextBrowser>

#include "app/Application.h"
#include "app/HelpLayer.h"
#include "app/Version.h"
#include "core/common/ClockText.h"
#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TempDataDir.h"

using namespace tk;

// Version, central error handler, help layer and the console start of the
// program itself.
class TestStartup : public QObject
{
    Q_OBJECT

private:
    // The program beside the test programs' folder, when it was built.
    static QString programPath()
    {
        return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../taktora");
    }

private Q_SLOTS:
    void versionTextAndDate()
    {
        Version::initialize();
        QVERIFY(
            QRegularExpression("^\\d+\\.\\d+\\.\\d+\\.\\d+$").match(Version::text()).hasMatch());
        QCOMPARE(Version::text(),
                 QString::asprintf("%d.%d.%d.%d", TAKTORA_VERSION_MAJOR, TAKTORA_VERSION_MINOR,
                                   TAKTORA_VERSION_PATCH, TAKTORA_VERSION_TWEAK + 0));
        const QFileInfo program(QCoreApplication::applicationFilePath());
        QCOMPARE(Version::date(), ShortDateText(program.lastModified().date()));
        QCOMPARE(Version::panelText(), "V " + Version::text() + " / " + Version::date());
        QCOMPARE(Version::fileDate(QStringLiteral("/nonexistent/taktora")), QString());
    }

    // An error escaping a handler ends in the error box; the event loop goes on.
    void centralErrorHandler()
    {
        QStringList reported;
        Application::setErrorReporter([&](const QString &message) { reported << message; });
        bool afterwards = false;
        QTimer::singleShot(
            0, [] { throw DbError(QStringLiteral("Kann Personal-Datei nicht öffnen !")); });
        QTimer::singleShot(0, [] { throw std::runtime_error("disk full"); });
        QTimer::singleShot(0, [] { throw 42; });
        QTimer::singleShot(5, [&] { afterwards = true; });
        QTRY_VERIFY(afterwards);
        Application::setErrorReporter(nullptr);
        QCOMPARE(reported,
                 QStringList(
                     {"Kann Personal-Datei nicht öffnen !", "disk full", "Unbekannter Fehler."}));
    }

    void errorBoxShowsMessage()
    {
        auto answer = test::answerNextModal(test::clickButton(QMessageBox::Ok));
        QTimer::singleShot(0, [] { throw DbError(QStringLiteral("Die Datei ist gesperrt.")); });
        QTRY_VERIFY_WITH_TIMEOUT(answer->closed || !answer->failure.isEmpty(), 8000);
        QVERIFY2(answer->answered(), qPrintable(answer->failure));
        QCOMPARE(answer->title, QStringLiteral("Information"));
        QCOMPARE(answer->text, QStringLiteral("Die Datei ist gesperrt."));
    }

    void helpOpensChmWithViewer()
    {
        QTemporaryDir dir;
        const QString chm = dir.filePath("Taktora.chm");
        QFile(chm).open(QIODevice::WriteOnly);
        const QString log = dir.filePath("viewer.log");
        const QString viewer = dir.filePath("viewer.sh");
        QFile script(viewer);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\n").arg(log).toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);

        HelpLayer help(chm);
        help.setViewers({dir.filePath("not-installed"), viewer});
        QCOMPARE(help.showTopic(HelpLayer::ContentsTopic), HelpLayer::Shown::Viewer);
        QTRY_VERIFY(QFileInfo(log).size() > 0);
        QFile written(log);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().trimmed(), chm.toUtf8());
        QVERIFY(!help.helpWindow());
    }

    void helpFallsBackToOwnText()
    {
        QTemporaryDir dir;
        HelpLayer withoutFile(dir.filePath("Taktora.chm"));
        QCOMPARE(withoutFile.showTopic(HelpLayer::ContentsTopic), HelpLayer::Shown::HelpWindow);
        QVERIFY(withoutFile.helpWindow()->toPlainText().contains("F5"));
        withoutFile.helpWindow()->close();

        QFile(dir.filePath("Taktora.chm")).open(QIODevice::WriteOnly);
        HelpLayer withoutViewer(dir.filePath("Taktora.chm"));
        withoutViewer.setViewers({dir.filePath("no-viewer")});
        QCOMPARE(withoutViewer.showTopic(HelpLayer::ContentsTopic), HelpLayer::Shown::HelpWindow);
        withoutViewer.helpWindow()->close();

        auto answer = test::answerNextModal(test::clickButton(QMessageBox::Ok));
        QCOMPARE(withoutViewer.showTopic(4711), HelpLayer::Shown::Nothing);
        QVERIFY2(answer->answered(), qPrintable(answer->failure));
        QVERIFY(answer->text.contains("Taktora.chm"));
    }

    // The window start brings an old data folder's tables up to date before the windows
    // open on them.
    void windowStartUpgradesTheSchema()
    {
        if (!QFileInfo(programPath()).isExecutable())
            QSKIP("the program itself is not built");
        test::TempDataDir data;
        test::TempDataDir::dropChangeLog();
        test::TempDataDir::exec(QStringLiteral("ALTER TABLE Personal DROP COLUMN AuswertBegin"));
        test::TempDataDir::exec(QStringLiteral("PRAGMA user_version = 0"));
        Database::disconnect();
        QTemporaryDir config;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", config.path()); // window placement stays in the test
        QProcess run;
        run.setProcessEnvironment(env);
        run.start(programPath(), {"--data-dir", data.path()});
        QVERIFY(run.waitForStarted(30000));
        const auto upgraded = [] {
            const bool present = Database::connection()
                                     .record(QStringLiteral("Personal"))
                                     .contains(QStringLiteral("AuswertBegin"));
            Database::disconnect();
            return present;
        };
        QTRY_VERIFY_WITH_TIMEOUT(upgraded(), 30000);
        QCOMPARE(run.state(), QProcess::Running); // the windows are up, not a console mode
        run.kill();
        run.waitForFinished(30000);
    }

    // "taktora --create-database" creates the tables once, never touches an existing
    // database and needs no display.
    void consoleCreateDatabase()
    {
        if (!QFileInfo(programPath()).isExecutable())
            QSKIP("the program itself is not built");
        QTemporaryDir dir;
        const QString dataDir = dir.filePath("Firma/Daten");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.insert("QT_QPA_PLATFORM", "xcb"); // would fail if it opened a window
        QProcess run;
        run.setProcessEnvironment(env);
        run.start(programPath(), {"--create-database", "--data-dir", dataDir});
        QVERIFY(run.waitForFinished(30000));
        QCOMPARE(run.exitCode(), 0);
        const QString db = QDir(dataDir).filePath("taktora.db");
        QVERIFY(QFileInfo(db).isFile());
        const QDateTime written = QFileInfo(db).lastModified();
        const qint64 size = QFileInfo(db).size();

        run.start(programPath(), {"--data-dir=" + dataDir, "--create-database"});
        QVERIFY(run.waitForFinished(30000));
        QCOMPARE(run.exitCode(), 0);
        QVERIFY(run.readAllStandardOutput().contains("besteht bereits"));
        QCOMPARE(QFileInfo(db).lastModified(), written);
        QCOMPARE(QFileInfo(db).size(), size);

        run.start(programPath(), {"--create-database", "--unbekannt"});
        QVERIFY(run.waitForFinished(30000));
        QCOMPARE(run.exitCode(), 2);
        QVERIFY(QString::fromLocal8Bit(run.readAllStandardError()).contains("Unbekannte Option"));
    }
};

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestStartup test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
