// The composer: background sheet, photo and objects drawn into the back buffer, or at canvas
// resolution into pixel buffers for flattening and export.
#include "imaging/pixel_rows.h"
#include "text/styled_text_renderer.h"
#include "workspace/composer_painting.h"
#include "workspace/document.h"
#include "workspace/manipulation/hit_testing.h"

#include <QPainter>
#include <cstring>
#include <optional>

namespace workspace {

namespace {

const QColor kBackBufferFill(240, 240, 240);
const QColor kMarginTint(200, 200, 200);
const QColor kCropTint(50, 100, 150);

// The composition's 32-bit pixels as B,G,R rows, written where the buffer already has room: a canvas of a
// large photo is copied once, without a converted picture in between.
void copyInto(const QImage& image, imaging::PhotoBuffer& buffer) {
    buffer.width = image.width();
    buffer.height = image.height();
    buffer.bgr.resize(buffer.stride() * static_cast<std::size_t>(buffer.height));
    if (image.format() != QImage::Format_RGB32) {
        const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
        for (int y = 0; y < buffer.height; ++y)
            std::copy_n(bgr.constScanLine(y), buffer.stride(), buffer.row(y));
        return;
    }
    for (int y = 0; y < buffer.height; ++y)
        imaging::rgb32RowToBgr(reinterpret_cast<const QRgb*>(image.constScanLine(y)), buffer.row(y),
                               buffer.width);
}

// The colour of every pixel of the buffer, when they all have one: a sheet of one colour stretched over
// an area is that colour all over, and filling it costs a fraction of stretching a picture smoothly.
std::optional<QColor> singleColourOf(const imaging::PhotoBuffer& buffer) {
    if (buffer.empty())
        return std::nullopt;
    const std::uint8_t* first = buffer.row(0);
    for (int x = 1; x < buffer.width; ++x)
        if (std::memcmp(first, first + static_cast<std::size_t>(x) * 3, 3) != 0)
            return std::nullopt;
    for (int y = 1; y < buffer.height; ++y)
        if (std::memcmp(first, buffer.row(y), buffer.stride()) != 0)
            return std::nullopt;
    return QColor(first[2], first[1], first[0]);
}

// A frame or a mask shows the photo in a place of its own, over the background.
bool showsFrameOrMask(const ObjectList& objects) {
    return objects.contains(Frame) || objects.contains(Mask);
}

} // namespace

const imaging::PhotoBuffer& WorkspaceDocument::composedPhoto() const {
    return listener_.showsComposition() ? working_ : photo_;
}

Rect WorkspaceDocument::screenViewRect() const {
    return computeViewRect(photo_.width, photo_.height, clientSize_.width(), clientSize_.height());
}

float WorkspaceDocument::canvasPerScreenPixel() const {
    const int viewWidth = screenViewRect().width();
    return viewWidth > 0 ? static_cast<float>(photo_.width) / static_cast<float>(viewWidth) : 0.0f;
}

QSize WorkspaceDocument::outputAreaSize() const {
    const float k = canvasPerScreenPixel();
    if (k <= 0)
        return {};
    const int width = static_cast<int>(k * static_cast<float>(clientSize_.width())) / 4 * 4;
    return QSize(width, static_cast<int>(k * static_cast<float>(clientSize_.height())));
}

QRect WorkspaceDocument::shownViewPart() const {
    return view_.toQRect() & QRect(QPoint(0, 0), clientSize_);
}

const QImage& WorkspaceDocument::stretched(const imaging::PhotoBuffer& source, StretchedPart& cache,
                                           const Rect& over, const QRect& part) {
    if (!cache.matches(over, part)) {
        stretchPart(imageOf(source), over, part, cache.picture);
        cache.over = over;
        cache.part = part;
    }
    return cache.picture;
}

void WorkspaceDocument::forgetStretchedPictures() {
    stretchedPhoto_ = {};
    stretchedBackground_ = {};
    adjustedView_.forget();
}

void WorkspaceDocument::Recompose(bool forOutput) {
    dragLayers_.valid = false; // whatever changed may lie in them
    if (backBuffer_.isNull())
        return;
    composeInto(backBuffer_, forOutput);
    listener_.composed();
}

bool WorkspaceDocument::paintsOn(const QPaintDevice* device) const {
    return device != &backBuffer_ || listener_.showsComposition();
}

// The position of the last object that lays an opaque picture over the whole view, 0 when none does.
int WorkspaceDocument::coveredEnd(int end) {
    if (view_.width() <= 0 || view_.height() <= 0 || photo_.empty())
        return 0;
    for (int i = end - 1; i > 0; --i) {
        const ObjectKind kind = objects_.kind(i);
        if (kind == BrushStroke || kind == ColourAdjust)
            return i;
        if (const MaskObject* mask = objects_.get<MaskObject>(i);
            mask && caches_.pictures->mask(mask->resourceIndex))
            return i;
    }
    return 0;
}

// Whether the object paints nothing outside the view: a stroke, a colour adjustment, or a picture whose
// selection marks are not shown (cliparts and frames are clipped to the view).
bool WorkspaceDocument::paintsWithinView(int index) const {
    switch (objects_.kind(index)) {
    case BrushStroke:
    case ColourAdjust:
        return true;
    case Mask:
    case Clipart:
    case Frame: {
        bool selected = false;
        visitPicture(objects_.at(index), [&](const auto& picture) { selected = picture.selected == 1; });
        return !selected;
    }
    default:
        return false;
    }
}

void WorkspaceDocument::composeInto(QImage& target, bool forOutput) {
    QPainter painter(&target);
    const bool painted = paintsOn(&target);
    const bool framedOrMasked = showsFrameOrMask(objects_);
    // Cut to the canvas, a composition without frame or mask shows none of the background under the photo,
    // and RenderPhotoArea starts the canvas as the photo's pixels.
    const imaging::PhotoBuffer& photo = composedPhoto();
    const bool photoCoversArea = output_.renderToCanvas && !framedOrMasked && !photo.empty();
    // On screen the stretched pictures are kept; renders for output are one-off and draw directly.
    const bool onScreen = &target == &backBuffer_;

    // The drawing area: the client area, or for output the client area in canvas pixels.
    QRect area(QPoint(0, 0), clientSize_);
    if (forOutput && !preview_)
        area = QRect(QPoint(0, 0), outputAreaSize());
    if (output_.renderToCanvas)
        area.translate(-canvasOrigin_);
    // A render for output whose background sheet covers all of it needs no grey below.
    const bool backgroundCovers = !onScreen && !background_.empty() && area.contains(target.rect());
    if (painted && !photoCoversArea && !backgroundCovers)
        painter.fillRect(target.rect(), kBackBufferFill);

    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (painted && !background_.empty() && !photoCoversArea) {
        if (onScreen)
            painter.drawImage(area.topLeft(), stretched(background_, stretchedBackground_,
                                                        {area.left(), area.top(), area.right() + 1,
                                                         area.bottom() + 1},
                                                        area));
        else if (const std::optional<QColor> colour = singleColourOf(background_))
            painter.fillRect(area, *colour);
        else
            painter.drawImage(area, imageOf(background_));
    }
    if (painted && !framedOrMasked && !photo.empty() && !photoCoversArea) {
        if (onScreen)
            painter.drawImage(shownViewPart().topLeft(),
                              stretched(photo, stretchedPhoto_, view_, shownViewPart()));
        else
            painter.drawImage(view_.toQRect(), rgb32Of(photo, QRect(0, 0, photo.width, photo.height)));
    }

    const int objectsEnd =
        output_.objectsEnd < 0 ? objects_.size() : std::min(output_.objectsEnd, objects_.size());
    // On screen, what lies wholly under an opaque picture over the view is not painted; the places of
    // those objects are still brought up to date.
    concealedEnd_ = onScreen && painted ? coveredEnd(objectsEnd) : 0;
    drawObjects(painter, 0, objectsEnd, forOutput);
    concealedEnd_ = 0;
    if (!painted || !output_.overlays)
        return;
    if (output_.decorations)
        drawDecorations(painter, area);
    if (!forOutput && tool_ == ToolCrop)
        drawCropOverlay(painter);
}

void WorkspaceDocument::drawObjects(QPainter& painter, int first, int end, bool forOutput) {
    for (int i = first; i < end; ++i) {
        concealed_ = i < concealedEnd_ && paintsWithinView(i);
        if (text::TextObject* object = objects_.get<text::TextObject>(i))
            drawTextObject(painter, *object, forOutput, i == activeText_);
        else if (const ColourAdjustment* adjustment = objects_.get<ColourAdjustment>(i))
            drawColourAdjustment(painter, *adjustment, forOutput);
        else
            drawPictureObject(painter, i, forOutput);
    }
    concealed_ = false;
}

void WorkspaceDocument::drawDecorations(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(view_.left, view_.top, view_.width() - 1, view_.height() - 1));
    painter.restore();
    const Rect grown{view_.left - 1, view_.top - 1, view_.right + 1, view_.bottom + 1};
    const Rect a{area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
    TintRect(painter, {a.left, a.top, a.right, grown.top}, kMarginTint);
    TintRect(painter, {a.left, grown.bottom, a.right, a.bottom}, kMarginTint);
    TintRect(painter, {a.left, grown.top, grown.left, grown.bottom}, kMarginTint);
    TintRect(painter, {grown.right, grown.top, a.right, grown.bottom}, kMarginTint);
}

void WorkspaceDocument::drawCropOverlay(QPainter& painter) {
    TintRect(painter, {view_.left, view_.top, view_.right, crop_.top}, kCropTint);
    TintRect(painter, {view_.left, crop_.bottom, view_.right, view_.bottom}, kCropTint);
    TintRect(painter, {view_.left, crop_.top, crop_.left, crop_.bottom}, kCropTint);
    TintRect(painter, {crop_.right, crop_.top, view_.right, crop_.bottom}, kCropTint);
    painter.save();
    painter.setPen(Qt::white);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(crop_.left, crop_.top, crop_.width() - 1, crop_.height() - 1));
    painter.restore();
    DrawHandles(painter, crop_, kHandleFill, cropAspect_.constrained);
}

void WorkspaceDocument::drawTextObject(QPainter& painter, text::TextObject& object, bool forOutput,
                                       bool active) {
    const float scale = displayScale_;
    const int vx = static_cast<int>(static_cast<float>(view_.left) * scale);
    const int vy = static_cast<int>(static_cast<float>(view_.top) * scale);
    const int vw = static_cast<int>(static_cast<float>(view_.width()) * scale);
    const int cw = std::max(1, photo_.width);

    text::LogFont font = object.font;
    font.height = static_cast<int>(std::int64_t{vw} * object.font.height / cw);
    const QString value = text::textOf(object);
    const QSize measured = measureTextCell(font, value, object.style);

    Rect placed;
    if (forOutput || preview_) {
        // Placed by its anchor, scaled by how much wider this view is than the one it was last shown in.
        const int anchorWidth = object.anchorViewWidth;
        const int x = anchorWidth > 0 ? static_cast<int>(std::int64_t{object.anchorX} * vw / anchorWidth)
                                      : object.anchorX;
        const int y = anchorWidth > 0 ? static_cast<int>(std::int64_t{object.anchorY} * vw / anchorWidth)
                                      : object.anchorY;
        placed = {vx + x, vy + y, vx + x + measured.width(), vy + y + measured.height()};
    } else {
        // Anchors the text was just placed by are kept: zooming out and in again (whole window pixels
        // each time) must not wander the text away from its place on the photo.
        const int anchorWidth = object.anchorViewWidth;
        const bool placedByAnchor =
            anchorWidth > 0 &&
            object.left == vx + static_cast<int>(std::int64_t{object.anchorX} * vw / anchorWidth) &&
            object.top == vy + static_cast<int>(std::int64_t{object.anchorY} * vw / anchorWidth);
        if (!placedByAnchor) {
            object.anchorX = object.left - vx;
            object.anchorY = object.top - vy;
            object.anchorViewWidth = vw;
        }
        placed = {object.left, object.top, object.left + measured.width(), object.top + measured.height()};
    }

    Rect drawing = placed;
    if (active && draggedTextHandle_ >= 0 && !forOutput) {
        // Sizing by a handle: the edges opposite the handle stay, the others follow the measured size.
        const int w = measured.width();
        const int h = measured.height();
        switch (draggedTextHandle_) {
        case 0:
            object.left = object.right - w;
            object.top = object.bottom - h;
            break;
        case 1:
            object.left = object.right - w;
            break;
        case 2:
            object.left = object.right - w;
            object.bottom = object.top + h;
            break;
        case 3:
            object.bottom = object.top + h;
            break;
        case 4:
            object.right = object.left + w;
            object.bottom = object.top + h;
            break;
        case 5:
            object.right = object.left + w;
            break;
        case 6:
            object.right = object.left + w;
            object.top = object.bottom - h;
            break;
        case 7:
            object.top = object.bottom - h;
            break;
        default:
            break;
        }
        drawing = {object.left, object.top, object.right, object.bottom};
    } else if (!forOutput && !preview_) {
        // The stored rectangle follows the text as it is typed, so clicks find all of it.
        object.right = placed.right;
        object.bottom = placed.bottom;
    }

    if (!paintsOn(painter.device()))
        return;
    text::DrawTextInRect(painter, object.style, value, font, drawing.toQRect(), object.colour,
                         object.secondColour, text::alphaFromTransparency(object.transparency));
    if (object.selected == 1 && !forOutput)
        DrawHandles(painter, drawing, kHandleFill);
}

bool WorkspaceDocument::RenderPhotoArea() {
    if (photo_.empty())
        return false;
    // With nothing over it, cut to the canvas the composition is the photo itself, pixel for pixel: the
    // flattening before a first frame or text need not draw and copy the whole photo for nothing.
    if (objects_.empty())
        return true;
    // Without a frame or mask the photo covers the canvas: the composition starts as its pixels.
    const imaging::PhotoBuffer& photo = composedPhoto();
    QImage canvas = showsFrameOrMask(objects_) ? QImage(photo_.width, photo_.height, QImage::Format_RGB32)
                                               : rgb32Of(photo, QRect(0, 0, photo.width, photo.height));
    if (canvas.isNull())
        return false;
    const Rect kept = view_;
    const Rect screenView = screenViewRect();
    const float k = canvasPerScreenPixel();
    canvasOrigin_ = QPoint(static_cast<int>(static_cast<float>(screenView.left) * k),
                           static_cast<int>(static_cast<float>(screenView.top) * k));
    view_ = {0, 0, photo_.width, photo_.height};
    output_ = {true, false};
    composeInto(canvas, true);
    view_ = kept;
    output_ = {};
    canvasOrigin_ = {};
    copyInto(canvas, photo_);
    return true;
}

std::optional<imaging::PhotoBuffer> WorkspaceDocument::RenderWholeImage() {
    const QSize size = outputAreaSize();
    if (size.isEmpty())
        return std::nullopt;
    QImage whole(size, QImage::Format_RGB32);
    if (whole.isNull())
        return std::nullopt;
    const Rect screenView = screenViewRect();
    const float k = canvasPerScreenPixel();
    const Rect kept = view_;
    view_ = {static_cast<int>(k * static_cast<float>(screenView.left)),
             static_cast<int>(k * static_cast<float>(screenView.top)),
             static_cast<int>(k * static_cast<float>(screenView.right)),
             static_cast<int>(k * static_cast<float>(screenView.bottom))};
    output_.decorations = false;
    composeInto(whole, true);
    view_ = kept;
    output_.decorations = true;
    imaging::PhotoBuffer buffer;
    copyInto(whole, buffer);
    return buffer;
}

} // namespace workspace
