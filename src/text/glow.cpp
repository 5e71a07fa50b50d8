#include "glow.h"

#include "visible_area.h"

#include <QImage>
#include <QPainter>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
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
    std::vector<std::array<std::uint16_t, 4>> weights;
};

// Cubic B-spline weights in 1/256 for a sample at fraction t past the second of four taps.
std::array<std::uint16_t, 4> splineWeights(double t) {
    const double t2 = t * t;
    const double t3 = t2 * t;
    const auto w1 = static_cast<std::uint16_t>(std::lround((3 * t3 - 6 * t2 + 4) / 6 * 256));
    const auto w2 = static_cast<std::uint16_t>(std::lround((-3 * t3 + 3 * t2 + 3 * t + 1) / 6 * 256));
    const auto w3 = static_cast<std::uint16_t>(std::lround(t3 / 6 * 256));
    return {static_cast<std::uint16_t>(256 - w1 - w2 - w3), w1, w2, w3};
}

// Floor of the small-picture coordinate of output pixel x's centre, measured from the small pixel
// centres: (x + 0.5) / factor - 0.5 = (2x + 1 - factor) / (2 factor). Also gives the remainder.
std::pair<int, int> sampleBase(int x, int factor) {
    const int numerator = 2 * x + 1 - factor;
    const int denominator = 2 * factor;
    int base = numerator / denominator;
    int remainder = numerator % denominator;
    if (remainder < 0) {
        --base;
        remainder += denominator;
    }
    return {base, remainder};
}

// Output pixel i (counted from `start`) reads four small pixels from `first`, indexed from
// `smallStart`. The weights only depend on the remainder, so there are at most 2 x factor of them.
Taps tapsFor(int start, int count, int factor, int smallStart) {
    std::vector<std::array<std::uint16_t, 4>> byRemainder(static_cast<std::size_t>(2 * factor));
    for (std::size_t r = 0; r < byRemainder.size(); ++r)
        byRemainder[r] = splineWeights(static_cast<double>(r) / (2 * factor));
    Taps taps;
    taps.first.resize(static_cast<std::size_t>(count));
    taps.weights.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const auto [base, remainder] = sampleBase(start + i, factor);
        taps.first[static_cast<std::size_t>(i)] = base - 1 - smallStart;
        taps.weights[static_cast<std::size_t>(i)] = byRemainder[static_cast<std::size_t>(remainder)];
    }
    return taps;
}

// First small-picture pixel that any of `count` output pixels from `start` reads, and how many.
std::pair<int, int> smallSpan(int start, int count, int factor) {
    const int firstBase = sampleBase(start, factor).first;
    const int lastBase = sampleBase(start + count - 1, factor).first;
    return {firstBase - 1, lastBase - firstBase + 4};
}

// Separable B-spline enlargement of the premultiplied small picture into `out`. Both passes round back
// to 0..255 so that all arithmetic fits 16 bits: 255 x 256 + 128 < 65536, which lets the column pass run
// eight lanes at a time.
void enlarge(const QImage& small, const Taps& across, const Taps& down, QImage& out) {
    const std::size_t rowValues = static_cast<std::size_t>(out.width()) * 4;
    // Pass 1: each small row stretched across.
    std::vector<std::uint16_t> rows(static_cast<std::size_t>(small.height()) * rowValues);
    for (int y = 0; y < small.height(); ++y) {
        const auto* source = reinterpret_cast<const std::uint8_t*>(small.constScanLine(y));
        std::uint16_t* target = rows.data() + static_cast<std::size_t>(y) * rowValues;
        for (std::size_t x = 0; x < across.first.size(); ++x) {
            const std::uint8_t* tap = source + static_cast<std::ptrdiff_t>(across.first[x]) * 4;
            // Premultiplied, so four clear taps give a clear pixel; most of a text's box is clear.
            std::uint32_t pixels[4];
            std::memcpy(pixels, tap, sizeof pixels);
            if ((pixels[0] | pixels[1] | pixels[2] | pixels[3]) == 0) {
                std::memset(target + x * 4, 0, 4 * sizeof *target);
                continue;
            }
            const auto& w = across.weights[x];
            for (std::size_t c = 0; c < 4; ++c)
                target[x * 4 + c] = static_cast<std::uint16_t>(
                    (w[0] * tap[c] + w[1] * tap[4 + c] + w[2] * tap[8 + c] + w[3] * tap[12 + c] + 128) >> 8);
        }
    }
    // Pass 2: down the columns.
    for (int y = 0; y < out.height(); ++y) {
        const auto& w = down.weights[static_cast<std::size_t>(y)];
        const std::uint16_t w0 = w[0], w1 = w[1], w2 = w[2], w3 = w[3];
        const std::uint16_t* r0 =
            rows.data() + static_cast<std::size_t>(down.first[static_cast<std::size_t>(y)]) * rowValues;
        const std::uint16_t* r1 = r0 + rowValues;
        const std::uint16_t* r2 = r1 + rowValues;
        const std::uint16_t* r3 = r2 + rowValues;
        auto* target = reinterpret_cast<std::uint8_t*>(out.scanLine(y));
        for (std::size_t i = 0; i < rowValues; ++i)
            target[i] = static_cast<std::uint8_t>(
                static_cast<std::uint16_t>(w0 * r0[i] + w1 * r1[i] + w2 * r2[i] + w3 * r3[i] + 128) >> 8);
    }
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
