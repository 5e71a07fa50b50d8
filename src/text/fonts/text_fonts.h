#pragma once
// The fonts a styled text is measured and drawn with, all sized in pixels so that nothing depends on
// the screen's resolution.

#include "text/fonts/log_font.h"

#include <QFont>

namespace text {

// A font and the factor that scales its metrics to the wanted size, for sizes Qt would round to whole
// pixels. Drawing fonts have whole pixel sizes and a scale of 1.
struct ScaledFont {
    QFont font;
    qreal scale = 1.0;
    qreal pixelSize() const { return font.pixelSize() * scale; }
};

struct TextFonts {
    ScaledFont measuring; // regular, height * 15 / 20 points, i.e. the height itself in pixels at 96 dpi
    ScaledFont drawing;   // the record's own font: weight, italic, underline, strike-out
    ScaledFont path;      // bold, em size height * 18 / 20 pixels, unhinted outlines
};

// False when the record's height is too small to give a text at all.
bool textFontsFor(const LogFont& record, TextFonts& fonts);

} // namespace text
