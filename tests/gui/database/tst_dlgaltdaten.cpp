// Taking over old data from the window: the report after the import, an empty folder field
// refused, and a database with data replaced only after the question and the windows closing.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

extern "C" { // pxlib's header declares C functions without saying so
#include <paradox.h>
}

#include "core/db/DatabaseBackup.h"
#include "gui/database/DlgAltdaten.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/ParadoxFiles.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

class TestDlgAltdaten : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void reportShowsWhatCameOver();
    void replacingAsksAndWaitsForTheWindows();

private:
    std::unique_ptr<TempDataDir> m_data;
    std::unique_ptr<QTemporaryDir> m_place;
};

void TestDlgAltdaten::init()
{
    m_data = std::make_unique<TempDataDir>();
    m_place = std::make_unique<QTemporaryDir>();
    DatabaseBackup::setAutomaticFolder(m_place->filePath(QStringLiteral("Sicherung")));
    const QDir old(m_place->filePath(QStringLiteral("Alt")));
    QDir().mkpath(old.path());
    writeParadoxTable(old.filePath(QStringLiteral("PERSONAL.DB")),
                      {{"PersonalNummer", pxfLong, 4}, {"Name", pxfAlpha, 20}},
                      {{7, QStringLiteral("Weiß")}});
    writeParadoxTable(old.filePath(QStringLiteral("SCHICHT.DB")), {{"Schichtplan", pxfShort, 2}},
                      {});
    writeParadoxTable(old.filePath(QStringLiteral("TAGPLAN.DB")),
                      {{"Schichtplan", pxfShort, 2}, {"Tagesplan", pxfShort, 2}}, {});
    for (const char *day : {"AUSWERT.DB", "AUSWPOS.DB"})
        writeParadoxTable(old.filePath(QLatin1String(day)),
                          {{"PersonalNummer", pxfLong, 4}, {"Datum", pxfDate, 4}}, {});
}

void TestDlgAltdaten::cleanup()
{
    DatabaseBackup::setAutomaticFolder(QString());
    m_place.reset();
    m_data.reset();
}

void TestDlgAltdaten::reportShowsWhatCameOver()
{
    TDlgAltdaten dialog({});
    auto refusal = answerNextModal(clickButton(QMessageBox::Ok));
    dialog.btnUebernehmenClick();
    QVERIFY(refusal->answered());
    QCOMPARE(refusal->text, QStringLiteral("Bitte den Ordner der Paradox-Tabellen angeben."));

    dialog.folderEdit()->setText(m_place->filePath(QStringLiteral("Alt")));
    dialog.btnUebernehmenClick();
    const QString report = dialog.report()->toPlainText();
    QVERIFY2(report.startsWith(QStringLiteral("Personal (PERSONAL.DB): 1 gelesen, 1 übernommen, "
                                              "0 abgewiesen\n")),
             qPrintable(report));
    QVERIFY(report.endsWith(QStringLiteral("Übernommen aus %1").arg(m_place->filePath("Alt"))));
    QCOMPARE(sqlValue(QStringLiteral("SELECT Name FROM Personal")).toString(),
             QStringLiteral("Weiß"));
}

void TestDlgAltdaten::replacingAsksAndWaitsForTheWindows()
{
    addEmployee(1, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    bool windowsClose = false;
    TDlgAltdaten dialog([&windowsClose] { return windowsClose; });
    dialog.folderEdit()->setText(m_place->filePath(QStringLiteral("Alt")));
    auto question = answerNextModal(clickButton(QMessageBox::No));
    dialog.btnUebernehmenClick();
    QVERIFY(question->answered());
    QVERIFY(question->text.startsWith(
        QStringLiteral("Die Datenbank enthält schon Daten (Personal 1).")));
    question = answerNextModal(clickButton(QMessageBox::Yes));
    dialog.btnUebernehmenClick(); // the windows stay open: nothing happens
    QVERIFY(question->answered());
    QCOMPARE(sqlValue(QStringLiteral("SELECT Name FROM Personal")).toString(),
             QStringLiteral("Berger"));
    QVERIFY(dialog.report()->toPlainText().isEmpty());

    windowsClose = true;
    question = answerNextModal(clickButton(QMessageBox::Yes));
    dialog.btnUebernehmenClick();
    QVERIFY(question->answered());
    QCOMPARE(sqlValue(QStringLiteral("SELECT Name FROM Personal")).toString(),
             QStringLiteral("Weiß"));
    QCOMPARE(DatabaseBackup::list(DatabaseBackup::automaticFolder()).size(), 1);
}

QTEST_MAIN(TestDlgAltdaten)
#include "tst_dlgaltdaten.moc"
