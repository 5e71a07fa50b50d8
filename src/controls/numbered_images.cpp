#include "controls/numbered_images.h"

#include "controls/numbered_image_painters.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <array>
#include <functional>

namespace controls {

namespace {

using Painter = std::function<void(QPainter&, const QRectF&)>;

struct Entry {
    int id;
    QSize size;
    Painter paint;
};

painters::CaptionState captionState(int id) {
    switch (id) {
    case image::CloseHover:
    case image::MaximiseHover:
    case image::MinimiseHover:
        return painters::CaptionState::Hover;
    case image::ClosePressed:
    case image::MaximisePressed:
    case image::MinimisePressed:
        return painters::CaptionState::Pressed;
    default:
        return painters::CaptionState::Normal;
    }
}

Entry caption(int id, painters::CaptionGlyph glyph) {
    const auto state = captionState(id);
    return {id, QSize(26, 17),
            [glyph, state](QPainter& p, const QRectF& r) { painters::captionButton(p, r, glyph, state); }};
}

const std::vector<Entry>& entries() {
    using painters::CaptionGlyph;
    static const std::vector<Entry> table = [] {
        std::vector<Entry> list{
            {image::WindowIcon, QSize(48, 48), painters::windowIcon},
            {image::BottomEdge, QSize(200, 14), painters::bottomEdge},
            {image::LeftEdge, QSize(20, 200),
             [](QPainter& p, const QRectF& r) { painters::sideEdge(p, r, true); }},
            {image::RightEdge, QSize(20, 200),
             [](QPainter& p, const QRectF& r) { painters::sideEdge(p, r, false); }},
            {image::TopEdge, QSize(200, 30), painters::topEdge},
            caption(image::CloseButton, CaptionGlyph::Close),
            caption(image::CloseHover, CaptionGlyph::Close),
            caption(image::ClosePressed, CaptionGlyph::Close),
            caption(image::MaximiseButton, CaptionGlyph::Maximise),
            caption(image::MaximiseHover, CaptionGlyph::Maximise),
            caption(image::MaximisePressed, CaptionGlyph::Maximise),
            caption(image::MinimiseButton, CaptionGlyph::Minimise),
            caption(image::MinimiseHover, CaptionGlyph::Minimise),
            caption(image::MinimisePressed, CaptionGlyph::Minimise),
            {image::TabNormal, QSize(120, 25),
             [](QPainter& p, const QRectF& r) { painters::tab(p, r, false); }},
            {image::TabActive, QSize(120, 25),
             [](QPainter& p, const QRectF& r) { painters::tab(p, r, true); }},
            {image::DropCursor, QSize(32, 32), painters::dropCursor},
            {image::HandCursor, QSize(32, 32), painters::handCursor},
            {image::BrushCursor, QSize(32, 32), painters::brushCursor},
            {image::PickerCursor, QSize(32, 32), painters::pickerCursor},
            {image::ColourPickerFace, QSize(114, 20), painters::colourPickerFace},
            {image::BrushOff, QSize(74, 44),
             [](QPainter& p, const QRectF& r) { painters::brushToggle(p, r, false); }},
            {image::BrushOn, QSize(74, 44),
             [](QPainter& p, const QRectF& r) { painters::brushToggle(p, r, true); }},
            {image::CellFrame, QSize(151, 128), painters::cellFrame},
            {image::MissingFile, QSize(32, 32), painters::missingFile},
            {image::RadioOff, QSize(16, 16),
             [](QPainter& p, const QRectF& r) { painters::radioButton(p, r, false); }},
            {image::RadioOn, QSize(16, 16),
             [](QPainter& p, const QRectF& r) { painters::radioButton(p, r, true); }},
        };
        std::sort(list.begin(), list.end(), [](const Entry& a, const Entry& b) { return a.id < b.id; });
        return list;
    }();
    return table;
}

const Entry* find(int id) {
    const auto& list = entries();
    const auto it = std::lower_bound(list.begin(), list.end(), id,
                                     [](const Entry& e, int wanted) { return e.id < wanted; });
    return it != list.end() && it->id == id ? &*it : nullptr;
}

// Where the pointer's tip sits in each 32 × 32 cursor picture.
QPoint hotSpot(int id) {
    switch (id) {
    case image::DropCursor:
        return {3, 2};
    case image::HandCursor:
        return {12, 3};
    default:
        return {3, 28};
    }
}

} // namespace

std::vector<int> numberedImageIds() {
    std::vector<int> ids;
    for (const auto& entry : entries())
        ids.push_back(entry.id);
    return ids;
}

QSize numberedImageSize(int id) {
    const auto* entry = find(id);
    return entry ? entry->size : QSize();
}

bool paintNumberedImage(QPainter& painter, int id, const QRectF& target) {
    const auto* entry = find(id);
    if (!entry)
        return false;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    entry->paint(painter, target);
    painter.restore();
    return true;
}

QPixmap numberedImage(int id, qreal devicePixelRatio) {
    return numberedImage(id, numberedImageSize(id), devicePixelRatio);
}

QPixmap numberedImage(int id, const QSize& size, qreal devicePixelRatio) {
    if (!find(id) || size.isEmpty() || devicePixelRatio <= 0)
        return {};
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintNumberedImage(painter, id, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QCursor numberedCursor(int id) {
    if (id != image::DropCursor && id != image::HandCursor && id != image::BrushCursor &&
        id != image::PickerCursor)
        return QCursor(Qt::ArrowCursor);
    const auto* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen ? std::max<qreal>(1.0, screen->devicePixelRatio()) : 1.0;
    const QPoint spot = hotSpot(id);
    return QCursor(numberedImage(id, ratio), spot.x(), spot.y());
}

QIcon numberedIcon(int id) {
    if (id != image::WindowIcon)
        return {};
    QIcon icon;
    for (const int side : std::array{16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(numberedImage(id, QSize(side, side), 1.0));
    return icon;
}

} // namespace controls
