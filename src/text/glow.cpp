#include "glow.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace text {
namespace {

// Beyond this many pixels a glow would only exhaust memory; such a text is far larger than any view.
constexpr std::int64_t kMaxGlowPixels = 64LL * 1024 * 1024;

// Where each output pixel samples the small picture: the first of its four source taps and their
// weights in 1/256, summing to 256.
struct Taps {
    std::vector<int> first;
    std::vector<std::array<std::uint32_t, 4>> weights;
};

// Output pixel i (counted from `start`) has its centre at (start + i + 0.5) / factor in small-picture
// coordinates, whose pixel centres lie at j + 0.5 from `smallStart`.
Taps tapsFor(int start, int count, int factor, int smallStart) {
    Taps taps;
    taps.first.resize(static_cast<std::size_t>(count));
    taps.weights.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double s = (start + i + 0.5) / factor - 0.5;
        const double base = std::floor(s);
        const double t = s - base;
        const double t2 = t * t;
        const double t3 = t2 * t;
        const auto w1 = static_cast<std::uint32_t>(std::lround((3 * t3 - 6 * t2 + 4) / 6 * 256));
        const auto w2 = static_cast<std::uint32_t>(std::lround((-3 * t3 + 3 * t2 + 3 * t + 1) / 6 * 256));
        const auto w3 = static_cast<std::uint32_t>(std::lround(t3 / 6 * 256));
        const auto index = static_cast<std::size_t>(i);
        taps.first[index] = static_cast<int>(base) - 1 - smallStart;
        taps.weights[index] = {256 - w1 - w2 - w3, w1, w2, w3};
    }
    return taps;
}

// First small-picture pixel that any of `count` output pixels from `start` reads, and how many.
std::pair<int, int> smallSpan(int start, int count, int factor) {
    const auto firstBase = static_cast<int>(std::floor((start + 0.5) / factor - 0.5));
    const auto lastBase = static_cast<int>(std::floor((start + count - 0.5) / factor - 0.5));
    return {firstBase - 1, lastBase - firstBase + 4};
}

// Separable B-spline enlargement of the premultiplied small picture into `out`.
void enlarge(const QImage& small, const Taps& across, const Taps& down, QImage& out) {
    const int width = out.width();
    const int smallHeight = small.height();
    // Pass 1: each small row stretched across, in 1/256 units.
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(smallHeight) * static_cast<std::size_t>(width) *
                                    4);
    for (int y = 0; y < smallHeight; ++y) {
        const auto* source = reinterpret_cast<const std::uint8_t*>(small.constScanLine(y));
        std::uint32_t* target =
            rows.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4;
        for (int x = 0; x < width; ++x) {
            const auto index = static_cast<std::size_t>(x);
            const std::uint8_t* tap = source + static_cast<std::ptrdiff_t>(across.first[index]) * 4;
            const auto& w = across.weights[index];
            for (int c = 0; c < 4; ++c)
                target[index * 4 + static_cast<std::size_t>(c)] =
                    w[0] * tap[c] + w[1] * tap[4 + c] + w[2] * tap[8 + c] + w[3] * tap[12 + c];
        }
    }
    // Pass 2: down the columns, back to bytes with rounding.
    const std::size_t rowValues = static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < out.height(); ++y) {
        const auto& w = down.weights[static_cast<std::size_t>(y)];
        const std::uint32_t* r0 =
            rows.data() + static_cast<std::size_t>(down.first[static_cast<std::size_t>(y)]) * rowValues;
        const std::uint32_t* r1 = r0 + rowValues;
        const std::uint32_t* r2 = r1 + rowValues;
        const std::uint32_t* r3 = r2 + rowValues;
        auto* target = reinterpret_cast<std::uint8_t*>(out.scanLine(y));
        for (std::size_t i = 0; i < rowValues; ++i)
            target[i] = static_cast<std::uint8_t>(
                (w[0] * r0[i] + w[1] * r1[i] + w[2] * r2[i] + w[3] * r3[i] + 32768) >> 16);
    }
}

// The part of the target's logical plane that its device shows.
QRect visibleArea(const QPainter& target) {
    const QPaintDevice* device = target.device();
    if (!device)
        return {};
    bool invertible = false;
    const QTransform toLogical = target.combinedTransform().inverted(&invertible);
    if (!invertible)
        return {};
    return toLogical.mapRect(QRectF(0, 0, device->width(), device->height())).toAlignedRect();
}

} // namespace

void drawGlow(QPainter& target, const QRectF& area, int factor, const std::function<void(QPainter&)>& paint) {
    if (factor < 2 || area.isEmpty())
        return;
    const int spread = 2 * factor;
    const QRect region =
        area.toAlignedRect().adjusted(-spread, -spread, spread, spread) & visibleArea(target);
    if (region.isEmpty() || static_cast<std::int64_t>(region.width()) * region.height() > kMaxGlowPixels)
        return;

    const auto [smallLeft, smallWidth] = smallSpan(region.left(), region.width(), factor);
    const auto [smallTop, smallHeight] = smallSpan(region.top(), region.height(), factor);
    QImage small(smallWidth, smallHeight, QImage::Format_ARGB32_Premultiplied);
    QImage out(region.size(), QImage::Format_ARGB32_Premultiplied);
    if (small.isNull() || out.isNull())
        return;
    small.fill(Qt::transparent);
    {
        QPainter painter(&small);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.setTransform(QTransform(1.0 / factor, 0, 0, 1.0 / factor, -smallLeft, -smallTop));
        paint(painter);
    }
    enlarge(small, tapsFor(region.left(), region.width(), factor, smallLeft),
            tapsFor(region.top(), region.height(), factor, smallTop), out);
    target.drawImage(region.topLeft(), out);
}

} // namespace text
