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

// Starts "taktora --data-dir DIR ARGS..." without waiting.
inline void startTaktora(QProcess &process, const QString &dataDir, const QStringList &arguments)
{
    process.setProgram(taktoraExecutable());
    process.setArguments(QStringList{QStringLiteral("--data-dir"), dataDir} + arguments);
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

inline TaktoraRun runTaktora(const QString &dataDir, const QStringList &arguments)
{
    QProcess process;
    startTaktora(process, dataDir, arguments);
    return finishTaktora(process);
}

} // namespace tk::test
