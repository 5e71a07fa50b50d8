#pragma once
// The painters behind the numbered pictures, grouped by family. Each fills `r` on `p`; the painter's
// state is saved by the caller.

#include <QPainter>
#include <QRectF>

namespace controls::painters {

void windowIcon(QPainter& p, const QRectF& r);
void bottomEdge(QPainter& p, const QRectF& r);
void sideEdge(QPainter& p, const QRectF& r, bool left);
void topEdge(QPainter& p, const QRectF& r);

enum class CaptionGlyph { Close, Maximise, Minimise };
enum class CaptionState { Normal, Hover, Pressed };
void captionButton(QPainter& p, const QRectF& r, CaptionGlyph glyph, CaptionState state);
void tab(QPainter& p, const QRectF& r, bool active);
void brushToggle(QPainter& p, const QRectF& r, bool on);
void radioButton(QPainter& p, const QRectF& r, bool on);

void cellFrame(QPainter& p, const QRectF& r);
void missingFile(QPainter& p, const QRectF& r);

void dropCursor(QPainter& p, const QRectF& r);
void handCursor(QPainter& p, const QRectF& r);
void brushCursor(QPainter& p, const QRectF& r);

void colourPickerFace(QPainter& p, const QRectF& r);
void pickerCursor(QPainter& p, const QRectF& r);

} // namespace controls::painters
