// The backup dialog: the automatic backups listed, one written on request, and a restore that
// waits for the windows to close.
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "core/db/DatabaseBackup.h"
#include "gui/database/DlgDatensicherung.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

class TestDlgDatensicherung : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void listsAndWritesBackups();
    void restoreWaitsForTheWindows();

private:
    std::unique_ptr<TempDataDir> m_data;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestDlgDatensicherung::init()
{
    m_data = std::make_unique<TempDataDir>();
    m_folder = std::make_unique<QTemporaryDir>();
    DatabaseBackup::setAutomaticFolder(m_folder->path());
    addEmployee(1, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
}

void TestDlgDatensicherung::cleanup()
{
    DatabaseBackup::setAutomaticFolder(QString());
    m_folder.reset();
    m_data.reset();
}

void TestDlgDatensicherung::listsAndWritesBackups()
{
    TDlgDatensicherung dialog({});
    QCOMPARE(dialog.grid()->rowCount(), 0);
    dialog.btnSichernClick();
    QCOMPARE(dialog.grid()->rowCount(), 1);
    QCOMPARE(dialog.grid()->item(0, 2)->text(), QStringLiteral("Personal 1, auswert 0, AuswPos 0"));
}

void TestDlgDatensicherung::restoreWaitsForTheWindows()
{
    TK_SQLITE_ONLY();
    DatabaseBackup::writeInto(m_folder->path(), QDateTime::currentDateTime().addSecs(-60));
    TempDataDir::exec(QStringLiteral("UPDATE Personal SET Name = 'Neu'"));
    bool windowsClose = false;
    TDlgDatensicherung dialog([&windowsClose] { return windowsClose; });
    QCOMPARE(dialog.grid()->rowCount(), 1);
    auto question = answerNextModal(clickButton(QMessageBox::Ok));
    dialog.btnWiederherstellenClick();
    QVERIFY(question->answered());
    QCOMPARE(sqlValue(QStringLiteral("SELECT Name FROM Personal")).toString(),
             QStringLiteral("Neu"));
    windowsClose = true;
    std::shared_ptr<ModalAnswer> done;
    question = answerNextModal([&done](QWidget *box) {
        done = answerNextModal(clickButton(QMessageBox::Ok)); // "... ist wiederhergestellt."
        clickButton(QMessageBox::Ok)(box);
    });
    dialog.btnWiederherstellenClick();
    QVERIFY(question->answered());
    QVERIFY(done && done->answered());
    QCOMPARE(sqlValue(QStringLiteral("SELECT Name FROM Personal")).toString(),
             QStringLiteral("Berger"));
    QCOMPARE(dialog.grid()->rowCount(), 2); // the state before the restore was saved
}

QTEST_MAIN(TestDlgDatensicherung)
#include "tst_dlgdatensicherung.moc"
