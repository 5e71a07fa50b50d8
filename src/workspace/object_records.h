#pragma once
// The records of the objects placed on a photo. Each copies whole, so an undo step can keep its own
// copies and restore them any number of times.

#include "imaging/colour/colour_adjustment.h"

#include <QPolygonF>
#include <cstdint>
#include <vector>

namespace workspace {

// Kind codes of the object list. They are stored in the undo history and name the tool panel that edits
// the object, so their values never change. 5, 7 and 8 are never stored.
enum ObjectKind : int {
    Clipart = 0,
    BrushStroke = 1,
    Mask = 2,
    Frame = 3,
    Text = 4,
    ColourAdjust = 6,
    Decoration = 9,
};

// The frame's opening where the photo shows through, as fractions of the frame picture.
struct PhotoHole {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

struct FrameObject {
    std::int32_t resourceIndex = 0;
    std::int32_t selected = 1;
    float angle = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    PhotoHole hole;
    float scale = 1.0f;
    std::int32_t regionIndex = -1;
    std::int32_t displayWidth = 0;
    std::int32_t displayHeight = 0;
    QPolygonF hitRegion; // on screen, rebuilt at every composition
    std::int32_t offsetX = 0;
    std::int32_t offsetY = 0;
};

struct MaskObject {
    std::int32_t resourceIndex = 0;
    std::int32_t selected = 1;
    float angle = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    QPolygonF hitRegion;
    std::int32_t regionIndex = -1;
    float scale = 1.0f;
    float baseFactor = 1.0f; // canvas width / 1024 when placed
    std::int32_t offsetX = 0;
    std::int32_t offsetY = 0;
};

struct ClipartObject {
    std::int32_t resourceIndex = 0;
    std::int32_t selected = 1;
    std::int32_t inMemory = 0; // 1: the pixels are one of the workspace's in-memory cliparts
    float scale = 1.0f;
    std::int32_t offsetX = 0; // centre relative to the canvas centre, canvas pixels, y downward
    std::int32_t offsetY = 0;
    QPolygonF hitRegion;
    float angle = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t regionIndex = -1;
};

struct DecorationObject {
    std::int32_t resourceIndex = 0;
    std::int32_t selected = 1;
    std::int32_t width = 0;
    std::int32_t height = 0;
    QPolygonF hitRegion;
    std::int32_t regionIndex = -1;
    float scale = 1.0f;
    std::int32_t offsetX = 0; // top-left corner relative to the canvas's, canvas pixels
    std::int32_t offsetY = 0;
};

struct BrushStrokeObject {
    std::int32_t tipIndex = 0;
    std::vector<float> scales;
    std::vector<float> angles;
    std::vector<std::int32_t> opacities;
    std::vector<std::int32_t> xs;
    std::vector<std::int32_t> ys;
    std::uint32_t colour = 0; // 0x00BBGGRR
    std::int32_t tipWidth = 0;
    std::int32_t tipHeight = 0;
};

// Contrast, brightness, saturation, hue, gamma and colour rotation of the photo.
using ColourAdjustment = imaging::ColourAdjustment;

} // namespace workspace
