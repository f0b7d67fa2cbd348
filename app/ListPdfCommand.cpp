#include "app/ListPdfCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include "app/CommandLine.h"
#include "app/DatabaseChoice.h"
#include "core/common/Errors.h"
#include "core/reports/engine/ReportRenderer.h"
#include "core/reports/lists/ListDocuments.h"

namespace tk {

namespace {

QString oneLine(QString message)
{
    return message.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString cannotWrite(const QString &output, const QString &reason)
{
    return QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2.")
        .arg(shown(output), reason);
}

// Opens a temporary file beside the output; it takes the output's name only when the list
// is complete, so a failed run leaves neither a half file nor a replaced one.
bool openOutput(QSaveFile &file, QString *error)
{
    const QFileInfo output(file.fileName());
    const QString folder = shown(output.absolutePath());
    QString reason;
    if (output.isDir())
        reason = QStringLiteral("das ist ein Ordner");
    else if (!QFileInfo(output.absolutePath()).isDir())
        reason = QStringLiteral("der Ordner \"%1\" ist nicht vorhanden").arg(folder);
    else if (!file.open(QIODevice::WriteOnly))
        reason = QStringLiteral("im Ordner \"%1\" darf nicht geschrieben werden").arg(folder);
    if (reason.isEmpty())
        return true;
    *error = cannotWrite(file.fileName(), reason);
    return false;
}

ListRequest requestOf(const CommandLine &commandLine)
{
    ListRequest request;
    request.kind = commandLine.list;
    request.month = commandLine.month;
    request.year = commandLine.year;
    request.employee = commandLine.employee;
    request.oneEmployee = commandLine.oneEmployee;
    return request;
}

int pageCount(const QVector<ReportDocument> &documents)
{
    int pages = 0;
    for (const ReportDocument &document : documents)
        pages += int(document.pages.size());
    return pages;
}

} // namespace

int runListPdfCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    QSaveFile file(commandLine.output);
    QString error;
    if (!openOutput(file, &error)) {
        err << error << '\n';
        return ExitFailed;
    }
    try {
        openChosenDatabase(commandLine);
        QStringList notes;
        const QVector<ReportDocument> documents =
            GenerateListDocuments(requestOf(commandLine), &notes);
        for (const QString &note : notes)
            err << note << '\n';
        const int pages = pageCount(documents);
        if (pages == 0) {
            err << QStringLiteral(
                "Die Liste enthält keine Daten; es wurde keine Datei geschrieben.")
                << '\n';
            return ExitNoData;
        }
        if (!writePdf(documents, &file) || !file.commit()) {
            err << cannotWrite(commandLine.output, QStringLiteral("das Schreiben ist misslungen"))
                << '\n';
            return ExitFailed;
        }
        out << QStringLiteral("%1: %2 Seite(n) geschrieben.")
                   .arg(shown(commandLine.output), QString::number(pages))
            << '\n';
        return ExitOk;
    } catch (const std::exception &e) {
        err << oneLine(errorMessage(e)) << '\n';
    }
    return ExitFailed;
}

} // namespace tk
