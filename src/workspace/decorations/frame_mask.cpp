// Placing frames and masks, and the scale and angle the object dials give the selected picture.
#include "resources/resource_library.h"
#include "resources/resource_types.h"
#include "workspace/decorations/decoration_geometry.h"
#include "workspace/document.h"
#include "workspace/manipulation/hit_testing.h"

namespace workspace {

namespace {

// A mask's base factor: the canvas width it was placed on, in units of 1024 pixels.
constexpr float kMaskBaseWidth = 1024.0f;

PhotoHole holeOf(const resources::PhotoHole& hole) {
    return {hole.left, hole.top, hole.right, hole.bottom};
}

// The first selected clipart, mask or frame, what the object dials turn and size, goes to `visit`. Returns
// its position, -1 when there is none.
template <typename Objects, typename Visit> int visitSelectedPicture(Objects& objects, Visit visit) {
    for (int i = 0; i < objects.size(); ++i) {
        bool found = false;
        std::visit(
            [&](auto& record) {
                using T = std::decay_t<decltype(record)>;
                if constexpr (std::is_same_v<T, ClipartObject> || std::is_same_v<T, MaskObject> ||
                              std::is_same_v<T, FrameObject>) {
                    if (record.selected == 1) {
                        visit(record);
                        found = true;
                    }
                }
            },
            objects.at(i));
        if (found)
            return i;
    }
    return -1;
}

} // namespace

int WorkspaceDocument::addRegion(const QRect& region) {
    regions_.push_back(region);
    return static_cast<int>(regions_.size()) - 1;
}

QPolygonF WorkspaceDocument::screenRegion(int regionIndex, QRect fallback,
                                          const QTransform& transform) const {
    const QRect region = regionIndex >= 0 && regionIndex < static_cast<int>(regions_.size())
                             ? regions_[static_cast<std::size_t>(regionIndex)]
                             : fallback;
    return transform.map(QPolygonF(QRectF(region)));
}

void WorkspaceDocument::removeObjectAt(int index) {
    objects_.removeAt(index);
    if (activeText_ == index)
        activeText_ = -1;
    else if (activeText_ > index)
        --activeText_;
}

int WorkspaceDocument::firstOfKind(ObjectKind kind) const {
    for (int i = 0; i < objects_.size(); ++i)
        if (objects_.kind(i) == kind)
            return i;
    return -1;
}

// A missing library or category file is no error to report; a file that is there but cannot give the
// entry is damaged.
PlaceResult WorkspaceDocument::unavailable(const QString& fileName) const {
    return caches_.pictures->fileExists(fileName) ? PlaceResult::Unreadable : PlaceResult::NotFound;
}

// The end every placing shares: painting stops, one undo step, the new composition, and the main window
// told that an object was placed and whether the object dials apply to it.
void WorkspaceDocument::finishPlacing(bool turnable) {
    brush_.paintingEnabled = false;
    RecordObjectStep();
    Recompose(false);
    modified_ = true;
    listener_.objectPlaced();
    listener_.objectSelected(turnable ? 1 : 0);
}

PlaceResult WorkspaceDocument::PlaceFrame(int index) {
    using resources::files::kFrames;
    if (!library())
        return PlaceResult::NotFound;
    // The picture is read before anything changes, so a damaged entry leaves the document as it was.
    const std::optional<resources::EntryHeader> header = library()->ReadEntryHeader(kFrames, index);
    if (!header || !header->hole || caches_.pictures->encoded(kFrames, index).isNull())
        return unavailable(kFrames);
    if (dragging())
        ButtonUp();

    // One frame at a time: a new one replaces the old; the first flattens what lies on the photo, which
    // the frame then shows.
    if (const int existing = firstOfKind(Frame); existing >= 0) {
        removeObjectAt(existing);
    } else if (!FlattenIntoPhoto(false)) {
        return PlaceResult::NotPlaced;
    }

    FrameObject frame;
    frame.resourceIndex = index;
    frame.selected = 1;
    frame.width = header->width;
    frame.height = header->height;
    frame.hole = holeOf(*header->hole);
    const QSize shown = frameDisplaySize(view_, frame.width, frame.height);
    frame.displayWidth = shown.width();
    frame.displayHeight = shown.height();
    frame.regionIndex = addRegion(QRect(0, 0, frame.width, frame.height));
    ClearSelection();
    objects_.append(frame);
    finishPlacing(true);
    return PlaceResult::Placed;
}

PlaceResult WorkspaceDocument::PlaceMask(int index) {
    using resources::files::kMasks;
    if (!library())
        return PlaceResult::NotFound;
    const std::shared_ptr<const imaging::RasterImage> pixels = caches_.pictures->mask(index);
    if (!pixels)
        return unavailable(kMasks);
    const int width = pixels->width;
    const int height = pixels->height;
    if (dragging())
        ButtonUp();

    if (const int existing = firstOfKind(Mask); existing >= 0) {
        removeObjectAt(existing);
    } else if (!FlattenIntoPhoto(false)) {
        return PlaceResult::NotPlaced;
    }

    MaskObject mask;
    mask.resourceIndex = index;
    mask.selected = 1;
    mask.width = width;
    mask.height = height;
    mask.baseFactor = static_cast<float>(photo_.width) / kMaskBaseWidth;
    mask.regionIndex = addRegion(QRect(0, 0, width, height));
    ClearSelection();
    objects_.append(mask);
    finishPlacing(true);
    return PlaceResult::Placed;
}

bool WorkspaceDocument::SetSelectedScale(int value) {
    const float scale = scaleFromDial(value);
    const int changed = visitSelectedPicture(objects_, [scale](auto& picture) { picture.scale = scale; });
    composeChangeOf(changed);
    return changed >= 0;
}

bool WorkspaceDocument::SetSelectedAngle(int value) {
    const int changed =
        visitSelectedPicture(objects_, [value](auto& picture) { picture.angle = static_cast<float>(value); });
    composeChangeOf(changed);
    return changed >= 0;
}

// A dial turned step by step changes one object again and again: it alone is drawn afresh, between the
// layers kept for it.
void WorkspaceDocument::composeChangeOf(int index) {
    if (index < 0 || preview_)
        Recompose(false);
    else
        composeBetweenLayers(index, index);
}

std::optional<PictureTurn> WorkspaceDocument::SelectedPictureTurn() const {
    PictureTurn turn;
    const auto take = [&turn](const auto& picture) { turn = {picture.angle, picture.scale}; };
    if (visitSelectedPicture(objects_, take) < 0)
        return std::nullopt;
    return turn;
}

} // namespace workspace
