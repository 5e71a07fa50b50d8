#pragma once
// A stand-in for the desktop's command-line tools: records every call and answers through a function the
// test supplies (by default: success with no output).

#include "platform/wallpaper/tool_runner.h"

#include <functional>
#include <vector>

namespace testing_support {

class RecordingToolRunner final : public platform::ToolRunner {
public:
    struct Call {
        QString program;
        QStringList arguments;
    };
    using Answer = std::function<platform::ToolRun(const QString& program, const QStringList& arguments)>;

    explicit RecordingToolRunner(Answer answer = {}) : answer_(std::move(answer)) {}

    platform::ToolRun run(const QString& program, const QStringList& arguments) override {
        calls_.push_back({program, arguments});
        return answer_ ? answer_(program, arguments) : succeeded();
    }

    void setAnswer(Answer answer) { answer_ = std::move(answer); }
    const std::vector<Call>& calls() const { return calls_; }
    void clear() { calls_.clear(); }

    static platform::ToolRun succeeded(const QString& output = {}) {
        platform::ToolRun run;
        run.end = platform::ToolRun::End::Finished;
        run.exitCode = 0;
        run.output = output;
        return run;
    }
    static platform::ToolRun failed(int exitCode, const QString& errors) {
        platform::ToolRun run;
        run.end = platform::ToolRun::End::Finished;
        run.exitCode = exitCode;
        run.errors = errors;
        return run;
    }
    static platform::ToolRun missing() { return {}; }

private:
    Answer answer_;
    std::vector<Call> calls_;
};

} // namespace testing_support
