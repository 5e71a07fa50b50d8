#pragma once
// Flattening, union outlines and the two-tone bevel outline of glyph paths.

#include <QPainterPath>
#include <vector>

class QPainter;
class QPen;

namespace text {

// The figures of the path gathered into clusters that lie more than `margin` apart (by their bounding
// boxes), so that each cluster can be filled or stroked on its own without touching another. Drawing
// glyphs cluster by cluster is much faster than as one wide path, and gives the same pixels.
std::vector<QPainterPath> figureClusters(const QPainterPath& path, qreal margin);

// The path with every curve replaced by lines that stray at most `flatness` pixels from it.
QPainterPath flattenedPath(const QPainterPath& path, qreal flatness);

// The outline of the area the path covers by winding: overlapping glyph contours merge into one
// boundary and curves are flattened. Figures come out closed.
QPainterPath unionOutline(const QPainterPath& path, qreal flatness);

// Draws each segment of a line-only path: those going right, or else down, with `lit`, the others
// (left or up) with `shaded`, which gives a raised look. Each figure's closing segment counts too.
void drawBevelOutline(QPainter& painter, const QPainterPath& outline, const QPen& lit, const QPen& shaded);

} // namespace text
