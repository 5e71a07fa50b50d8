// The mouse and the keyboard on the canvas: selecting, dragging, sizing by handles, the crop rectangle
// and its aspect, brush strokes, nudging and dropped thumbnails.
#include "resources/resource_types.h"
#include "workspace/decorations/brush_cursor.h"
#include "workspace/decorations/resource_placement.h"
#include "workspace/document.h"
#include "workspace/manipulation/handle_geometry.h"
#include "workspace/manipulation/hit_testing.h"

#include <algorithm>
#include <cmath>

namespace workspace {

using Drag = ManipulationState::Drag;

namespace {

// Texts lower than this start a resize as if they were this high, so the font height never divides by
// a sliver.
constexpr int kMinimumSizingHeight = 12;

// Along the mouse's path brush stamps lie a quarter of the brush size apart, close enough to overlap into
// one continuous line however fast the mouse moves.
constexpr double kStampsPerBrushSize = 4.0;

bool selectedObjectHolds(const ObjectList& objects, int x, int y) {
    for (int i = 0; i < objects.size(); ++i) {
        if (const text::TextObject* text = objects.get<text::TextObject>(i)) {
            if (text->selected == 1 && textRect(*text).contains(x, y))
                return true;
            continue;
        }
        bool holds = false;
        visitPicture(objects.at(i), [&](const auto& picture) {
            holds = picture.selected == 1 && regionHolds(picture.hitRegion, x, y);
        });
        if (holds)
            return true;
    }
    return false;
}

} // namespace

PointerCursor handleCursor(int handle) {
    switch (handle) {
    case 0:
    case 4:
        return PointerCursor::SizeDiagonal;
    case 1:
    case 5:
        return PointerCursor::SizeHorizontal;
    case 2:
    case 6:
        return PointerCursor::SizeAntiDiagonal;
    case 3:
    case 7:
        return PointerCursor::SizeVertical;
    default:
        return PointerCursor::Arrow;
    }
}

// The rectangle whose handles are shown in this tool: the crop rectangle, or the selected active text.
std::optional<Rect> WorkspaceDocument::handleFrame() const {
    if (tool_ == ToolCrop)
        return crop_;
    if (tool_ == ToolText && activeText_ >= 0 && activeText_ < objects_.size()) {
        const text::TextObject* active = objects_.get<text::TextObject>(activeText_);
        if (active && active->selected == 1)
            return textRect(*active);
    }
    return std::nullopt;
}

bool WorkspaceDocument::ButtonDown(int x, int y) {
    if (preview_)
        return false;
    // A release that never arrived (the window lost the mouse) ends the earlier drag first.
    if (dragging())
        ButtonUp();
    EndNudge();
    dragLayers_.valid = false;
    ManipulationState& m = manipulation_;
    m.start = QPoint(x, y);

    const bool cornersOnly = tool_ == ToolCrop && cropAspect_.constrained;
    if (const auto frame = handleFrame()) {
        const int handle = hitHandle(*frame, x, y, cornersOnly);
        if (handle >= 0) {
            m.drag = Drag::Handle;
            m.handle = handle;
            m.startRect = *frame;
            if (tool_ == ToolText) {
                m.startFontHeight = objects_.get<text::TextObject>(activeText_)->font.height;
                setTextHandleDrag(handle);
            }
            return true;
        }
    }
    if (startPictureHandleDrag(x, y))
        return true;
    if (tool_ == ToolCrop && crop_.contains(x, y)) {
        m.drag = Drag::Crop;
        m.startRect = crop_;
        return true;
    }
    const std::optional<QPoint> stamp = strokeOffset(x, y);
    if (startBrushStroke(stamp ? std::span<const QPoint>(&*stamp, 1) : std::span<const QPoint>()))
        return true;
    if (tool_ == ToolCrop)
        return false;

    // A press beside every object drops the selection, as Escape does.
    const int hit = hitObject(objects_, x, y);
    if (hit < 0) {
        ClearSelection();
        Recompose(false);
        selectionChanged();
        return false;
    }
    if (objects_.get<text::TextObject>(hit)) {
        takeText(hit);
        m.drag = Drag::Text;
        m.startRect = textRect(*objects_.get<text::TextObject>(hit));
        Recompose(false);
        return true;
    }
    ClearSelection();
    visitPicture(objects_.at(hit), [](auto& picture) { picture.selected = 1; });
    m.drag = Drag::Pictures;
    m.pictures.clear();
    for (int i = 0; i < objects_.size(); ++i) {
        visitPicture(objects_.at(i), [&](const auto& picture) {
            if (picture.selected == 1)
                m.pictures.push_back({i, picture.offsetX, picture.offsetY});
        });
    }
    Recompose(false);
    selectionChanged();
    return true;
}

// The text becomes the selected and active one, and the text panel shows it.
void WorkspaceDocument::takeText(int index) {
    ClearSelection();
    text::TextObject& object = *objects_.get<text::TextObject>(index);
    object.selected = 1;
    activeText_ = index;
    listener_.editText(object);
    selectionChanged();
}

void WorkspaceDocument::selectionChanged() {
    listener_.objectSelected(SelectedPictureTurn() ? 1 : 0);
}

bool WorkspaceDocument::startBrushStroke(std::span<const QPoint> stamps) {
    const QImage* tip = brushTip();
    if (!brush_.paintingEnabled || !tip)
        return false;
    // Earlier strokes and every other object become photo pixels: a stroke paints over the photo alone.
    FlattenIntoPhoto(false);
    BrushStrokeObject stroke;
    stroke.tipIndex = brush_.tipIndex;
    stroke.colour = brush_.colour;
    stroke.tipWidth = tip->width();
    stroke.tipHeight = tip->height();
    objects_.append(std::move(stroke));
    for (const QPoint offset : stamps)
        layBrushStamp(offset);
    ClearSelection();
    Recompose(false);
    modified_ = true;
    manipulation_.drag = Drag::Brush;
    return true;
}

std::optional<QPoint> WorkspaceDocument::strokeOffset(int x, int y) const {
    if (view_.width() <= 0 || view_.height() <= 0)
        return std::nullopt;
    const std::int64_t vw = view_.width();
    const std::int64_t vh = view_.height();
    return QPoint(static_cast<int>((x - vw / 2 - view_.left) * photo_.width / vw),
                  static_cast<int>((y - vh / 2 - view_.top) * photo_.height / vh));
}

// One stamp with the current brush settings, on the stroke at the end of the list.
void WorkspaceDocument::layBrushStamp(QPoint offset) {
    if (objects_.empty())
        return;
    BrushStrokeObject* stroke = objects_.get<BrushStrokeObject>(objects_.size() - 1);
    if (!stroke || stroke->tipWidth <= 0)
        return;
    stroke->xs.push_back(offset.x());
    stroke->ys.push_back(offset.y());
    stroke->scales.push_back(static_cast<float>(brush_.size) / static_cast<float>(stroke->tipWidth));
    stroke->angles.push_back(static_cast<float>(brush_.angle));
    stroke->opacities.push_back(brush_.opacity);
    manipulation_.lastStamp = offset;
}

// Lays the stamps that fit between the last stamp and the mouse, evenly spaced, so a fast drag whose
// reports lie far apart still paints an unbroken line. True when any was laid.
bool WorkspaceDocument::followBrushPath(int x, int y) {
    const std::optional<QPoint> target = strokeOffset(x, y);
    if (!target)
        return false;
    const double spacing = std::max(1.0, brush_.size / kStampsPerBrushSize);
    const QPointF from = manipulation_.lastStamp;
    const QPointF way = QPointF(*target) - from;
    const double length = std::hypot(way.x(), way.y());
    const int count = static_cast<int>(length / spacing);
    // A stamp whose box misses the canvas paints nothing: a drag far outside the window lays none.
    const QImage* tip = brushTip();
    const double reach = tip ? 0.5 * std::hypot(tip->width(), tip->height()) * brush_.size / tip->width() : 0;
    const QRectF canvas(-photo_.width / 2.0 - reach, -photo_.height / 2.0 - reach, photo_.width + 2 * reach,
                        photo_.height + 2 * reach);
    bool laid = false;
    for (int i = 1; i <= count; ++i) {
        const QPointF at = from + way * (i * spacing / length);
        if (canvas.contains(at)) {
            layBrushStamp(
                QPoint(static_cast<int>(std::lround(at.x())), static_cast<int>(std::lround(at.y()))));
            laid = true;
        }
        manipulation_.lastStamp = at;
    }
    return laid;
}

void WorkspaceDocument::StampStroke(int x, int y) {
    if (manipulation_.drag != Drag::Brush)
        return;
    if (const std::optional<QPoint> offset = strokeOffset(x, y))
        layBrushStamp(*offset);
    Recompose(false);
    modified_ = true;
}

bool WorkspaceDocument::PaintStroke(std::span<const QPoint> offsets) {
    if (preview_ || offsets.empty())
        return false;
    if (dragging())
        ButtonUp();
    EndNudge();
    if (!startBrushStroke(offsets))
        return false;
    ButtonUp();
    return true;
}

PointerCursor WorkspaceDocument::MouseMove(int x, int y, bool snapTurn) {
    if (preview_)
        return PointerCursor::Arrow;
    ManipulationState& m = manipulation_;
    PointerCursor cursor = brush_.paintingEnabled ? PointerCursor::Brush : PointerCursor::Arrow;

    if (m.drag == Drag::Brush && followBrushPath(x, y)) {
        Recompose(false);
        modified_ = true;
    }

    // Over a selected object, or anywhere while one is moving: the move arrow.
    if (selectedObjectHolds(objects_, x, y))
        cursor = PointerCursor::Move;
    if (m.drag == Drag::Pictures || m.drag == Drag::Text || m.drag == Drag::Crop)
        cursor = PointerCursor::Move;

    if (m.drag == Drag::Pictures && tool_ != ToolCrop) {
        movePictures(x, y);
        composeDragStep();
    }
    if (m.drag == Drag::Text && tool_ == ToolText && activeText_ >= 0 && activeText_ < objects_.size()) {
        if (text::TextObject* active = objects_.get<text::TextObject>(activeText_)) {
            const Rect& s = m.startRect;
            const int dx = x - m.start.x();
            const int dy = y - m.start.y();
            const Rect moved = keepTextInView({s.left + dx, s.top + dy, s.right + dx, s.bottom + dy}, view_);
            active->left = moved.left;
            active->top = moved.top;
            active->right = moved.right;
            active->bottom = moved.bottom;
            composeDragStep();
        }
    }
    if (m.drag == Drag::Crop && tool_ == ToolCrop) {
        const Rect& s = m.startRect;
        const int dx = x - m.start.x();
        const int dy = y - m.start.y();
        crop_ = keepCropInView({s.left + dx, s.top + dy, s.right + dx, s.bottom + dy}, view_);
        composeDragStep();
    }
    if (m.drag == Drag::PictureHandle)
        dragPictureHandle(x, y, snapTurn);
    if (m.drag == Drag::None || m.drag == Drag::PictureHandle) {
        const PointerCursor handle = pictureHandleCursor(x, y);
        if (handle != PointerCursor::Arrow)
            cursor = handle;
    }
    const bool textHandles = tool_ == ToolText && m.drag != Drag::Text && m.drag != Drag::Pictures &&
                             m.drag != Drag::PictureHandle;
    if (textHandles || tool_ == ToolCrop) {
        const PointerCursor handle = dragHandle(x, y);
        if (handle != PointerCursor::Arrow)
            cursor = handle;
    }
    return cursor;
}

// Every selected picture follows the mouse from where it was at the press, in canvas pixels.
void WorkspaceDocument::movePictures(int x, int y) {
    if (view_.width() <= 0 || view_.height() <= 0)
        return;
    const ManipulationState& m = manipulation_;
    const double perPixelX = static_cast<double>(photo_.width) / view_.width();
    const double perPixelY = static_cast<double>(photo_.height) / view_.height();
    for (const ManipulationState::PictureStart& start : m.pictures) {
        if (start.index >= objects_.size())
            continue;
        visitPicture(objects_.at(start.index), [&](auto& picture) {
            if (picture.selected != 1 || picture.hitRegion.isEmpty())
                return;
            picture.offsetX = static_cast<std::int32_t>(start.offsetX + (x - m.start.x()) * perPixelX);
            picture.offsetY = static_cast<std::int32_t>(start.offsetY + (y - m.start.y()) * perPixelY);
        });
    }
}

// The handle rule for the crop rectangle or the active text: the cursor of the handle under the point
// (the move arrow inside the rectangle), and while a handle is dragged, the sizing. Arrow when neither.
PointerCursor WorkspaceDocument::dragHandle(int x, int y) {
    const auto frame = handleFrame();
    if (!frame)
        return PointerCursor::Arrow;
    ManipulationState& m = manipulation_;
    const bool constrained = tool_ == ToolCrop && cropAspect_.constrained;
    PointerCursor cursor = PointerCursor::Arrow;
    if (const int handle = hitHandle(*frame, x, y, constrained); handle >= 0)
        cursor = handleCursor(handle);
    else if (frame->contains(x, y))
        cursor = PointerCursor::Move;
    if (m.drag != Drag::Handle)
        return cursor;

    if (tool_ == ToolCrop) {
        Rect sized = resizeByHandle(m.startRect, view_, x, y, m.handle);
        if (constrained)
            sized = constrainToAspect(m.startRect, sized, m.handle, cropAspect_.width, cropAspect_.height);
        crop_ = sized;
    } else {
        text::TextObject* active = objects_.get<text::TextObject>(activeText_);
        Rect start = m.startRect;
        start.bottom = std::max(start.bottom, start.top + kMinimumSizingHeight);
        const Rect sized = resizeByHandle(start, view_, x, y, m.handle);
        // The font follows the rectangle's width + height; it never shrinks to nothing.
        const std::int64_t height = std::int64_t{sized.width() + sized.height()} * m.startFontHeight /
                                    std::max(1, start.width() + start.height());
        const int sign = m.startFontHeight < 0 ? -1 : 1;
        active->font.height = static_cast<std::int32_t>(height == 0 ? sign : height);
        active->left = sized.left;
        active->top = sized.top;
        active->right = sized.right;
        active->bottom = sized.bottom;
    }
    composeDragStep();
    return cursor;
}

void WorkspaceDocument::ButtonUp() {
    ManipulationState& m = manipulation_;
    const Drag drag = m.drag;
    m.drag = Drag::None;
    m.pictures.clear();
    switch (drag) {
    case Drag::None:
        return;
    case Drag::Brush:
        RecordObjectStep();
        return;
    case Drag::Pictures:
    case Drag::Text:
        // Also a press that did not move: the step keeps the new selection.
        RecordObjectStep();
        Recompose(false);
        return;
    case Drag::Crop:
        // The crop rectangle is not part of the history: there is nothing to undo.
        Recompose(false);
        return;
    case Drag::PictureHandle:
        Recompose(false);
        if (endPictureHandleDrag())
            RecordObjectStep();
        return;
    case Drag::Handle: {
        setTextHandleDrag(-1);
        Recompose(false);
        if (tool_ != ToolText || activeText_ < 0 || activeText_ >= objects_.size())
            return;
        const text::TextObject* active = objects_.get<text::TextObject>(activeText_);
        if (active && (active->font.height != m.startFontHeight || textRect(*active) != m.startRect))
            RecordObjectStep();
        return;
    }
    }
}

void WorkspaceDocument::ContextMenuAt(int x, int y) {
    if (tool_ != ToolText || preview_ || dragging())
        return;
    const int hit = hitText(objects_, x, y, true);
    if (hit >= 0) {
        takeText(hit);
    } else {
        ClearSelection();
        selectionChanged();
    }
    Recompose(false);
}

void WorkspaceDocument::SetCropAspect(float widthPart, float heightPart) {
    if (!(widthPart > 0) || !(heightPart > 0)) {
        cropAspect_ = {0, 0, false};
        return;
    }
    crop_ = seatCropRect(crop_, view_, widthPart, heightPart);
    cropAspect_ = {widthPart, heightPart, true};
    Recompose(false);
}

bool WorkspaceDocument::NudgeSelected(int dx, int dy) {
    if (preview_ || dragging() || (dx == 0 && dy == 0))
        return false;
    bool moved = false;
    if (tool_ != ToolCrop) {
        for (int i = 0; i < objects_.size(); ++i) {
            visitPicture(objects_.at(i), [&](auto& picture) {
                if (picture.selected != 1 || picture.hitRegion.isEmpty())
                    return;
                picture.offsetX += dx;
                picture.offsetY += dy;
                moved = true;
            });
        }
    }
    if (const auto frame = tool_ == ToolText ? handleFrame() : std::nullopt;
        frame && photo_.width > 0 && photo_.height > 0) {
        // The text rectangle lives in window pixels: one canvas pixel is a part of one there, so a key
        // press moves the text by at least one window pixel.
        auto toWindow = [](int d, int viewSide, int canvasSide) {
            if (d == 0)
                return 0;
            const int scaled = static_cast<int>(std::lround(double(d) * viewSide / canvasSide));
            return scaled != 0 ? scaled : (d > 0 ? 1 : -1);
        };
        const int wx = toWindow(dx, view_.width(), photo_.width);
        const int wy = toWindow(dy, view_.height(), photo_.height);
        const Rect kept =
            keepTextInView({frame->left + wx, frame->top + wy, frame->right + wx, frame->bottom + wy}, view_);
        if (kept != *frame) {
            text::TextObject& active = *objects_.get<text::TextObject>(activeText_);
            active.left = kept.left;
            active.top = kept.top;
            active.right = kept.right;
            active.bottom = kept.bottom;
            moved = true;
        }
    }
    if (moved) {
        manipulation_.nudged = true;
        Recompose(false);
    }
    return moved;
}

void WorkspaceDocument::EndNudge() {
    if (!manipulation_.nudged)
        return;
    manipulation_.nudged = false;
    RecordObjectStep();
}

PlaceResult WorkspaceDocument::DropThumbnail(int category, int index, int x, int y) {
    using resources::ResourceCategory;
    const auto kind = resources::categoryFromCode(category);
    if (!placement_ || !kind || index < 0 || preview_)
        return PlaceResult::NotFound;
    switch (*kind) {
    case ResourceCategory::Frames:
        return placement_->PlaceFrame(index);
    case ResourceCategory::Masks:
        return placement_->PlaceMask(index);
    case ResourceCategory::Cliparts:
        return placement_->PlaceClipart(index, x, y);
    case ResourceCategory::Decorations:
        return placement_->PlaceDecoration(index);
    case ResourceCategory::Brushes:
        break; // tips are chosen, not placed
    }
    return PlaceResult::NotFound;
}

void WorkspaceDocument::setBrushPictures(std::vector<QImage> tips) {
    brushTips_ = std::move(tips);
}

const QImage* WorkspaceDocument::brushTip() const {
    if (brush_.tipIndex < 0 || brush_.tipIndex >= static_cast<int>(brushTips_.size()))
        return nullptr;
    const QImage& tip = brushTips_[static_cast<std::size_t>(brush_.tipIndex)];
    return tip.isNull() || tip.width() <= 0 ? nullptr : &tip;
}

QImage WorkspaceDocument::brushCursorImage() const {
    const QImage* tip = brushTip();
    if (!tip || photo_.width <= 0)
        return {};
    // The stamp is `size` canvas pixels wide; the screen shows the canvas at view width / canvas width.
    const double width = double(brush_.size) * view_.width() / photo_.width;
    return brushCursorPicture(*tip, width, brush_.angle, brush_.colour);
}

} // namespace workspace
