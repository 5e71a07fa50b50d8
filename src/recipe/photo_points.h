#pragma once
// Recipes name places in photo pixels from the photo's top-left corner, so that they do not depend on the
// view; the document's operations take window points of its view.

#include <QPoint>
#include <QString>

namespace workspace {
class WorkspaceDocument;
}

namespace recipe {

// The window point where the view shows that photo pixel (to the nearest window pixel).
QPoint windowPoint(const workspace::WorkspaceDocument& document, QPoint photoPixel);
// Why the photo pixel cannot be used as `field` ("at (900, 20) lies outside the 800 × 600 photo"); empty
// when it lies on the photo.
QString outsidePhoto(const workspace::WorkspaceDocument& document, QPoint photoPixel, const char* field);

} // namespace recipe
