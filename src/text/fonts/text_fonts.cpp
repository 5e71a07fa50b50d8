#include "text/fonts/text_fonts.h"

#include "text/fonts/font_resolver.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace text {
namespace {

// Heights beyond this would only ask the font engine for absurd glyphs.
constexpr int kMaxPixelHeight = 4000;

QFont baseFont(const ResolvedFace& face, int weight, bool italic) {
    QFont font;
    font.setFamilies(QStringList{face.family});
    font.setWeight(static_cast<QFont::Weight>(std::clamp(std::max(weight, face.minimumWeight), 1, 1000)));
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// A font at a pixel size that may have a fraction: Qt rounds it, so the metrics are scaled back.
ScaledFont scaledFont(QFont font, qreal pixelSize) {
    const int whole = std::max(1, static_cast<int>(std::lround(pixelSize)));
    font.setPixelSize(whole);
    return {font, pixelSize / whole};
}

// A positive record height is the cell height (ascent + descent), as Windows reads it; the em is
// smaller by the face's own ratio.
int emFromHeight(const QFont& font, int height) {
    if (height < 0)
        return -height;
    QFont probe = font;
    probe.setPixelSize(1000);
    const QFontMetricsF metrics(probe);
    const qreal cell = metrics.ascent() + metrics.descent();
    if (cell <= 0)
        return height;
    return std::max(1, static_cast<int>(std::lround(height * 1000.0 / cell)));
}

} // namespace

bool textFontsFor(const LogFont& record, TextFonts& fonts) {
    const int height = std::min(std::abs(record.height), kMaxPixelHeight);
    const int measuringPoints = height * 15 / 20;
    const int pathEm = height * 18 / 20;
    if (measuringPoints <= 0 || pathEm <= 0)
        return false;
    const ResolvedFace face = resolveFace(faceName(record));
    const int weight = record.weight == 0 ? 400 : record.weight;

    fonts.measuring = scaledFont(baseFont(face, 400, false), measuringPoints * 96.0 / 72.0);

    QFont drawing = baseFont(face, weight, record.italic != 0);
    drawing.setUnderline(record.underline != 0);
    drawing.setStrikeOut(record.strikeOut != 0);
    drawing.setPixelSize(emFromHeight(drawing, record.height < 0 ? -height : height));
    fonts.drawing = {drawing, 1.0};

    QFont path = baseFont(face, 700, false);
    path.setHintingPreference(QFont::PreferNoHinting);
    path.setPixelSize(pathEm);
    fonts.path = {path, 1.0};
    return true;
}

} // namespace text
