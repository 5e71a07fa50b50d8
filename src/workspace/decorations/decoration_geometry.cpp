#include "workspace/decorations/decoration_geometry.h"

#include "imaging/fit_size.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace workspace {

namespace {

double viewPerCanvasX(const Rect& view, int canvasWidth) {
    return canvasWidth > 0 ? static_cast<double>(view.width()) / canvasWidth : 0.0;
}

double viewPerCanvasY(const Rect& view, int canvasHeight) {
    return canvasHeight > 0 ? static_cast<double>(view.height()) / canvasHeight : 0.0;
}

// translate(-w / 2, -h / 2), scale, [shift,] rotate, translate to the centre: the order every picture of
// the workspace is placed in.
QTransform placed(double width, double height, double scaleX, double scaleY, QPointF shift, float angle,
                  QPointF centre) {
    QTransform turn;
    turn.rotate(std::isfinite(angle) ? angle : 0.0f);
    return QTransform::fromTranslate(-width / 2, -height / 2) * QTransform::fromScale(scaleX, scaleY) *
           QTransform::fromTranslate(shift.x(), shift.y()) * turn *
           QTransform::fromTranslate(centre.x(), centre.y());
}

bool holeUsable(const PhotoHole& hole) {
    return std::isfinite(hole.left) && std::isfinite(hole.top) && std::isfinite(hole.right) &&
           std::isfinite(hole.bottom) && hole.left >= 0 && hole.top >= 0 && hole.right <= 1 &&
           hole.bottom <= 1 && hole.left < hole.right && hole.top < hole.bottom;
}

} // namespace

float scaleFromDial(int value) {
    return std::max(kMinimumObjectScale, static_cast<float>(value) / 180.0f + 1.0f);
}

int scaleReadoutPercent(int value) {
    const int share = value * 100 / 180;
    return share < -90 ? 10 : share + 100;
}

int scaleDialFor(double scale) {
    return std::clamp(static_cast<int>(std::lround((scale - 1.0) * 180.0)), -180, 180);
}

int angleDialFor(double angle) {
    return static_cast<int>(std::lround(std::remainder(angle, 360.0)));
}

QPointF screenCentre(const Rect& view, int canvasWidth, int canvasHeight, int offsetX, int offsetY) {
    return {view.left + view.width() / 2.0 + viewPerCanvasX(view, canvasWidth) * offsetX,
            view.top + view.height() / 2.0 + viewPerCanvasY(view, canvasHeight) * offsetY};
}

QSize frameDisplaySize(const Rect& view, int width, int height) {
    const imaging::FittedSize fitted = imaging::FitSize(view.width(), view.height(), width, height, true);
    return {static_cast<int>(fitted.width * kFrameViewShare),
            static_cast<int>(fitted.height * kFrameViewShare)};
}

QRect frameCropRect(int canvasWidth, int canvasHeight, int holeWidth, int holeHeight) {
    if (canvasWidth <= 0 || canvasHeight <= 0 || holeWidth <= 0 || holeHeight <= 0)
        return {};
    const float aspect = static_cast<float>(holeWidth) / static_cast<float>(holeHeight);
    const float photoAspect = static_cast<float>(canvasWidth) / static_cast<float>(canvasHeight);
    if (aspect >= photoAspect) {
        const int height = static_cast<int>(static_cast<float>(canvasHeight) * photoAspect / aspect);
        if (height <= 0)
            return {};
        return {0, (canvasHeight - height) / 2, canvasWidth, height};
    }
    const int width = static_cast<int>(static_cast<float>(canvasWidth) * aspect / photoAspect);
    if (width <= 0)
        return {};
    return {(canvasWidth - width) / 2, 0, width, canvasHeight};
}

FrameCrop frameCrop(const FrameObject& frame, const Rect& view, int canvasWidth, int canvasHeight) {
    FrameCrop crop;
    if (!holeUsable(frame.hole))
        return crop;
    const QSize shown = frameDisplaySize(view, frame.width, frame.height);
    crop.hole = QSizeF(shown.width() * double(frame.hole.right - frame.hole.left),
                       shown.height() * double(frame.hole.bottom - frame.hole.top));
    crop.holeWidth = static_cast<int>(shown.width() * (frame.hole.right - frame.hole.left));
    crop.holeHeight = static_cast<int>(shown.height() * (frame.hole.bottom - frame.hole.top));
    crop.rect = frameCropRect(canvasWidth, canvasHeight, crop.holeWidth, crop.holeHeight);
    return crop;
}

QTransform frameTransform(const FrameObject& frame, const Rect& view, int canvasWidth, int canvasHeight) {
    if (frame.width <= 0 || frame.height <= 0)
        return {};
    const QSize shown = frameDisplaySize(view, frame.width, frame.height);
    return placed(frame.width, frame.height, double(shown.width()) / frame.width * frame.scale,
                  double(shown.height()) / frame.height * frame.scale, {}, frame.angle,
                  screenCentre(view, canvasWidth, canvasHeight, frame.offsetX, frame.offsetY));
}

QTransform framePhotoTransform(const FrameObject& frame, const FrameCrop& crop, const Rect& view,
                               int canvasWidth, int canvasHeight) {
    if (crop.rect.isEmpty())
        return {};
    const QSize shown = frameDisplaySize(view, frame.width, frame.height);
    const QPointF holeCentre(((frame.hole.left + frame.hole.right) / 2 - 0.5) * shown.width() * frame.scale,
                             ((frame.hole.top + frame.hole.bottom) / 2 - 0.5) * shown.height() * frame.scale);
    // The hole's exact size at the frame's scale, and a window pixel more on every side.
    const double width = crop.hole.width() * frame.scale + 2 * kFramePhotoBleed;
    const double height = crop.hole.height() * frame.scale + 2 * kFramePhotoBleed;
    return placed(crop.rect.width(), crop.rect.height(), width / crop.rect.width(),
                  height / crop.rect.height(), holeCentre, frame.angle,
                  screenCentre(view, canvasWidth, canvasHeight, frame.offsetX, frame.offsetY));
}

QTransform maskTransform(const MaskObject& mask, const Rect& view, int canvasWidth, int canvasHeight) {
    const double scale = viewPerCanvasX(view, canvasWidth) * mask.scale * mask.baseFactor;
    return placed(mask.width, mask.height, scale, scale, {}, mask.angle,
                  screenCentre(view, canvasWidth, canvasHeight, mask.offsetX, mask.offsetY));
}

QTransform clipartTransform(const ClipartObject& clipart, const Rect& view, int canvasWidth,
                            int canvasHeight) {
    const double scale = viewPerCanvasX(view, canvasWidth) * clipart.scale;
    return placed(clipart.width, clipart.height, scale, scale, {}, clipart.angle,
                  screenCentre(view, canvasWidth, canvasHeight, clipart.offsetX, clipart.offsetY));
}

QRect decorationRect(const DecorationObject& decoration, const Rect& view, int canvasWidth,
                     int canvasHeight) {
    const int left = static_cast<int>(view.left + viewPerCanvasX(view, canvasWidth) * decoration.offsetX);
    const int top = static_cast<int>(view.top + viewPerCanvasY(view, canvasHeight) * decoration.offsetY);
    return {left, top, view.width(), view.height()};
}

std::vector<DecorationSlice> decorationSlices(QSize picture, QSize area) {
    if (picture.isEmpty() || area.isEmpty())
        return {};
    const imaging::FittedSize fitted =
        imaging::FitSize(area.width(), area.height(), picture.width(), picture.height(), true);
    if (std::abs(fitted.width - area.width()) <= 1 && std::abs(fitted.height - area.height()) <= 1)
        return {{QRect(QPoint(0, 0), picture), QRect(QPoint(0, 0), area)}};
    const int pictureShorter = std::min(picture.width(), picture.height());
    const int areaShorter = std::min(area.width(), area.height());
    const int corner = pictureShorter / 4;
    const int shown =
        std::min(static_cast<int>(std::lround(static_cast<double>(corner) * areaShorter / pictureShorter)),
                 areaShorter / 2);
    // Where the three bands of one axis start and end: corner, stretched middle, corner.
    const auto bands = [](int length, int cornerLength) {
        return std::array<int, 4>{0, cornerLength, length - cornerLength, length};
    };
    const std::array<int, 4> sourceX = bands(picture.width(), corner);
    const std::array<int, 4> sourceY = bands(picture.height(), corner);
    const std::array<int, 4> targetX = bands(area.width(), shown);
    const std::array<int, 4> targetY = bands(area.height(), shown);
    std::vector<DecorationSlice> slices;
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t column = 0; column < 3; ++column) {
            const QRect source(QPoint(sourceX[column], sourceY[row]),
                               QPoint(sourceX[column + 1] - 1, sourceY[row + 1] - 1));
            const QRect target(QPoint(targetX[column], targetY[row]),
                               QPoint(targetX[column + 1] - 1, targetY[row + 1] - 1));
            if (!source.isEmpty() && !target.isEmpty())
                slices.push_back({source, target});
        }
    }
    return slices;
}

QPoint canvasOffsetOf(const Rect& view, int canvasWidth, int canvasHeight, int x, int y) {
    const std::int64_t vw = view.width();
    const std::int64_t vh = view.height();
    if (vw <= 0 || vh <= 0)
        return {};
    return {static_cast<int>((x - vw / 2 - view.left) * canvasWidth / vw),
            static_cast<int>((y - vh / 2 - view.top) * canvasHeight / vh)};
}

} // namespace workspace
