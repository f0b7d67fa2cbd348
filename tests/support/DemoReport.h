#pragma once

// A small list that uses every kind of band the engine offers, for the engine's tests and
// for looking at the printed result: employees grouped by department, one row each with
// their hours, their time entries below, department sums and a grand total.

#include "core/reports/engine/Report.h"

#include <QLocale>

namespace tk::demo {

inline QString hoursText(int minutes)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(minutes / 60.0, 'f', 2);
}

inline QString clockText(const QVariant &minutes)
{
    const int m = minutes.toInt();
    return QStringLiteral("%1:%2")
        .arg(m / 60, 2, 10, QLatin1Char('0'))
        .arg(m % 60, 2, 10, QLatin1Char('0'));
}

class DemoReport
{
public:
    MemoryDataSource people{{"Nr", "Name", "Abteilung", "Minuten"}};
    MemoryDataSource entries{{"Nr", "Von", "Bis"}};
    Report report{QStringLiteral("Demo-Liste"), &people};

    int generations = 0;
    int printedRows = 0;
    int totalMinutes = 0;
    int groupMinutes = 0;

    // A row with negative minutes is suppressed by the detail band's hook.
    void addPerson(int nr, const QString &name, const QString &department, int minutes)
    {
        people.addRow({nr, name, department, minutes});
    }
    void addEntry(int nr, int from, int to) { entries.addRow({nr, from, to}); }

    // n people in departments of ten, each with two time entries.
    void fill(int n)
    {
        for (int i = 1; i <= n; ++i) {
            addPerson(i, QStringLiteral("Mitarbeiter %1").arg(i),
                      QStringLiteral("Abteilung %1").arg((i - 1) / 10 + 1), 400 + i);
            addEntry(i, 420, 720);
            addEntry(i, 750, 960 + i % 60);
        }
    }

    DemoReport()
    {
        entries.linkTo(&people, {"Nr"}, {"Nr"});
        report.setFont({QStringLiteral("Arial"), 10});
        report.setPrintDate(QDate(2024, 3, 5));
        report.setGenerationStarted([this] {
            ++generations;
            printedRows = 0;
            totalMinutes = 0;
            groupMinutes = 0;
        });
        buildPageBands();
        buildBody();
    }

private:
    void buildPageBands()
    {
        ReportBand &header = report.addBand(BandKind::PageHeader, "pageHeader", 11);
        header.addSystemField("laTitel", 0, 0, SystemField::Title).setBold(true).setPointSize(12);
        header.addSystemField("laDatum", 0, 0, SystemField::Date, QStringLiteral("Datum: "))
            .toRightEdge()
            .setAlignment(Qt::AlignRight);
        header.addSystemField("laSeite", 0, 5.3, SystemField::PageNumber, QStringLiteral("Seite: "))
            .toRightEdge()
            .setAlignment(Qt::AlignRight);

        ReportBand &title = report.addBand(BandKind::Title, "title", 6);
        title.addLabel("laHinweis", 0, 0, QStringLiteral("Stunden je Mitarbeiter, nach Abteilung"));

        ReportBand &columns = report.addBand(BandKind::ColumnHeader, "columns", 5.5);
        columns.addFrame(FrameEdge::Top);
        columns.addLabel("capNr", 0, 0.8, QStringLiteral("Nr."))
            .setWidth(15)
            .setAlignment(Qt::AlignRight);
        columns.addLabel("capName", 17, 0.8, QStringLiteral("Name"));
        columns.addLabel("capStunden", 80, 0.8, QStringLiteral("Stunden"))
            .setWidth(20)
            .setAlignment(Qt::AlignRight);
        columns.addChild("columnsRule", 1).addFrame(FrameEdge::Top, FrameStyle::Thick);

        ReportBand &footer = report.addBand(BandKind::PageFooter, "pageFooter", 6);
        footer.setFont({QStringLiteral("Arial"), 8});
        footer.addFrame(FrameEdge::Top);
        footer
            .addSystemField("laFussSeite", 0, 1, SystemField::PageNumber, QStringLiteral("Seite "))
            .toRightEdge()
            .setAlignment(Qt::AlignRight);
    }

    void buildBody()
    {
        ReportGroup &department = report.addGroup(
            "department", [this] { return people.value(QStringLiteral("Abteilung")); });
        ReportBand &groupHeader = department.addHeader("groupHeader", 6);
        groupHeader.setBackground(QColor(Qt::lightGray));
        groupHeader.addField("laAbteilung", 1, 0.8, "Abteilung").setBold(true);
        ReportBand &groupFooter = department.addFooter("groupFooter", 6);
        groupFooter.addFrame(FrameEdge::Top, FrameStyle::Double);
        ReportText &groupSum = groupFooter.addLabel("laGruppe", 80, 1, QString())
                                   .setWidth(20)
                                   .setAlignment(Qt::AlignRight);
        groupFooter.setBeforePrint([this, &groupSum] {
            groupSum.setCaption(hoursText(groupMinutes));
            groupMinutes = 0;
            return true;
        });

        ReportBand &row = report.addBand(BandKind::Detail, "row", 5);
        row.addField("laNr", 0, 0, "Nr").setWidth(15).setAlignment(Qt::AlignRight);
        row.addField("laName", 17, 0, "Name").setWidth(60).setOnPrint([](QString &text) {
            if (text.isEmpty())
                text = QStringLiteral("(ohne Name)");
        });
        row.addField("laStunden", 80, 0, "Minuten")
            .setWidth(20)
            .setAlignment(Qt::AlignRight)
            .setFormatter([](const QVariant &v) { return hoursText(v.toInt()); });
        row.setBeforePrint([this] {
            const int minutes = people.value(QStringLiteral("Minuten")).toInt();
            if (minutes < 0)
                return false;
            ++printedRows;
            totalMinutes += minutes;
            groupMinutes += minutes;
            return true;
        });
        ReportBand &overtime = row.addChild("overtime", 5);
        overtime.addLabel("laUeber", 17, 0, QStringLiteral("mehr als 8 Stunden")).setPointSize(8);
        overtime.setBeforePrint(
            [this] { return people.value(QStringLiteral("Minuten")).toInt() > 480; });

        ReportSubDetail &entryLines = report.addSubDetail("entry", &entries, 4.5);
        entryLines.band().setFont({QStringLiteral("Arial"), 8});
        entryLines.band()
            .addField("laVon", 80, 0, "Von")
            .setWidth(10)
            .setAlignment(Qt::AlignCenter)
            .setFormatter(clockText);
        entryLines.band()
            .addField("laBis", 92, 0, "Bis")
            .setWidth(10)
            .setAlignment(Qt::AlignCenter)
            .setFormatter(clockText);
        entryLines.addFooter("entryEnd", 1).addFrame(FrameEdge::Top, FrameStyle::Dashed);

        ReportBand &summary = report.addBand(BandKind::Summary, "summary", 7);
        summary.setFont({QStringLiteral("Arial"), 10, true});
        summary.addFrame(FrameEdge::Top);
        summary.addFrame(FrameEdge::Bottom);
        summary.addLabel("laSummeText", 17, 1, QStringLiteral("Summe"));
        ReportText &count =
            summary.addLabel("laAnzahl", 0, 1, QString()).setWidth(15).setAlignment(Qt::AlignRight);
        ReportText &total =
            summary.addLabel("laSumme", 80, 1, QString()).setWidth(20).setAlignment(Qt::AlignRight);
        summary.setBeforePrint([this, &count, &total] {
            count.setCaption(QString::number(printedRows));
            total.setCaption(hoursText(totalMinutes));
            return true;
        });
    }
};

} // namespace tk::demo
