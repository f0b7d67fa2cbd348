// Time and duration fields bound to integer minute fields of a table.
#include "core/db/Table.h"
#include "gui/timefields/KvTimeEdit.h"
#include "tests/gui/timefields/FieldHost.h"
#include "tests/support/TempDataDir.h"

#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace tk;
using tk::test::FieldHost;
using tk::test::pressKey;
using tk::test::TempDataDir;
using tk::test::typeKeys;

namespace {

// Day plans 1..3 of shift plan 1: Von 360 / NULL / 0, Sollstd 525 / NULL / 2000.
void insertDayPlans()
{
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Tagplan (Schichtplan, Tagesplan, Von, Bis, Sollstd) VALUES "
                       "(1, 1, 360, 885, 525), (1, 2, NULL, NULL, NULL), (1, 3, 0, 2000, 70000)"));
}

QVariant storedValue(const QString &column, int tagesplan)
{
    Query query;
    query.setSql(QStringLiteral("SELECT %1 FROM Tagplan WHERE Schichtplan = 1 AND Tagesplan = ?")
                     .arg(column));
    query.open({tagesplan});
    return query.rowCount() == 1 ? query.value(0, 0) : QVariant(QStringLiteral("missing"));
}

// Closes the next modal message box and hands back its text; fails instead of hanging.
class MessageBoxCatcher
{
public:
    MessageBoxCatcher()
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                m_texts << box->text();
                box->done(QMessageBox::Ok);
            }
        });
        m_timer.start();
    }
    QStringList texts() const { return m_texts; }

private:
    QTimer m_timer;
    QStringList m_texts;
};

} // namespace

class TstKvDbTimeEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void createdDisabledEmptyAndReadOnly();
    void enabledExactlyWhileTheTableIsOpen();
    void showsNullAsEmptyAndZeroAsMidnight();
    void followsMovesAndFieldChanges();
    void writesEveryEnteredValue();
    void emptyAtMidnightWritesNull();
    void escapeShowsTheRecordsValueAgain();
    void cancelledEditShowsTheStoredValue();
    void durationFieldLoadsAndWrites();
    void unshowableStoredValueIsKept();
    void refusedWriteShowsTheTableError();
    void dataSourceGoingAwayDropsTheBinding();

private:
    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<Table> m_table;
};

void TstKvDbTimeEdit::init()
{
    m_dir = std::make_unique<TempDataDir>();
    insertDayPlans();
    m_table =
        std::make_unique<Table>(QStringLiteral("Tagplan"), QStringLiteral("Schichtplan;Tagesplan"));
}

void TstKvDbTimeEdit::cleanup()
{
    m_table.reset();
    m_dir.reset();
}

void TstKvDbTimeEdit::createdDisabledEmptyAndReadOnly()
{
    TKvDBTimeEdit time;
    TKvDBTimeDauerEdit duration;
    for (KvFieldBase *field :
         {static_cast<KvFieldBase *>(&time), static_cast<KvFieldBase *>(&duration)}) {
        QVERIFY(!field->isEnabled());
        QVERIFY(field->isEmpty());
        QVERIFY(field->isReadOnly());
    }
}

void TstKvDbTimeEdit::enabledExactlyWhileTheTableIsOpen()
{
    TKvDBTimeEdit field;
    field.setEnabled(true); // the form's setting is overridden by the table
    field.setDataSource(m_table.get());
    field.setDataField(QStringLiteral("Von"));
    QVERIFY(!field.isEnabled());
    m_table->open();
    QVERIFY(field.isEnabled());
    QCOMPARE(field.GetMinutes(), quint16(360));
    m_table->close();
    QVERIFY(!field.isEnabled());
    QVERIFY(field.isEmpty());
    QCOMPARE(field.GetMinutes(), quint16(0));
    m_table->open();
    QVERIFY(field.isEnabled());
    QCOMPARE(field.GetMinutes(), quint16(360));
}

void TstKvDbTimeEdit::showsNullAsEmptyAndZeroAsMidnight()
{
    m_table->open();
    TKvDBTimeEdit field;
    field.setDataSource(m_table.get());
    field.setDataField(QStringLiteral("von")); // names match without regard to case
    QVERIFY(!field.isEmpty());
    m_table->next();
    QVERIFY(field.isEmpty());
    QCOMPARE(field.GetMinutes(), quint16(0));
    m_table->next();
    QVERIFY(!field.isEmpty());
    QCOMPARE(field.GetMinutes(), quint16(0));
}

void TstKvDbTimeEdit::followsMovesAndFieldChanges()
{
    m_table->open();
    TKvDBTimeEdit field;
    field.setDataSource(m_table.get());
    field.setDataField(QStringLiteral("Bis"));
    QCOMPARE(field.GetMinutes(), quint16(885));
    m_table->field(QStringLiteral("Bis")).setAsInteger(900);
    QCOMPARE(field.GetMinutes(), quint16(900));
    m_table->field(QStringLiteral("Von")).setAsInteger(1);
    QCOMPARE(field.GetMinutes(), quint16(900));
    m_table->post();
    m_table->next();
    QVERIFY(field.isEmpty());
    m_table->first();
    QCOMPARE(field.GetMinutes(), quint16(900));
}

void TstKvDbTimeEdit::writesEveryEnteredValue()
{
    m_table->open();
    FieldHost<TKvDBTimeEdit> host;
    host.field->setTabOnEnterKey(true);
    host.field->setDataSource(m_table.get());
    host.field->setDataField(QStringLiteral("Von"));
    QSignalSpy changes(host.field, &KvFieldBase::OnChange);
    QVERIFY(host.show());
    typeKeys("0");
    QCOMPARE(m_table->state(), Table::State::Edit);
    QCOMPARE(m_table->field(QStringLiteral("Von")).asInteger(), 0 * 60 + 0);
    typeKeys("9");
    QCOMPARE(m_table->field(QStringLiteral("Von")).asInteger(), 9 * 60);
    typeKeys("15");
    QCOMPARE(m_table->field(QStringLiteral("Von")).asInteger(), 9 * 60 + 15);
    QVERIFY(host.after->hasFocus());
    QCOMPARE(changes.count(), 4);
    // The field does not reload its own writes: the digit position stays where it was.
    host.field->setFocus(Qt::TabFocusReason);
    typeKeys("1");
    QCOMPARE(host.field->digitPosition(), 1);
    QCOMPARE(m_table->field(QStringLiteral("Von")).asInteger(), 60 + 15);
    m_table->post();
    QCOMPARE(storedValue(QStringLiteral("Von"), 1).toInt(), 75);
}

void TstKvDbTimeEdit::emptyAtMidnightWritesNull()
{
    m_table->open();
    FieldHost<TKvDBTimeEdit> host;
    host.field->setDataSource(m_table.get());
    host.field->setDataField(QStringLiteral("Von"));
    QVERIFY(host.show());
    typeKeys("0000");
    QVERIFY(!m_table->field(QStringLiteral("Von")).isNull()); // typed 00:00 is a time
    QCOMPARE(m_table->field(QStringLiteral("Von")).asInteger(), 0);
    pressKey(Qt::Key_Delete);
    QVERIFY(m_table->field(QStringLiteral("Von")).isNull());
    QVERIFY(host.field->isEmpty());
    m_table->post();
    QVERIFY(storedValue(QStringLiteral("Von"), 1).isNull());
    QVERIFY(host.field->isEmpty());
}

void TstKvDbTimeEdit::escapeShowsTheRecordsValueAgain()
{
    m_table->open();
    FieldHost<TKvDBTimeEdit> host;
    host.field->setDataSource(m_table.get());
    host.field->setDataField(QStringLiteral("Von"));
    QVERIFY(host.show());
    host.field->SetMinutes(300); // shown only, not written
    QCOMPARE(m_table->field(QStringLiteral("Von")).asInteger(), 360);
    QSignalSpy changes(host.field, &KvFieldBase::OnChange);
    pressKey(Qt::Key_Escape);
    QCOMPARE(host.field->GetMinutes(), quint16(360));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(m_table->field(QStringLiteral("Von")).asInteger(), 360);

    // On a NULL record Escape shows the empty state and keeps NULL.
    m_table->next();
    host.field->SetMinutes(480);
    pressKey(Qt::Key_Escape);
    QVERIFY(host.field->isEmpty());
    QVERIFY(m_table->field(QStringLiteral("Von")).isNull());
}

void TstKvDbTimeEdit::cancelledEditShowsTheStoredValue()
{
    m_table->open();
    FieldHost<TKvDBTimeEdit> host;
    host.field->setDataSource(m_table.get());
    host.field->setDataField(QStringLiteral("Von"));
    QVERIFY(host.show());
    typeKeys("1130");
    QCOMPARE(host.field->GetMinutes(), quint16(690));
    m_table->cancel();
    QCOMPARE(host.field->GetMinutes(), quint16(360));
}

void TstKvDbTimeEdit::durationFieldLoadsAndWrites()
{
    m_table->open();
    FieldHost<TKvDBTimeDauerEdit> host;
    host.field->setDataSource(m_table.get());
    host.field->setDataField(QStringLiteral("Sollstd"));
    QCOMPARE(host.field->hours(), 8);
    QCOMPARE(host.field->minutes(), 45);
    QVERIFY(host.show());
    typeKeys("01230");
    QCOMPARE(m_table->field(QStringLiteral("Sollstd")).asInteger(), 12 * 60 + 30);
    pressKey(Qt::Key_Delete);
    QVERIFY(m_table->field(QStringLiteral("Sollstd")).isNull());
    m_table->post();
    m_table->next();
    QVERIFY(host.field->isEmpty());
}

// 2000 minutes is no time of day and 70000 no 16-bit duration: the fields show the empty
// state with the reason as tool tip, and only a newly entered value replaces the stored one.
void TstKvDbTimeEdit::unshowableStoredValueIsKept()
{
    m_table->open();
    m_table->last();
    FieldHost<TKvDBTimeEdit> host;
    host.field->setDataSource(m_table.get());
    host.field->setDataField(QStringLiteral("Bis"));
    QVERIFY(host.field->isEmpty());
    QCOMPARE(host.field->toolTip(), QStringLiteral("Ungültiges Argument zum Codieren der Uhrzeit"));
    QVERIFY(host.show());
    pressKey(Qt::Key_Escape);
    typeKeys("v");
    QCOMPARE(m_table->field(QStringLiteral("Bis")).asInteger(), 2000);
    typeKeys("2");
    QCOMPARE(m_table->field(QStringLiteral("Bis")).asInteger(), 120);
    QVERIFY(host.field->toolTip().isEmpty());

    TKvDBTimeDauerEdit duration;
    duration.setDataSource(m_table.get());
    duration.setDataField(QStringLiteral("Sollstd"));
    QVERIFY(duration.isEmpty());
    QVERIFY(duration.toolTip().contains(QStringLiteral("70000")));
    m_table->cancel();
    QCOMPARE(storedValue(QStringLiteral("Bis"), 3).toInt(), 2000);
}

void TstKvDbTimeEdit::refusedWriteShowsTheTableError()
{
    m_table->setReadOnly(true);
    m_table->open();
    FieldHost<TKvDBTimeEdit> host;
    host.field->setDataSource(m_table.get());
    host.field->setDataField(QStringLiteral("Von"));
    QVERIFY(host.show());
    MessageBoxCatcher catcher;
    typeKeys("8");
    QCOMPARE(catcher.texts().size(), 1);
    QVERIFY(catcher.texts().first().contains(QStringLiteral("kann hier nicht geändert werden")));
    QCOMPARE(m_table->state(), Table::State::Browse);
    QCOMPARE(m_table->field(QStringLiteral("Von")).asInteger(), 360);
    // Escape brings the stored value back into the field.
    host.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&host.window));
    host.field->setFocus();
    pressKey(Qt::Key_Escape);
    QCOMPARE(host.field->GetMinutes(), quint16(360));
    QCOMPARE(m_table->state(), Table::State::Browse);
}

void TstKvDbTimeEdit::dataSourceGoingAwayDropsTheBinding()
{
    m_table->open();
    FieldHost<TKvDBTimeEdit> host;
    host.field->setDataSource(m_table.get());
    host.field->setDataField(QStringLiteral("Von"));
    QVERIFY(host.field->isEnabled());
    m_table.reset();
    QVERIFY(!host.field->isEnabled());
    QVERIFY(host.field->isEmpty());
    QCOMPARE(host.field->dataSource(), nullptr);
    host.field->SetMinutes(100);
    host.field->Change(); // nothing left to write into
    host.field->Reset();  // without a table field: empty flag set, the numbers stay
    QVERIFY(host.field->isEmpty());
    QCOMPARE(host.field->hours(), 1);
    QCOMPARE(host.field->minutes(), 40);

    // setDataSource(nullptr) drops a live binding as well.
    Table other(QStringLiteral("Tagplan"), QStringLiteral("Schichtplan;Tagesplan"));
    other.open();
    TKvDBTimeDauerEdit duration;
    duration.setDataSource(&other);
    duration.setDataField(QStringLiteral("Sollstd"));
    QCOMPARE(duration.GetMinutes(), quint16(525));
    duration.setDataSource(nullptr);
    QVERIFY(!duration.isEnabled());
    other.next();
    QVERIFY(duration.isEmpty());
}

QTEST_MAIN(TstKvDbTimeEdit)
#include "tst_kvdbtimeedit.moc"
