#include "Z9SubRun.h"

#include "submitter/base/ReportError.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace z9::test {

// With a queue server, it answers while the program runs.
ProgramRun RunZ9Sub(const TempFolder& tmp, const QStringList& args, FakeQueueServer* server,
                    const QString& platform) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // As from a scheduler: no display at all.
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    if (!platform.isEmpty()) env.insert("QT_QPA_PLATFORM", platform);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QString::fromStdString(tmp.Path().string()));
    process.start(QString::fromStdString((BinDir() / "Z9Sub").string()), args);
    ProgramRun run;
    if (server) {
        for (int i = 0; i < 1200 && !run.finished; ++i) {
            server->Poll();
            run.finished = process.waitForFinished(50);
        }
    } else {
        run.finished = process.waitForFinished(60000);
    }
    if (!run.finished) process.kill();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.log = ReadFileBytes(tmp.Path() / kErrorLogName);
    run.output = process.readAllStandardOutput().toStdString();
    return run;
}

} // namespace z9::test
