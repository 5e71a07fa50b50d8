// Full-size results: the edits of the record made again on the original picture, through the same
// operations and the same composer as the working copy.
#include "workspace/document.h"
#include "workspace/scaled_objects.h"

namespace workspace {

bool WorkspaceDocument::hasLargerOriginal() const {
    if (!original_)
        return false;
    return std::int64_t{original_->size.width()} * original_->size.height() >
           std::int64_t{original_->working.width()} * original_->working.height();
}

ObjectList WorkspaceDocument::objectsScaledFrom(const ObjectList& objects, QSize canvas) const {
    return scaledObjects(objects, double(photo_.width) / std::max(1, canvas.width()),
                         double(photo_.height) / std::max(1, canvas.height()));
}

std::optional<imaging::PhotoBuffer> WorkspaceDocument::replayEdits(const WorkspaceDocument& edited,
                                                                   imaging::PhotoBuffer original,
                                                                   bool wholeImage,
                                                                   const ReplayControl& control) {
    const std::vector<ImageOperation> operations = edited.history_.operations();
    resizeClient(edited.clientSize_);
    setBackground(edited.background_);
    shareResourcePictures(edited.caches_.pictures);
    brushTips_ = edited.brushTips_;
    memoryCliparts_ = edited.memoryCliparts_;
    regions_ = edited.regions_;
    photo_ = std::move(original);
    photoChanged();

    const auto stopped = [&control] { return control.stopped && control.stopped(); };
    for (const ImageOperation& operation : operations) {
        if (stopped())
            return std::nullopt;
        const double sx = double(photo_.width) / std::max(1, operation.canvas.width());
        const double sy = double(photo_.height) / std::max(1, operation.canvas.height());
        objects_ = scaledObjects(operation.objects, sx, sy);
        activeText_ = -1;
        bool made = false;
        if (operation.kind == ImageOperation::Kind::Filter) {
            made = ApplyImageCommand(operation.filter, control.runner);
        } else {
            std::optional<CanvasCut> cut;
            if (operation.cut)
                cut = scaledCut(*operation.cut, sx, sy, photo_.width, photo_.height);
            made = flattenCutting(cut, operation.kind);
        }
        if (!made)
            return std::nullopt;
    }
    if (stopped())
        return std::nullopt;
    objects_ = objectsScaledFrom(edited.objects_, QSize(edited.photo_.width, edited.photo_.height));
    activeText_ = -1;
    return flattenForExport(wholeImage);
}

} // namespace workspace
