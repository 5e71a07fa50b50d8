// Placing cliparts (from the library or from pixels of the document's own) and decorations, and the
// brush settings.
#include "resources/resource_library.h"
#include "resources/resource_types.h"
#include "workspace/decorations/decoration_geometry.h"
#include "workspace/document.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace workspace {

namespace {

// Brush stamps are at least a pixel and at most what a tip can sensibly be scaled to.
constexpr int kMaxBrushSize = 4096;
// How far right and down, in window pixels, each further clipart placed without a drop point goes.
constexpr int kCascadeStep = 24;

// Into [low, high): a place past the far edge comes round again from the near one, one short of it
// rises to it, and a range with no room gives its middle.
int wrapInto(int value, int low, int high) {
    if (high <= low)
        return (low + high) / 2;
    if (value < low)
        return low;
    return value < high ? value : low + (value - high) % (high - low);
}

} // namespace

QPoint WorkspaceDocument::nextPlacingPoint() const {
    // Zoomed in, the part of the photo the window shows.
    const Rect area = placingArea();
    const QPoint middle(area.left + area.width() / 2, area.top + area.height() / 2);
    if (!lastClipartOffset_ || !objects_.contains(Clipart))
        return middle;
    const QPointF last =
        screenCentre(view_, photo_.width, photo_.height, lastClipartOffset_->x(), lastClipartOffset_->y());
    // The view moved away from the last one: begin again in the middle of what is shown.
    if (!QRectF(area.toQRect()).contains(last))
        return middle;
    // A step's margin inside the area keeps every centre well on the photo.
    return {wrapInto(static_cast<int>(std::lround(last.x())) + kCascadeStep, area.left + kCascadeStep,
                     area.right - kCascadeStep),
            wrapInto(static_cast<int>(std::lround(last.y())) + kCascadeStep, area.top + kCascadeStep,
                     area.bottom - kCascadeStep)};
}

PlaceResult WorkspaceDocument::PlaceClipart(int index, int x, int y) {
    using resources::files::kCliparts;
    if (!library())
        return PlaceResult::NotFound;
    const QImage picture = caches_.pictures->raw(kCliparts, index);
    if (picture.isNull())
        return unavailable(kCliparts);
    const QSize size = picture.size();
    if (dragging())
        ButtonUp();
    // While a clipart is on the photo, more are simply added; the first flattens the other objects.
    if (!objects_.contains(Clipart) && !FlattenIntoPhoto(false))
        return PlaceResult::NotPlaced;

    ClipartObject clipart;
    clipart.resourceIndex = index;
    clipart.selected = 1;
    clipart.inMemory = 0;
    const QPoint offset = canvasOffsetOf(view_, photo_.width, photo_.height, x, y);
    clipart.offsetX = offset.x();
    clipart.offsetY = offset.y();
    lastClipartOffset_ = offset;
    clipart.width = size.width();
    clipart.height = size.height();
    clipart.regionIndex = addRegion(QRect(QPoint(0, 0), size));
    ClearSelection();
    objects_.append(clipart);
    finishPlacing(true);
    return PlaceResult::Placed;
}

bool WorkspaceDocument::PlaceMemoryClipart(std::span<const std::uint8_t> pixels, int width, int height, int x,
                                           int y, std::optional<text::CalendarMonth> calendar) {
    if (!resources::rawSizeAcceptable(width, height) ||
        pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4)
        return false;
    QImage picture(width, height, QImage::Format_ARGB32);
    if (picture.isNull())
        return false;
    // ARGB32 rows hold width × 4 bytes in the order blue, green, red, alpha: the buffer's own layout.
    for (int row = 0; row < height; ++row)
        std::memcpy(picture.scanLine(row), pixels.data() + static_cast<std::size_t>(row) * width * 4,
                    static_cast<std::size_t>(width) * 4);
    if (dragging())
        ButtonUp();
    if (!objects_.contains(Clipart) && !FlattenIntoPhoto(false))
        return false;
    memoryCliparts_.push_back(std::move(picture));
    memoryClipartCalendars_.push_back(calendar);

    ClipartObject clipart;
    clipart.resourceIndex = static_cast<std::int32_t>(memoryCliparts_.size()) - 1;
    clipart.selected = 1;
    clipart.inMemory = 1;
    const QPoint offset = canvasOffsetOf(view_, photo_.width, photo_.height, x, y);
    clipart.offsetX = offset.x();
    clipart.offsetY = offset.y();
    lastClipartOffset_ = offset;
    clipart.width = width;
    clipart.height = height;
    clipart.regionIndex = addRegion(QRect(0, 0, width, height));
    ClearSelection();
    objects_.append(clipart);
    finishPlacing(true);
    return true;
}

std::optional<text::CalendarMonth> WorkspaceDocument::memoryClipartCalendar(int memoryIndex) const {
    if (memoryIndex < 0 || memoryIndex >= static_cast<int>(memoryClipartCalendars_.size()))
        return std::nullopt;
    return memoryClipartCalendars_[static_cast<std::size_t>(memoryIndex)];
}

PlaceResult WorkspaceDocument::PlaceDecoration(int index) {
    using resources::files::kDecorations;
    if (!library())
        return PlaceResult::NotFound;
    const std::optional<resources::EntryHeader> header = library()->ReadEntryHeader(kDecorations, index);
    if (!header || caches_.pictures->encoded(kDecorations, index).isNull())
        return unavailable(kDecorations);
    if (dragging())
        ButtonUp();
    if (const int existing = firstOfKind(Decoration); existing >= 0)
        removeObjectAt(existing);
    else if (!FlattenIntoPhoto(false))
        return PlaceResult::NotPlaced;

    DecorationObject decoration;
    decoration.resourceIndex = index;
    decoration.selected = 1;
    decoration.width = header->width;
    decoration.height = header->height;
    // A decoration covers the whole view, whatever its picture's shape.
    decoration.regionIndex = addRegion(QRect(0, 0, view_.width(), view_.height()));
    ClearSelection();
    objects_.append(decoration);
    // The object dials do not size or turn a decoration.
    finishPlacing(false);
    return PlaceResult::Placed;
}

void WorkspaceDocument::SetBrush(int tipIndex, bool paintingEnabled, int angle, int opacity, int size,
                                 std::uint32_t colour) {
    brush_.tipIndex = tipIndex < 0 ? -1 : tipIndex;
    brush_.paintingEnabled = paintingEnabled;
    brush_.angle = angle;
    brush_.opacity = std::clamp(opacity, 0, 255);
    brush_.size = std::clamp(size, 1, kMaxBrushSize);
    brush_.colour = colour & 0x00FFFFFF;
}

void WorkspaceDocument::shareResourcePictures(std::shared_ptr<ResourcePictures> pictures) {
    if (!pictures)
        return;
    caches_.forgetLayers();
    caches_.pictures = std::move(pictures);
}

void WorkspaceDocument::forgetResourcePictures() {
    caches_.pictures->forget();
    caches_.forgetLayers();
}

} // namespace workspace
