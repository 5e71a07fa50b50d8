#pragma once
// Small drawing steps of the composer.

#include "imaging/photo_buffer.h"
#include "text/fonts/log_font.h"
#include "workspace/manipulation/picture_handles.h"
#include "workspace/view_geometry.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

namespace workspace {

// The fill of every handle the workspace draws.
inline const QColor kHandleFill(150, 200, 255);

// Stretches `source` over `over` smoothly into `into`, which becomes the part `part` (window pixels), in
// bands of rows on several threads. Each band paints through its own view of the memory with the transform
// of a whole stretch, so the pixels are exactly those of one.
void stretchPart(const QImage& source, const Rect& over, const QRect& part, QImage& into);

// A view of a B,G,R buffer as a picture, without copying: valid while the buffer is neither changed in
// size nor freed.
QImage imageOf(const imaging::PhotoBuffer& buffer);
// The part `part` of a B,G,R buffer (within it) copied into a 32-bit picture: the same pixels Qt's
// conversion gives, several times faster, and drawn without converting again.
QImage rgb32Of(const imaging::PhotoBuffer& buffer, const QRect& part);
// Fills the rectangle with the colour at alpha 120 over what is there.
void TintRect(QPainter& painter, const Rect& rect, QColor colour);
// The eight 8 × 8 handles around the rectangle, filled with the colour and framed in black; with
// `cornersOnly` (a crop kept to an aspect) the four edge handles are left out.
void DrawHandles(QPainter& painter, const Rect& rect, QColor colour, bool cornersOnly = false);
// A selected picture's handles: a square on each corner, and the round turn handle on its stem above the
// top edge, filled with the colour and framed in black.
void DrawPictureHandles(QPainter& painter, const PictureHandles& handles, QColor colour);
// Green corner marks of a selected picture of w × h, drawn in the painter's (the object's) transform.
void MarkSelection(QPainter& painter, int width, int height);
// The box a text takes in its font at the record's height, drawn in the style; an empty text is measured
// as "T", so that it can still be found and selected.
QSize measureTextCell(const text::LogFont& font, const QString& text, int style);

} // namespace workspace
