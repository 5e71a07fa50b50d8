#include "workspace/manipulation/hit_testing.h"

#include "workspace/document.h"
#include "workspace/manipulation/handle_geometry.h"

namespace workspace {

bool regionHolds(const QPolygonF& region, int x, int y) {
    // Pixel centres, so that a region (0, 0, w, h) holds exactly w × h pixels.
    return !region.isEmpty() && region.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill);
}

Rect textRect(const text::TextObject& object) {
    return {object.left, object.top, object.right, object.bottom};
}

int hitObject(const ObjectList& objects, int x, int y) {
    for (int i = objects.size() - 1; i >= 0; --i) {
        if (const text::TextObject* text = objects.get<text::TextObject>(i)) {
            if (text->reserved == 0 && textRect(*text).contains(x, y))
                return i;
            continue;
        }
        bool hit = false;
        visitPicture(objects.at(i), [&](const auto& picture) { hit = regionHolds(picture.hitRegion, x, y); });
        if (hit)
            return i;
    }
    return -1;
}

int firstSelectedTurnable(const ObjectList& objects) {
    for (int i = 0; i < objects.size(); ++i) {
        bool selected = false;
        visitTurnable(objects.at(i), [&](const auto& picture) { selected = picture.selected == 1; });
        if (selected)
            return i;
    }
    return -1;
}

int hitText(const ObjectList& objects, int x, int y, bool withLabel) {
    for (int i = objects.size() - 1; i >= 0; --i) {
        const text::TextObject* text = objects.get<text::TextObject>(i);
        if (!text || text->reserved != 0)
            continue;
        const Rect rect = textRect(*text);
        const int centre = (rect.left + rect.right) / 2;
        const Rect label{centre - 8, rect.top - 24, centre + 8, rect.top - 8};
        if (rect.contains(x, y) || (withLabel && label.contains(x, y)))
            return i;
    }
    return -1;
}

int hitHandle(const Rect& rect, int x, int y, bool cornersOnly) {
    const auto handles = WorkspaceDocument::HandleRects(rect);
    for (int k = 0; k < kHandleCount; ++k) {
        if (cornersOnly && isEdgeHandle(k))
            continue;
        if (handles[static_cast<std::size_t>(k)].contains(x, y))
            return k;
    }
    return -1;
}

} // namespace workspace
