// Full-size results: the edits of the record made again on the original picture, through the same
// operations and the same composer as the working copy.
#include "text/calendar/calendar_picture.h"
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

void WorkspaceDocument::redrawCalendars(double factor) {
    if (!(factor > 1))
        return;
    for (std::size_t i = 0; i < memoryCliparts_.size() && i < memoryClipartCalendars_.size(); ++i) {
        if (!memoryClipartCalendars_[i])
            continue;
        // Without the memory for the larger picture, the one placed is enlarged as before.
        if (QImage drawn = text::scaledCalendarPicture(*memoryClipartCalendars_[i], factor); !drawn.isNull())
            memoryCliparts_[i] = std::move(drawn);
    }
}

void WorkspaceDocument::fitRedrawnCalendars() {
    for (int i = 0; i < objects_.size(); ++i) {
        ClipartObject* clipart = objects_.get<ClipartObject>(i);
        if (!clipart || clipart->inMemory != 1 || !memoryClipartCalendar(clipart->resourceIndex))
            continue;
        const QImage& picture = memoryCliparts_[static_cast<std::size_t>(clipart->resourceIndex)];
        if (picture.width() == clipart->width || clipart->width <= 0)
            continue;
        // The larger picture at a scale smaller by as much: the same place on the photo.
        clipart->scale = static_cast<float>(clipart->scale * clipart->width / picture.width());
        clipart->width = picture.width();
        clipart->height = picture.height();
    }
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
    // Stepped mask and stroke edges would show at the larger size.
    smoothEnlarging_ = true;
    memoryCliparts_ = edited.memoryCliparts_;
    memoryClipartCalendars_ = edited.memoryClipartCalendars_;
    regions_ = edited.regions_;
    photo_ = std::move(original);
    // Calendars are drawn again at the full size: enlarged, their lettering would blur.
    if (edited.original_ && !edited.original_->working.isEmpty())
        redrawCalendars(double(photo_.width) / edited.original_->working.width());
    photoChanged();

    const auto stopped = [&control] { return control.stopped && control.stopped(); };
    for (const ImageOperation& operation : operations) {
        if (stopped())
            return std::nullopt;
        const double sx = double(photo_.width) / std::max(1, operation.canvas.width());
        const double sy = double(photo_.height) / std::max(1, operation.canvas.height());
        objects_ = scaledObjects(operation.objects, sx, sy);
        fitRedrawnCalendars();
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
    fitRedrawnCalendars();
    activeText_ = -1;
    return flattenForExport(wholeImage);
}

} // namespace workspace
