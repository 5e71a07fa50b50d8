#pragma once
// Running the desktop's own command-line tools (gsettings, xfconf-query, dbus-send) behind one interface,
// so tests can record what would have been run.

#include <QString>
#include <QStringList>
#include <chrono>

namespace platform {

struct ToolRun {
    enum class End { Finished, NotFound, TimedOut, Crashed };
    End end = End::NotFound;
    int exitCode = -1;
    QString output; // standard output
    QString errors; // standard error

    bool succeeded() const { return end == End::Finished && exitCode == 0; }
    // Why a run that did not succeed failed, for a message ("gsettings is not installed", ...).
    QString failure(const QString& program) const;
};

class ToolRunner {
public:
    virtual ~ToolRunner() = default;
    // Runs `program` with these arguments, without a shell, and waits for it within the runner's time
    // limit.
    virtual ToolRun run(const QString& program, const QStringList& arguments) = 0;
};

// The real runner: QProcess with an argument list. A program that is not found or does not end within
// the time limit is a failed run, never a hang.
class ProcessToolRunner final : public ToolRunner {
public:
    explicit ProcessToolRunner(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    ToolRun run(const QString& program, const QStringList& arguments) override;

private:
    std::chrono::milliseconds timeout_;
};

} // namespace platform
