#include "platform/wallpaper/tool_runner.h"

#include <QProcess>
#include <QStandardPaths>

namespace platform {

QString ToolRun::failure(const QString& program) const {
    switch (end) {
    case End::NotFound:
        return QStringLiteral("%1 is not installed or could not be started.").arg(program);
    case End::TimedOut:
        return QStringLiteral("%1 did not answer in time.").arg(program);
    case End::Crashed:
        return QStringLiteral("%1 stopped unexpectedly.").arg(program);
    case End::Finished:
        break;
    }
    const QString said = errors.trimmed();
    return said.isEmpty() ? QStringLiteral("%1 failed (exit code %2).").arg(program).arg(exitCode)
                          : QStringLiteral("%1 failed: %2").arg(program, said);
}

ProcessToolRunner::ProcessToolRunner(std::chrono::milliseconds timeout) : timeout_(timeout) {}

ToolRun ProcessToolRunner::run(const QString& program, const QStringList& arguments) {
    ToolRun result;
    // Looked up first, so a missing tool is told apart from one that failed to start.
    const QString executable = QStandardPaths::findExecutable(program);
    if (executable.isEmpty())
        return result;
    QProcess process;
    process.setProgram(executable);
    process.setArguments(arguments);
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted(static_cast<int>(timeout_.count())))
        return result;
    if (!process.waitForFinished(static_cast<int>(timeout_.count()))) {
        process.kill();
        process.waitForFinished(1000);
        result.end = ToolRun::End::TimedOut;
        return result;
    }
    result.end =
        process.exitStatus() == QProcess::NormalExit ? ToolRun::End::Finished : ToolRun::End::Crashed;
    result.exitCode = process.exitCode();
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

} // namespace platform
