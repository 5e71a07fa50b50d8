#pragma once
// The starter library as drawn, before it is written anywhere: one list of entries per category, each with
// its full picture (straight-alpha ARGB32), the thumbnail the browser lists show and, for frames, the
// photo hole. The packages and the contact sheet are both made from this model.

#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <vector>

namespace starter {

// Thumbnails of frames, masks and decorations fit this square: a 64-pixel list cell less its margins and
// the selection outline.
constexpr int kThumbnailBox = 56;

// Sizes chosen for photos of up to 1600 × 1200: a frame is shown at most 0.6 of the canvas, a mask is
// scaled by canvas width / 1024, a decoration is fitted to the whole canvas, a brush tip is stamped at
// 16 to 256 pixels (128 by default) and a clipart shows one picture pixel per canvas pixel.
constexpr int kFrameLong = 960;
constexpr int kFrameShort = 720;
constexpr int kMaskWidth = 1024;
constexpr int kMaskHeight = 768;
constexpr int kDecorationWidth = 1600;
constexpr int kDecorationHeight = 1200;
constexpr int kBrushTipSize = 128;
constexpr int kClipartMaxSide = 256;

struct StarterEntry {
    QString name;     // for the contact sheet and messages only; the packages carry no names
    QImage picture;   // Format_ARGB32, straight alpha
    QImage thumbnail; // Format_ARGB32; for cliparts and brush tips the picture itself
    QRect hole;       // frames only: the transparent opening, in picture pixels
};

// Draws one entry. Recipes are independent of each other, so they may run on any thread in any order.
using EntryRecipe = std::function<StarterEntry()>;

struct StarterLibrary {
    std::vector<StarterEntry> frames;
    std::vector<StarterEntry> masks;
    std::vector<StarterEntry> cliparts;
    std::vector<StarterEntry> decorations;
    std::vector<StarterEntry> brushTips;
};

} // namespace starter
