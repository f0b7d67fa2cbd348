#pragma once

#include <QProcess>
#include <QStringList>
#include <QTest>

// The built program, run as a child process on a test's data folder. The test target
// defines TAKTORA_EXECUTABLE (tests/CMakeLists.txt).
namespace tk::test {

inline QString taktoraExecutable()
{
    return QStringLiteral(TAKTORA_EXECUTABLE);
}

// Starts "taktora --data-dir DIR ARGS..." without waiting; a database address instead of a
// folder (TempDataDir::databaseUrl) is given with --database.
inline void startTaktora(QProcess &process, const QString &database, const QStringList &arguments)
{
    const bool address = database.startsWith(QLatin1String("sqlite:"))
        || database.startsWith(QLatin1String("postgresql:"));
    process.setProgram(taktoraExecutable());
    process.setArguments(
        QStringList{address ? QStringLiteral("--database") : QStringLiteral("--data-dir"), database}
        + arguments);
    process.start();
}

struct TaktoraRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Waits for a started run; a run that does not end within timeoutMs is killed and reported
// with exit code -1.
inline TaktoraRun finishTaktora(QProcess &process, int timeoutMs = 60000)
{
    TaktoraRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    } else if (process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

inline TaktoraRun runTaktora(const QString &database, const QStringList &arguments)
{
    QProcess process;
    startTaktora(process, database, arguments);
    return finishTaktora(process);
}

} // namespace tk::test
