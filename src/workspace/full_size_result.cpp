#include "workspace/full_size_result.h"

#include "imaging/files/photo_loading.h"

#include <QDir>
#include <cmath>
#include <new>

namespace workspace {

namespace {

using Problem = FullSizeResult::Problem;

FullSizeResult failed(Problem problem, QString detail = {}) {
    return {std::nullopt, problem, std::move(detail)};
}

// Tells whether a composition could not be drawn, which the document reports rather than throws.
class ReplayListener final : public UnwatchedDocument {
public:
    void problemOccurred(DocumentProblem problem) override {
        if (problem == DocumentProblem::RenderFailed)
            renderFailed = true;
    }
    bool renderFailed = false;
};

} // namespace

ReplayControl ReplayStopper::control() {
    return {[this](imaging::Picture& picture, const std::function<void()>& work) {
                {
                    const std::lock_guard lock(mutex_);
                    running_ = &picture;
                    if (stopped_)
                        picture.SetEscape(1);
                }
                work();
                const std::lock_guard lock(mutex_);
                running_ = nullptr;
            },
            [this] { return stopped_.load(); }};
}

void ReplayStopper::stop() {
    const std::lock_guard lock(mutex_);
    stopped_ = true;
    if (running_)
        running_->SetEscape(1);
}

QSize fullSizeOf(const WorkspaceDocument& edited, bool wholeImage) {
    const std::optional<OriginalPicture>& original = edited.original();
    const QSize working = wholeImage ? edited.outputAreaSize() : QSize(edited.canvasWidth(), edited.canvasHeight());
    if (!original || original->working.isEmpty())
        return working;
    const double sx = double(original->size.width()) / original->working.width();
    const double sy = double(original->size.height()) / original->working.height();
    return {static_cast<int>(working.width() * sx) / 4 * 4, static_cast<int>(std::lround(working.height() * sy))};
}

FullSizeResult renderFullSize(const WorkspaceDocument& edited, bool wholeImage, const QString& scratchFolder,
                              const ReplayControl& control) {
    const std::optional<OriginalPicture>& original = edited.original();
    if (!original)
        return failed(Problem::NoOriginal);
    switch (originalState(*original)) {
    case OriginalState::Vanished:
        return failed(Problem::Vanished);
    case OriginalState::Changed:
        return failed(Problem::Changed);
    case OriginalState::Unchanged:
        break;
    }
    if (std::int64_t{original->size.width()} * original->size.height() > kMaxOriginalPixels)
        return failed(Problem::TooLarge);
    try {
        imaging::LoadedPicture loaded;
        if (const imaging::Outcome outcome = imaging::LoadOriginalPhoto(original->path, loaded); !outcome)
            return failed(Problem::Unreadable, QString::fromStdString(outcome.reason));
        // Same length and time, other pixels: not the picture the edits were made on.
        if (QSize(loaded.photo.width, loaded.photo.height) != original->size)
            return failed(Problem::Changed);
        // A folder of its own: the replaying document removes any undo file where it starts and ends.
        const QString folder = QDir(scratchFolder).filePath(QStringLiteral("full-size"));
        if (!QDir().mkpath(folder))
            return failed(Problem::Unreadable, QStringLiteral("no scratch folder could be made for it"));
        ReplayListener listener;
        WorkspaceDocument replay(folder, listener, edited.clientSize(), edited.library());
        replay.stopKeepingHistory();
        std::optional<imaging::PhotoBuffer> pixels =
            replay.replayEdits(edited, std::move(loaded.photo), wholeImage, control);
        if (pixels)
            return {std::move(pixels), Problem::None, {}};
        if (listener.renderFailed)
            return failed(Problem::NoMemory);
        return failed(Problem::Stopped);
    } catch (const std::bad_alloc&) {
        return failed(Problem::NoMemory);
    }
}

QString fullSizeProblemText(const FullSizeResult& result, const WorkspaceDocument& edited) {
    const QString path =
        edited.original() ? QDir::toNativeSeparators(edited.original()->path) : edited.picturePath();
    const QSize size = edited.original() ? edited.original()->size : QSize();
    switch (result.problem) {
    case Problem::None:
    case Problem::Stopped:
        return {};
    case Problem::NoOriginal:
        return QStringLiteral("The photo was not opened from a picture file, so there is no full size to "
                              "make it at.");
    case Problem::Vanished:
        return QStringLiteral("The original photo %1 is no longer there, so the full-size picture cannot "
                              "be made.")
            .arg(path);
    case Problem::Changed:
        return QStringLiteral("The original photo %1 has changed since it was opened, so the full-size "
                              "picture cannot be made from it.")
            .arg(path);
    case Problem::TooLarge:
        return QStringLiteral("The original photo is %1 × %2 pixels; full-size pictures are made of "
                              "originals of up to 100 megapixels.")
            .arg(size.width())
            .arg(size.height());
    case Problem::Unreadable:
        return QStringLiteral("The original photo %1 cannot be read again: %2").arg(path, result.detail);
    case Problem::NoMemory:
        return QStringLiteral("There is not enough memory to make the full-size picture (%1 × %2).")
            .arg(size.width())
            .arg(size.height());
    }
    return {};
}

} // namespace workspace
