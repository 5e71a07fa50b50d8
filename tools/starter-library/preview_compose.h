#pragma once
// How the workspace shows a frame, a mask and a brush stamp, redone here so the contact sheet and the
// frame previews show the starter art as the user will see it.

#include <QImage>
#include <QRect>

namespace starter {

// The photo cropped to the hole's aspect and scaled to the hole's size, then the frame over it, the frame
// at 0.6 of the view fitted and both centred, on `background`.
void composeFramed(QImage& view, const QImage& photo, const QImage& frame, const QRect& hole,
                   const QColor& background);

// The mask at canvas width / 1024, centred: white shows `background`, black shows the photo.
QImage composeMasked(const QImage& photo, const QImage& mask, const QColor& background);

// One stamp of a tip scaled to `size` pixels wide by nearest neighbour and tinted by its alpha only, on an
// opaque canvas.
void stampTip(QImage& canvas, const QImage& tip, QPoint centre, int size, const QColor& colour, int opacity);

} // namespace starter
