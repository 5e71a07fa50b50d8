#include "styled_text_renderer.h"

#include "glow.h"
#include "hatch_brushes.h"
#include "outline_paths.h"
#include "text/fonts/text_fonts.h"
#include "text_layout.h"
#include "visible_area.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace text {
namespace {

constexpr qreal kFlatness = 0.25;
constexpr QRgb kOutlineGrey = 0xFFA8A8A8;
constexpr QRgb kFallbackTop = 0xFFD2691E;
constexpr QRgb kFallbackBottom = 0xFFFAEBD7;
// Glyph clusters lie further apart than the widest outline pen reaches, with its anti-aliased edge.
constexpr qreal kClusterMargin = 2.0;

// A text ready to draw: its fonts, its lines and its measured box.
struct PreparedText {
    TextFonts fonts;
    QStringList lines;
    QSize size;
};

bool prepare(const LogFont& font, QStringView text, PreparedText& prepared) {
    if (text.isEmpty() || !textFontsFor(font, prepared.fonts))
        return false;
    prepared.lines = splitLines(text);
    const QSizeF box = layoutBox(prepared.fonts.measuring, prepared.lines);
    // Bold, italic or wide faces may reach past the measured box; the box grows to hold their ink.
    const QPointF drawn = inkExtent(prepared.fonts.drawing, prepared.lines);
    const QPointF path = inkExtent(prepared.fonts.path, prepared.lines);
    const qreal width = std::max({box.width(), drawn.x() + 1, path.x() + 1});
    const qreal height = std::max({box.height(), drawn.y() + 1, path.y() + 1});
    prepared.size = QSize(static_cast<int>(width), static_cast<int>(height));
    return !prepared.size.isEmpty();
}

// Styles 2 to 7 draw glyph outlines in the bold path face; the others draw with the record's own font.
bool drawsOutlines(int style) {
    return style >= 2 && style <= 7;
}

QColor argb(int alpha, RgbColour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF), alpha);
}

// What every style works from: the box T at the layout's top-left and the two colours with the alpha.
struct Style {
    QPainter& target;
    const PreparedText& text;
    QRectF box;
    QColor first;
    QColor second;

    QPointF origin() const { return box.topLeft(); }
    QPainterPath path() const { return textPath(text.fonts.path.font, text.lines, origin()); }

    // Top to bottom over the box, repeating beyond it.
    QLinearGradient gradient(const QColor& top, const QColor& bottom) const {
        QLinearGradient gradient(box.topLeft(), box.bottomLeft());
        gradient.setSpread(QGradient::RepeatSpread);
        gradient.setColorAt(0, top);
        gradient.setColorAt(1, bottom);
        return gradient;
    }

    void drawText(const QBrush& brush) const {
        target.setPen(QPen(brush, 1));
        drawLines(target, text.fonts.drawing.font, text.lines, origin());
    }

    void textGlow(const QColor& colour, int factor) const {
        drawGlow(target, box, factor, [&](QPainter& small) {
            small.setPen(colour);
            drawLines(small, text.fonts.drawing.font, text.lines, origin());
        });
    }

    // The glyph clusters of the path that show on the target.
    std::vector<QPainterPath> clusters(const QPainterPath& path) const {
        const QRectF visible =
            QRectF(visibleArea(target))
                .adjusted(-kClusterMargin, -kClusterMargin, kClusterMargin, kClusterMargin);
        std::vector<QPainterPath> shown;
        for (QPainterPath& cluster : figureClusters(path, kClusterMargin))
            if (cluster.controlPointRect().intersects(visible))
                shown.push_back(std::move(cluster));
        return shown;
    }

    void pathGlow(const QPainterPath& path, const QColor& fill, int factor) const {
        drawGlow(target, box | path.controlPointRect(), factor,
                 [&](QPainter& small) { small.fillPath(path, fill); });
    }
};

// Mitred like the usual pen, with a limit that bevels the sharpest glyph corners instead of spiking.
QPen outlinePen(const QColor& colour, qreal width) {
    QPen pen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(4);
    return pen;
}

void drawGlowingGradient(const Style& s, const QColor& glow, const QLinearGradient& gradient) {
    s.textGlow(glow, 4);
    s.drawText(gradient);
}

void drawHatched(const Style& s, Hatch hatch, bool greyOutline) {
    const QBrush brush = hatchBrush(hatch, s.second, s.first);
    const QPen grey(QColor::fromRgba(kOutlineGrey), 1.0);
    for (const QPainterPath& cluster : s.clusters(s.path())) {
        s.target.fillPath(cluster, brush);
        if (greyOutline)
            s.target.strokePath(flattenedPath(cluster, kFlatness), grey);
    }
}

void drawBevelled(const Style& s) {
    const QPainterPath path = s.path();
    s.pathGlow(path, s.first, 8);
    // Blend factors 0, 0.5 and 1 at 0, 0.5 and 1: an even blend from the first colour to the second.
    const QBrush gradient = s.gradient(s.first, s.second);
    const QPen lit = outlinePen(s.first, 0.5);
    const QPen shaded = outlinePen(s.second, 0.5);
    for (const QPainterPath& cluster : s.clusters(path)) {
        s.target.fillPath(cluster, gradient);
        drawBevelOutline(s.target, unionOutline(cluster, kFlatness), lit, shaded);
    }
}

void drawWeaveOutline(const Style& s) {
    const QBrush weave = hatchBrush(Hatch::Weave, s.second, s.first);
    const QPen pen = outlinePen(s.first, 2.0);
    for (const QPainterPath& cluster : s.clusters(s.path())) {
        const QPainterPath outline = unionOutline(cluster, kFlatness);
        s.target.fillPath(outline, weave);
        s.target.strokePath(outline, pen);
    }
}

void drawOutlinedGlow(const Style& s) {
    const QPainterPath path = s.path();
    s.pathGlow(path, s.second, 8);
    const QPen pen = outlinePen(s.first, 2.0);
    for (const QPainterPath& cluster : s.clusters(path)) {
        s.target.fillPath(cluster, s.second);
        s.target.strokePath(unionOutline(cluster, kFlatness), pen);
    }
}

void drawSoftened(const Style& s) {
    const QPainterPath path = s.path();
    drawGlow(s.target, s.box | path.controlPointRect(), 2, [&](QPainter& small) {
        small.fillPath(path, s.first);
        small.strokePath(path, outlinePen(s.second, 2.0));
    });
}

void drawStyle(const Style& s, int style) {
    switch (style) {
    case 0:
        drawGlowingGradient(s, s.second, s.gradient(s.first, s.second));
        return;
    case 1: {
        // A triangular blend: the first colour at the top and bottom, the second at 60 % of the height.
        QLinearGradient gradient = s.gradient(s.first, s.first);
        gradient.setColorAt(0.6, s.second);
        drawGlowingGradient(s, s.first, gradient);
        return;
    }
    case 2:
        drawHatched(s, Hatch::DottedGrid, true);
        return;
    case 3:
        drawHatched(s, Hatch::FivePercent, false);
        return;
    case 4:
        drawBevelled(s);
        return;
    case 5:
        drawWeaveOutline(s);
        return;
    case 6:
        drawOutlinedGlow(s);
        return;
    case 7:
        drawSoftened(s);
        return;
    default:
        s.drawText(s.gradient(QColor::fromRgba(kFallbackTop), QColor::fromRgba(kFallbackBottom)));
        return;
    }
}

void render(QPainter& target, const PreparedText& text, int style, QPoint origin, RgbColour colour1,
            RgbColour colour2, int alpha) {
    alpha = std::clamp(alpha, 0, 255);
    target.save();
    target.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                          QPainter::SmoothPixmapTransform);
    drawStyle(
        Style{target, text, QRectF(origin, QSizeF(text.size)), argb(alpha, colour1), argb(alpha, colour2)},
        style);
    target.restore();
}

} // namespace

QSize MeasureStyledText(const LogFont& font, QStringView text) {
    PreparedText prepared;
    return prepare(font, text, prepared) ? prepared.size : QSize();
}

QSize MeasureStyleBox(const LogFont& font, QStringView text, int style) {
    TextFonts fonts;
    if (text.isEmpty() || !textFontsFor(font, fonts))
        return {};
    const ScaledFont& face = drawsOutlines(style) ? fonts.path : fonts.drawing;
    const QStringList lines = splitLines(text);
    const QSizeF box = layoutBox(face, lines);
    // The outline pens reach a pixel past the glyphs' ink.
    const QPointF ink = inkExtent(face, lines) + QPointF(1, 1);
    return QSize(static_cast<int>(std::ceil(std::max(box.width(), ink.x()))),
                 static_cast<int>(std::ceil(std::max(box.height(), ink.y()))));
}

void RenderStyledText(QPainter& target, const TextRenderRequest& request) {
    PreparedText prepared;
    if (prepare(request.font, request.text, prepared))
        render(target, prepared, request.style, request.layout.topLeft(), request.colour1, request.colour2,
               request.alpha);
}

void DrawTextInRect(QPainter& target, int style, QStringView text, const LogFont& font, const QRect& rect,
                    RgbColour colour1, RgbColour colour2, int alpha) {
    PreparedText prepared;
    if (!prepare(font, text, prepared))
        return;
    target.save();
    target.translate(rect.left(), rect.top());
    render(target, prepared, style, QPoint(0, 0), colour1, colour2, alpha);
    target.restore();
}

} // namespace text
