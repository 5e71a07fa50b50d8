// The effect filters: the photo handed to the image library for one operation and taken back.
#include "imaging/filters/image_commands.h"
#include "imaging/image_holder.h"
#include "workspace/document.h"

namespace workspace {

bool WorkspaceDocument::ApplyImageCommand(int operationCode, const PictureWorkRunner& runner) {
    if (!imaging::isImageCommand(operationCode) || photo_.empty())
        return false;
    // Kept so that a stopped filter leaves the photo exactly as it was, objects not yet turned to pixels.
    imaging::PhotoBuffer before = photo_;
    ImageOperation operation{ImageOperation::Kind::Filter,
                             objects_,
                             QSize(photo_.width, photo_.height),
                             std::nullopt,
                             operationCode,
                             backgroundColour_};
    if (!RenderPhotoArea()) {
        listener_.problemOccurred(DocumentProblem::RenderFailed);
        return false;
    }

    imaging::ImageHolder holder;
    if (holder.FromBuffer(photo_.bgr.data(), photo_.width, photo_.height)) {
        imaging::Picture& picture = *holder.Image();
        picture.SetProgress(0);
        picture.SetEscape(0);
        const auto work = [&picture, operationCode] { imaging::RunImageCommand(picture, operationCode); };
        if (runner)
            runner(picture, work);
        else
            work();
        if (picture.GetEscape() != 0) {
            photo_ = std::move(before);
            return false;
        }
        picture.SetProgress(100);
        // A failed operation leaves the picture unchanged, and its unchanged rows come back.
        imaging::PhotoBuffer result;
        result.width = picture.GetWidth();
        result.height = picture.GetHeight();
        result.bgr.resize(result.stride() * static_cast<std::size_t>(result.height));
        for (int row = 0; row < result.height; ++row)
            std::copy_n(picture.GetBits(row), result.stride(), result.row(row));
        photo_ = std::move(result);
    }
    holder.Release();

    objects_.clear();
    activeText_ = -1;
    RecordImageStep(std::move(operation));
    photoChanged();
    // The photo's pixels changed: opening another photo must offer to keep this one.
    modified_ = true;
    Recompose(false);
    listener_.objectSelected(0);
    return true;
}

} // namespace workspace
