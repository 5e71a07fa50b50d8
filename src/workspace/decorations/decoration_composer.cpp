// The composer's drawing of frames, masks, cliparts, decorations and brush strokes. On screen the dear
// parts are kept between compositions (decoration_caches.h); renders for output draw from the same
// pixels without keeping screen-sized layers.
#include "imaging/fit_size.h"
#include "resources/resource_types.h"
#include "workspace/composer_painting.h"
#include "workspace/decorations/decoration_geometry.h"
#include "workspace/decorations/fitted_decoration.h"
#include "workspace/document.h"
#include "workspace/undo/undo_image.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace workspace {

namespace {

// Below this reduction bilinear sampling skips source pixels and fine detail shimmers and breaks up.
constexpr double kReduceFirstBelow = 0.5;

// How much the transform scales each of the picture's axes.
QSizeF axisScales(const QTransform& transform) {
    return {std::hypot(transform.m11(), transform.m12()), std::hypot(transform.m21(), transform.m22())};
}

const QImage& reducedPicture(DecorationCaches& caches, const QImage& picture, QSize size) {
    auto& list = caches.reduced;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->source == picture.cacheKey() && it->size == size) {
            list.splice(list.begin(), list, it);
            return list.front().picture;
        }
    }
    list.push_front(
        {picture.cacheKey(), size, picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)});
    if (list.size() > DecorationCaches::kReducedPictures)
        list.pop_back();
    return list.front().picture;
}

// Draws the picture (0, 0, w, h) through the transform, smoothly, with soft edges when turned. A
// picture shown at less than half its size is first reduced by area averaging, so that it stays smooth
// rather than grainy.
void drawTransformed(QPainter& painter, DecorationCaches& caches, const QImage& picture,
                     const QTransform& transform) {
    if (picture.isNull())
        return;
    const QSizeF scales = axisScales(transform);
    QImage source = picture;
    QTransform toWindow = transform;
    if (scales.width() < kReduceFirstBelow || scales.height() < kReduceFirstBelow) {
        const QSize reduced(
            std::max(1, static_cast<int>(std::ceil(picture.width() * std::min(1.0, scales.width())))),
            std::max(1, static_cast<int>(std::ceil(picture.height() * std::min(1.0, scales.height())))));
        source = reducedPicture(caches, picture, reduced);
        toWindow = QTransform::fromScale(double(picture.width()) / reduced.width(),
                                         double(picture.height()) / reduced.height()) *
                   transform;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    // Turned pictures get soft edges; upright ones keep the crisp edge pixel centres give.
    painter.setRenderHint(QPainter::Antialiasing, toWindow.isRotating());
    painter.setTransform(toWindow, true);
    painter.drawImage(QPointF(0, 0), source);
    painter.restore();
}

bool sameTransform(const QTransform& a, const QTransform& b) {
    return a.m11() == b.m11() && a.m12() == b.m12() && a.m13() == b.m13() && a.m21() == b.m21() &&
           a.m22() == b.m22() && a.m23() == b.m23() && a.m31() == b.m31() && a.m32() == b.m32() &&
           a.m33() == b.m33();
}

// The picture drawn through the transform within the view, on transparent, in the smallest box that
// holds it; kept while the same picture is drawn the same way.
const DecorationCaches::Sprite& spriteOf(DecorationCaches& caches, const QImage& picture,
                                         const QTransform& transform, const Rect& view) {
    auto& list = caches.sprites;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->source == picture.cacheKey() && it->view == view && sameTransform(it->transform, transform)) {
            list.splice(list.begin(), list, it);
            return list.front();
        }
    }
    DecorationCaches::Sprite sprite{picture.cacheKey(), transform, view, {}, {}};
    const QRect bounds = transform.mapRect(QRectF(0, 0, picture.width(), picture.height()))
                             .toAlignedRect()
                             .adjusted(-1, -1, 1, 1) &
                         view.toQRect();
    sprite.origin = bounds.topLeft();
    if (!bounds.isEmpty()) {
        sprite.picture = QImage(bounds.size(), QImage::Format_ARGB32_Premultiplied);
        sprite.picture.fill(Qt::transparent);
        QPainter painter(&sprite.picture);
        painter.translate(-bounds.topLeft());
        drawTransformed(painter, caches, picture, transform);
    }
    list.push_front(std::move(sprite));
    if (list.size() > DecorationCaches::kSprites)
        list.pop_back();
    return list.front();
}

void markSelection(QPainter& painter, const QTransform& transform, int width, int height) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setTransform(transform, true);
    MarkSelection(painter, width, height);
    painter.restore();
}

// The pixels of `area` copied from the B,G,R buffer into the 32-bit picture of the same size.
void copyToRgb32(const imaging::PhotoBuffer& buffer, QImage& copy, const QRect& area) {
    const QRect rows = area & copy.rect();
    for (int y = rows.top(); y <= rows.bottom(); ++y) {
        const std::uint8_t* from = buffer.row(y) + static_cast<std::size_t>(rows.left()) * 3;
        QRgb* to = reinterpret_cast<QRgb*>(copy.scanLine(y)) + rows.left();
        for (int x = 0; x < rows.width(); ++x, from += 3)
            to[x] = 0xFF000000u | (QRgb{from[2]} << 16) | (QRgb{from[1]} << 8) | from[0];
    }
}

// The view's pixels that show canvas pixels `changed` (with a margin for the smoothing).
QRect viewPixelsOf(const QRect& changed, const Rect& view, int canvasWidth, int canvasHeight) {
    const double kx = double(view.width()) / canvasWidth;
    const double ky = double(view.height()) / canvasHeight;
    const int left = static_cast<int>(std::floor(changed.left() * kx)) - 2;
    const int top = static_cast<int>(std::floor(changed.top() * ky)) - 2;
    const int right = static_cast<int>(std::ceil((changed.right() + 1) * kx)) + 2;
    const int bottom = static_cast<int>(std::ceil((changed.bottom() + 1) * ky)) + 2;
    return QRect(QPoint(left, top), QPoint(right, bottom)) & QRect(0, 0, view.width(), view.height());
}

} // namespace

void WorkspaceDocument::drawPictureObject(QPainter& painter, int index, bool forOutput) {
    ObjectRecord& record = objects_.at(index);
    if (auto* frame = std::get_if<FrameObject>(&record))
        ComposeFrame(painter, *frame, forOutput);
    else if (auto* mask = std::get_if<MaskObject>(&record))
        ApplyMask(painter, *mask, forOutput);
    else if (auto* clipart = std::get_if<ClipartObject>(&record))
        ComposeClipart(painter, *clipart, forOutput);
    else if (auto* decoration = std::get_if<DecorationObject>(&record))
        ComposeDecoration(painter, *decoration, forOutput);
    else if (const auto* stroke = std::get_if<BrushStrokeObject>(&record))
        ComposeBrushStroke(painter, *stroke);
}

void WorkspaceDocument::drawCanvasBuffer(QPainter& painter, const imaging::PhotoBuffer& buffer,
                                         ShownBuffer& screen, bool onScreen) {
    if (buffer.empty())
        return;
    if (!onScreen) {
        painter.drawImage(view_.toQRect(), imageOf(buffer));
        return;
    }
    if (screen.copy.size() != QSize(buffer.width, buffer.height)) {
        screen.copy = QImage(buffer.width, buffer.height, QImage::Format_RGB32);
        copyToRgb32(buffer, screen.copy, screen.copy.rect());
        screen.shown = {};
    }
    drawCanvasPicture(painter, screen.copy, screen.shown, onScreen);
}

void WorkspaceDocument::drawCanvasPicture(QPainter& painter, const QImage& picture, StretchedPart& shown,
                                          bool onScreen) {
    if (picture.isNull())
        return;
    if (!onScreen) {
        painter.drawImage(view_.toQRect(), picture);
        return;
    }
    const QRect part = shownViewPart();
    if (part.isEmpty())
        return;
    if (!shown.matches(view_, part)) {
        stretchPart(picture, view_, part, shown.picture);
        shown.over = view_;
        shown.part = part;
    }
    painter.drawImage(part.topLeft(), shown.picture);
}

const imaging::PhotoBuffer& WorkspaceDocument::framePhoto() {
    DecorationCaches::FramePhoto& cache = caches_.framePhoto;
    const int counter = history_.imageCounter();
    if (!cache.valid || cache.counter != counter || cache.photoGeneration != caches_.photoGeneration) {
        cache = {};
        cache.valid = true;
        cache.counter = counter;
        cache.photoGeneration = caches_.photoGeneration;
        // Without a readable record of the current photo, the photo itself is shown.
        if (counter >= 0 && counter < UndoFile::kMaxRecords) {
            if (const std::optional<UndoImageRecord> record = history_.readPhoto(counter)) {
                if (std::optional<imaging::PhotoBuffer> decoded = decodeUndoImage(*record))
                    cache.photo = std::move(*decoded);
            }
        }
    }
    return cache.photo.empty() ? photo_ : cache.photo;
}

const imaging::PhotoBuffer& WorkspaceDocument::backgroundCache() {
    DecorationCaches::Background& cache = caches_.background;
    const QSize area = outputAreaSize();
    const QSize canvas(photo_.width, photo_.height);
    if (cache.valid && cache.area == area && cache.canvas == canvas &&
        cache.backgroundGeneration == caches_.backgroundGeneration)
        return cache.buffer;
    cache.valid = true;
    cache.area = area;
    cache.canvas = canvas;
    cache.backgroundGeneration = caches_.backgroundGeneration;
    imaging::PhotoBuffer& buffer = cache.buffer;
    buffer = {}; // plain white, which the mask rule needs no buffer for
    if (area.width() > canvas.width() && area.height() > canvas.height() && !background_.empty()) {
        buffer.width = canvas.width();
        buffer.height = canvas.height();
        buffer.bgr.assign(buffer.stride() * static_cast<std::size_t>(std::max(0, buffer.height)), 0xFF);
        // The sheet stretched over the whole area, of which the canvas-sized middle is kept.
        QImage target(buffer.bgr.data(), buffer.width, buffer.height, static_cast<qsizetype>(buffer.stride()),
                      QImage::Format_BGR888);
        QPainter painter(&target);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(QRect(-(area.width() - canvas.width()) / 2, -(area.height() - canvas.height()) / 2,
                                area.width(), area.height()),
                          imageOf(background_));
    }
    return buffer;
}

void WorkspaceDocument::ComposeFrame(QPainter& painter, FrameObject& frame, bool forOutput) {
    const bool onScreen = output_.decorations;
    const int cw = photo_.width;
    const int ch = photo_.height;
    const QTransform toWindow = frameTransform(frame, view_, cw, ch);
    const QPolygonF region =
        screenRegion(frame.regionIndex, QRect(0, 0, frame.width, frame.height), toWindow);
    if (!paintsOn(painter.device())) {
        frame.hitRegion = region;
        return;
    }
    // A picture that cannot be read is not drawn, and its object keeps the hit region it had.
    const QImage picture = caches_.pictures->encoded(resources::files::kFrames, frame.resourceIndex);
    if (picture.isNull() || frame.width <= 0 || frame.height <= 0)
        return;
    if (concealed_) {
        frame.hitRegion = region;
        return;
    }

    // A hole of no height or width gives no proportion to crop the photo to: the frame is then laid over
    // the whole photo, as it would lie without a frame.
    if (frameCrop(frame, view_, cw, ch).rect.isEmpty()) {
        if (onScreen)
            painter.drawImage(shownViewPart().topLeft(),
                              stretched(composedPhoto(), stretchedPhoto_, view_, shownViewPart()));
        else
            painter.drawImage(view_.toQRect(), imageOf(composedPhoto()));
    }

    // The photo cropped to the hole's proportions, then the frame over it.
    auto drawFramed = [&](QPainter& target) {
        const imaging::PhotoBuffer& photo = framePhoto();
        const FrameCrop crop = frameCrop(frame, view_, photo.width, photo.height);
        target.save();
        target.setClipRect(view_.toQRect(), Qt::IntersectClip);
        if (!crop.rect.isEmpty()) {
            DecorationCaches::FramePhoto& cache = caches_.framePhoto;
            if (cache.crop.isNull() || cache.cropRect != crop.rect) {
                cache.cropRect = crop.rect;
                // Converted straight from the photo's rows, without first cutting out a copy.
                cache.crop = rgb32Of(photo, crop.rect & QRect(0, 0, photo.width, photo.height));
            }
            drawTransformed(target, caches_, cache.crop, framePhotoTransform(frame, crop, view_, cw, ch));
        }
        drawTransformed(target, caches_, picture, toWindow);
        target.restore();
    };

    if (onScreen) {
        DecorationCaches::FrameLayer& layer = caches_.frame;
        framePhoto(); // brings the counter key up to date
        const DecorationCaches::FrameLayerKey key{frame.resourceIndex,
                                                  frame.angle,
                                                  frame.scale,
                                                  frame.width,
                                                  frame.height,
                                                  frame.hole,
                                                  frame.offsetX,
                                                  frame.offsetY,
                                                  view_,
                                                  shownViewPart(),
                                                  cw,
                                                  ch,
                                                  caches_.framePhoto.counter,
                                                  caches_.photoGeneration};
        if (!layer.valid || !(layer.key == key)) {
            const QRect bounds = toWindow.mapRect(QRectF(0, 0, frame.width, frame.height))
                                     .toAlignedRect()
                                     .adjusted(-1, -1, 1, 1) &
                                 shownViewPart();
            layer = {};
            layer.valid = true;
            layer.key = key;
            layer.origin = bounds.topLeft();
            if (!bounds.isEmpty()) {
                layer.layer = QImage(bounds.size(), QImage::Format_ARGB32_Premultiplied);
                layer.layer.fill(Qt::transparent);
                QPainter layerPainter(&layer.layer);
                layerPainter.translate(-bounds.topLeft());
                drawFramed(layerPainter);
            }
        }
        if (!layer.layer.isNull())
            painter.drawImage(layer.origin, layer.layer);
        frame.hitRegion = region;
    } else {
        drawFramed(painter);
    }
    if (!forOutput && frame.selected == 1)
        markWithHandles(painter, toWindow, frame.width, frame.height);
}

// A selected clipart, mask or frame: the green marks, and the handles wherever they can be dragged.
void WorkspaceDocument::markWithHandles(QPainter& painter, const QTransform& toWindow, int width,
                                        int height) {
    markSelection(painter, toWindow, width, height);
    if (tool_ != ToolCrop && !preview_)
        DrawPictureHandles(painter, pictureHandles(toWindow, width, height), kHandleFill);
}

void WorkspaceDocument::ApplyMask(QPainter& painter, MaskObject& mask, bool forOutput) {
    const bool onScreen = output_.decorations;
    const QTransform toWindow = maskTransform(mask, view_, photo_.width, photo_.height);
    const QPolygonF region = screenRegion(mask.regionIndex, QRect(0, 0, mask.width, mask.height), toWindow);
    if (!paintsOn(painter.device())) {
        mask.hitRegion = region;
        return;
    }
    const std::shared_ptr<const imaging::RasterImage> pixels = caches_.pictures->mask(mask.resourceIndex);
    if (!pixels)
        return;
    if (concealed_) {
        mask.hitRegion = region;
        return;
    }
    DecorationCaches::Masked& cache = caches_.mask;
    const DecorationCaches::MaskKey key{
        mask.resourceIndex,
        {mask.scale * mask.baseFactor, mask.angle, mask.offsetX, mask.offsetY},
        caches_.photoGeneration,
        caches_.backgroundGeneration,
        outputAreaSize()};
    if (!cache.valid || !(cache.key == key)) {
        if (cache.scaledFrom != pixels || cache.scaledAt != key.placement.scale ||
            cache.scaledSmoothly != smoothEnlarging_) {
            cache.scaled = ScaledMask(*pixels, key.placement.scale, smoothEnlarging_);
            cache.scaledFrom = pixels;
            cache.scaledAt = key.placement.scale;
            cache.scaledSmoothly = smoothEnlarging_;
        }
        ApplyMaskPixels(backgroundCache(), photo_, cache.scaled, key.placement.angle, key.placement.offsetX,
                        key.placement.offsetY, cache.picture);
        cache.valid = true;
        cache.key = key;
        cache.shown = {};
    }
    drawCanvasPicture(painter, cache.picture, cache.shown, onScreen);
    if (!forOutput && mask.selected == 1)
        markWithHandles(painter, toWindow, mask.width, mask.height);
    if (onScreen)
        mask.hitRegion = region;
}

void WorkspaceDocument::ComposeClipart(QPainter& painter, ClipartObject& clipart, bool forOutput) {
    const bool onScreen = output_.decorations;
    const QTransform toWindow = clipartTransform(clipart, view_, photo_.width, photo_.height);
    const QPolygonF region =
        screenRegion(clipart.regionIndex, QRect(0, 0, clipart.width, clipart.height), toWindow);
    if (!paintsOn(painter.device())) {
        clipart.hitRegion = region;
        return;
    }
    QImage picture;
    if (clipart.inMemory == 1) {
        if (clipart.resourceIndex >= 0 && clipart.resourceIndex < static_cast<int>(memoryCliparts_.size()))
            picture = memoryCliparts_[static_cast<std::size_t>(clipart.resourceIndex)];
    } else {
        picture = caches_.pictures->raw(resources::files::kCliparts, clipart.resourceIndex);
    }
    if (picture.isNull())
        return;
    if (concealed_) {
        clipart.hitRegion = region;
        return;
    }
    // Scaled below one canvas pixel, a clipart shows nothing.
    if (clipart.width * clipart.scale >= 1 && clipart.height * clipart.scale >= 1) {
        if (onScreen) {
            const QRect part = shownViewPart();
            const DecorationCaches::Sprite& sprite =
                spriteOf(caches_, picture, toWindow, {part.left(), part.top(), part.right() + 1, part.bottom() + 1});
            if (!sprite.picture.isNull())
                painter.drawImage(sprite.origin, sprite.picture);
        } else {
            painter.save();
            painter.setClipRect(view_.toQRect(), Qt::IntersectClip);
            drawTransformed(painter, caches_, picture, toWindow);
            painter.restore();
        }
    }
    if (!forOutput && clipart.selected == 1)
        markWithHandles(painter, toWindow, clipart.width, clipart.height);
    if (onScreen)
        clipart.hitRegion = region;
}

void WorkspaceDocument::ComposeDecoration(QPainter& painter, DecorationObject& decoration, bool forOutput) {
    const bool onScreen = output_.decorations;
    const QRect rect = decorationRect(decoration, view_, photo_.width, photo_.height);
    if (!paintsOn(painter.device())) {
        decoration.hitRegion = QPolygonF(QRectF(rect));
        return;
    }
    const QImage picture =
        caches_.pictures->encoded(resources::files::kDecorations, decoration.resourceIndex);
    if (picture.isNull() || rect.isEmpty())
        return;
    if (onScreen) {
        // A decoration larger than the window (zoomed in) is fitted only where the window shows it.
        const bool whole = rect.width() <= clientSize_.width() && rect.height() <= clientSize_.height();
        const QRect part = whole ? QRect(QPoint(0, 0), rect.size())
                                 : (rect & QRect(QPoint(0, 0), clientSize_)).translated(-rect.topLeft());
        DecorationCaches::FittedDecoration& fitted = caches_.decoration;
        if (fitted.index != decoration.resourceIndex || fitted.size != rect.size() || fitted.part != part ||
            fitted.picture.isNull()) {
            fitted.index = decoration.resourceIndex;
            fitted.size = rect.size();
            fitted.part = part;
            fitted.picture = whole ? fittedDecoration(picture, rect.size())
                                   : fittedDecorationPart(picture, rect.size(), part);
        }
        if (!fitted.picture.isNull())
            painter.drawImage(rect.topLeft() + part.topLeft(), fitted.picture);
        // Drawn where the picture is, also after the window changed size since it was placed.
        decoration.hitRegion = QPolygonF(QRectF(rect));
    } else if (decorationSlices(picture.size(), rect.size()).size() == 1) {
        drawTransformed(painter, caches_, picture,
                        QTransform::fromScale(double(rect.width()) / picture.width(),
                                              double(rect.height()) / picture.height()) *
                            QTransform::fromTranslate(rect.left(), rect.top()));
    } else {
        painter.drawImage(rect.topLeft(), fittedDecoration(picture, rect.size()));
    }
    if (!forOutput && decoration.selected == 1)
        markSelection(painter, QTransform::fromTranslate(rect.left(), rect.top()), rect.width(),
                      rect.height());
}

void WorkspaceDocument::ComposeBrushStroke(QPainter& painter, const BrushStrokeObject& stroke) {
    if (!paintsOn(painter.device()) || concealed_)
        return;
    const bool onScreen = output_.decorations;
    DecorationCaches::PaintedStroke& cache = caches_.stroke;
    const QImage* tip = stroke.tipIndex >= 0 && stroke.tipIndex < static_cast<int>(brushTips_.size())
                            ? &brushTips_[static_cast<std::size_t>(stroke.tipIndex)]
                            : nullptr;
    const qint64 tipKey = tip ? tip->cacheKey() : 0;
    const std::size_t stamps = std::min({stroke.scales.size(), stroke.angles.size(), stroke.opacities.size(),
                                         stroke.xs.size(), stroke.ys.size()});
    auto laidAlready = [&] {
        if (!cache.valid || cache.photoGeneration != caches_.photoGeneration ||
            cache.tipIndex != stroke.tipIndex || cache.tipKey != tipKey || cache.colour != stroke.colour ||
            cache.laid.size() > stamps)
            return false;
        for (std::size_t i = 0; i < cache.laid.size(); ++i) {
            const BrushStamp& laid = cache.laid[i];
            if (laid.scale != stroke.scales[i] || laid.angle != stroke.angles[i] ||
                laid.opacity != stroke.opacities[i] || laid.x != stroke.xs[i] || laid.y != stroke.ys[i])
                return false;
        }
        return true;
    };
    if (!laidAlready()) {
        cache = {};
        cache.valid = true;
        cache.photoGeneration = caches_.photoGeneration;
        cache.tipIndex = stroke.tipIndex;
        cache.tipKey = tipKey;
        cache.colour = stroke.colour;
        cache.buffer = photo_;
    }
    // Only the stamps laid since the last composition are painted.
    if (cache.laid.size() < stamps) {
        const QImage tipPicture =
            tip && !tip->isNull() ? tip->convertToFormat(QImage::Format_ARGB32) : QImage();
        for (std::size_t i = cache.laid.size(); i < stamps; ++i) {
            const BrushStamp stamp{stroke.scales[i], stroke.angles[i], stroke.opacities[i], stroke.xs[i],
                                   stroke.ys[i]};
            cache.changed |= LayBrushStamp(cache.buffer, tipPicture, stamp, stroke.colour, smoothEnlarging_);
            cache.laid.push_back(stamp);
        }
    }
    if (onScreen && !cache.changed.isEmpty() && !cache.screen.copy.isNull()) {
        // Only the new stamps are copied, and only the view pixels over them stretched again, exactly as
        // a whole stretch would make them.
        copyToRgb32(cache.buffer, cache.screen.copy, cache.changed);
        const QRect part = shownViewPart();
        if (cache.screen.shown.matches(view_, part)) {
            QPainter stretch(&cache.screen.shown.picture);
            stretch.translate(-part.topLeft());
            stretch.setClipRect(
                viewPixelsOf(cache.changed, view_, photo_.width, photo_.height).translated(view_.left, view_.top));
            stretch.setRenderHint(QPainter::SmoothPixmapTransform, true);
            stretch.drawImage(view_.toQRect(), cache.screen.copy);
        }
    }
    if (onScreen)
        cache.changed = QRect();
    drawCanvasBuffer(painter, cache.buffer, cache.screen, onScreen);
}

} // namespace workspace
