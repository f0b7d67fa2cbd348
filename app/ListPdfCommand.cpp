#include "app/ListPdfCommand.h"

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/recording/MonthRecalc.h"
#include "core/reports/engine/ReportRenderer.h"
#include "core/reports/lists/ListDocuments.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

namespace tk {

namespace {

constexpr const char *PdfOption = "--pdf";

// The value of an option given as "--name VALUE" or "--name=VALUE".
bool takeValue(const QStringList &arguments, int &i, const QString &option, QString *value)
{
    const QString &argument = arguments.at(i);
    if (argument == option) {
        *value = i + 1 < arguments.size() ? arguments.at(++i) : QString();
        return true;
    }
    if (argument.startsWith(option + QLatin1Char('='))) {
        *value = argument.mid(option.size() + 1);
        return true;
    }
    return false;
}

QString usage()
{
    return QStringLiteral("Aufruf: taktora --data-dir ORDNER --pdf LISTE --month JJJJ-MM "
                          "[--employee NR] --output DATEI.pdf\n"
                          "  LISTE: summen, detail, bruttolohn, schichtplan oder personal");
}

QString oneLine(QString message)
{
    return message.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

} // namespace

bool IsListPdfCommandLine(const QStringList &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String(PdfOption)
            || argument.startsWith(QLatin1String(PdfOption) + QLatin1Char('=')))
            return true;
    }
    return false;
}

bool IsListPdfCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return IsListPdfCommandLine(arguments);
}

bool ParseListPdfCommandLine(const QStringList &arguments, const QString &programDir,
                             ListPdfOptions *options, QString *error)
{
    ListPdfOptions o;
    o.dataDir = QDir(programDir).filePath(QStringLiteral("Daten"));
    QString month;
    QString employee;
    bool hasMonth = false;
    for (int i = 1; i < arguments.size(); ++i) {
        QString value;
        if (takeValue(arguments, i, QStringLiteral("--data-dir"), &value)) {
            if (value.isEmpty()) {
                *error = QStringLiteral("Nach --data-dir fehlt der Datenordner.");
                return false;
            }
            o.dataDir = QDir::cleanPath(QDir::current().absoluteFilePath(value));
        } else if (takeValue(arguments, i, QLatin1String(PdfOption), &value)) {
            o.list = value;
        } else if (takeValue(arguments, i, QStringLiteral("--month"), &value)) {
            month = value;
            hasMonth = true;
        } else if (takeValue(arguments, i, QStringLiteral("--employee"), &value)) {
            employee = value;
            o.oneEmployee = true;
        } else if (takeValue(arguments, i, QStringLiteral("--output"), &value)) {
            o.output = value;
        } else {
            *error = QStringLiteral("Unbekannte Angabe: %1\n%2").arg(arguments.at(i), usage());
            return false;
        }
    }

    ListKind kind;
    if (!ParseListKind(o.list, &kind)) {
        *error = QStringLiteral("Unbekannte Liste \"%1\".\n%2").arg(o.list, usage());
        return false;
    }
    if (NeedsMonth(kind) || hasMonth) {
        if (!ParseRecalcMonth(month, &o.month, &o.year)) {
            *error =
                QStringLiteral("Ungültiger Monat \"%1\": erwartet wird JJJJ-MM, z. B. 2024-03.")
                    .arg(month);
            return false;
        }
    }
    if (o.oneEmployee) {
        bool ok = false;
        o.employee = employee.toInt(&ok);
        if (!ok) {
            *error = QStringLiteral("Ungültige Personal-Nr. \"%1\".").arg(employee);
            return false;
        }
        if (!IsMonthlySheet(kind)) {
            *error = QStringLiteral("--employee gilt nur für die Listen summen und detail.");
            return false;
        }
    }
    if (o.output.isEmpty()) {
        *error = QStringLiteral("Die Ausgabedatei fehlt (--output DATEI.pdf).");
        return false;
    }
    o.output = QDir::current().absoluteFilePath(o.output);
    *options = o;
    return true;
}

int RunListPdfCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    ListPdfOptions options;
    QString error;
    if (!ParseListPdfCommandLine(arguments, QCoreApplication::applicationDirPath(), &options,
                                 &error)) {
        err << error << '\n';
        return ListPdfBadCommand;
    }
    if (!QFileInfo(options.dataDir).isDir()) {
        err << QStringLiteral("Der Datenordner \"%1\" ist nicht vorhanden.")
                   .arg(QDir::toNativeSeparators(options.dataDir))
            << '\n';
        return ListPdfFailed;
    }
    Database::setPath(options.dataDir);

    ListRequest request;
    ParseListKind(options.list, &request.kind);
    request.month = options.month;
    request.year = options.year;
    request.employee = options.employee;
    request.oneEmployee = options.oneEmployee;
    try {
        const QVector<ReportDocument> documents = GenerateListDocuments(request);
        int pages = 0;
        for (const ReportDocument &document : documents)
            pages += int(document.pages.size());
        if (pages == 0) {
            err << QStringLiteral(
                "Die Liste enthält keine Daten; es wurde keine Datei geschrieben.")
                << '\n';
            return ListPdfNoData;
        }
        if (!writePdf(documents, options.output, &error)) {
            err << error << '\n';
            return ListPdfFailed;
        }
        out << QStringLiteral("%1: %2 Seite(n) geschrieben.")
                   .arg(QDir::toNativeSeparators(options.output))
                   .arg(pages)
            << '\n';
        return ListPdfWritten;
    } catch (const DateEncodingError &e) {
        err << e.message() << '\n';
    } catch (const DbError &e) {
        err << oneLine(e.message()) << '\n';
    } catch (const std::exception &e) {
        err << oneLine(QString::fromUtf8(e.what())) << '\n';
    }
    return ListPdfFailed;
}

int RunListPdfCommandLine(int argc, char *argv[])
{
    // Nothing is shown: the offscreen platform measures and paints without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = RunListPdfCommandLine(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    Database::disconnect();
    return code;
}

} // namespace tk
