#pragma once
// The samples of the text style chooser: a word in each of the eight styles, drawn by the styled text
// renderer in the style's own sample colours and kept as pictures, so scrolling and repainting the
// chooser draws no text.

#include "text/fonts/log_font.h"
#include "text/style_samples.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <array>

namespace text {

// Everything a sample picture depends on.
struct StyleSampleKey {
    QString word;
    LogFont font;      // face, weight and height of the word
    QSize layout;      // the layout rectangle the renderer is given
    qreal ratio = 1.0; // device pixels per pixel
    std::array<StyleColours, kStyleCount> colours = kStyleSampleColours;
    bool operator==(const StyleSampleKey& other) const;
};

class StyleSampleCache {
public:
    // The sample of `style` (0 to 7): a transparent picture at the key's pixel ratio with the word's box at
    // its top-left, as large as the layout rectangle or the word's box with its glow, whichever is larger.
    // Drawn on the first request for a style, then kept until the key changes.
    const QImage& sample(int style, const StyleSampleKey& key);
    // How many samples have been drawn so far.
    int drawnCount() const { return drawn_; }

private:
    StyleSampleKey key_;
    std::array<QImage, kStyleCount> samples_;
    int drawn_ = 0;
};

} // namespace text
