#pragma once
// A decoration picture drawn at the size of the area it covers (decorationSlices, decoration_geometry.h).

#include <QImage>
#include <QRect>
#include <QSize>

namespace workspace {

// The picture covering `area`: stretched whole when the shapes agree, else its corners scaled evenly and
// its edges and middle stretched between them. Each piece is scaled smoothly on its own, so none blurs
// into its neighbour. ARGB32 premultiplied; null for a null picture or an empty area.
QImage fittedDecoration(const QImage& picture, QSize area);
// The part `part` (area pixels) of that picture, each piece stretched straight into it: a zoomed-in view
// needs only the few window pixels of an area many times larger. Null when the part is empty.
QImage fittedDecorationPart(const QImage& picture, QSize area, const QRect& part);

} // namespace workspace
