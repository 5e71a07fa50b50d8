#pragma once
// Lays a possibly multi-line text out from a top-left point, the way the styles place it: each line
// starts one sixth of an em in from the left (room for overhanging glyphs), lines follow at the font's
// line spacing.

#include "text/fonts/text_fonts.h"

#include <QPainterPath>
#include <QPointF>
#include <QSizeF>
#include <QStringList>
#include <QStringView>

class QPainter;

namespace text {

// Lines split at line feeds; carriage returns are dropped.
QStringList splitLines(QStringView text);

// The box of the lines in the given font: the widest advance plus the side room, by the line spacing.
QSizeF layoutBox(const ScaledFont& font, const QStringList& lines);

// The far corner of the glyphs' ink when laid out from (0, 0).
QPointF inkExtent(const ScaledFont& font, const QStringList& lines);

// The glyph outlines of the lines, laid out from the top-left point, filled by winding.
QPainterPath textPath(const QFont& font, const QStringList& lines, QPointF topLeft);

// Draws the lines with the painter's current pen, laid out from the top-left point.
void drawLines(QPainter& painter, const QFont& font, const QStringList& lines, QPointF topLeft);

} // namespace text
