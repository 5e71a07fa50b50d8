#include "style_sample_cache.h"

#include "styled_text_renderer.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

namespace text {

namespace {

// Glows spread a few pixels beyond the word's box.
constexpr int kGlowRoom = 8;

bool sameColours(const StyleColours& a, const StyleColours& b) {
    return a.first == b.first && a.second == b.second;
}

} // namespace

bool StyleSampleKey::operator==(const StyleSampleKey& other) const {
    return word == other.word && std::memcmp(&font, &other.font, sizeof font) == 0 &&
           layout == other.layout && ratio == other.ratio &&
           std::equal(colours.begin(), colours.end(), other.colours.begin(), sameColours);
}

const QImage& StyleSampleCache::sample(int style, const StyleSampleKey& key) {
    static const QImage kNone;
    if (style < 0 || style >= kStyleCount)
        return kNone;
    if (!(key == key_)) {
        key_ = key;
        samples_ = {};
    }
    QImage& picture = samples_[static_cast<std::size_t>(style)];
    if (!picture.isNull())
        return picture;

    const QSize box = MeasureStyledText(key.font, key.word) + QSize(kGlowRoom, kGlowRoom);
    const QSize size = key.layout.expandedTo(box).expandedTo(QSize(1, 1));
    picture = QImage(size * key.ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(key.ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const StyleColours colours = key.colours[static_cast<std::size_t>(style)];
    DrawTextInRect(painter, style, key.word, key.font, QRect(QPoint(0, 0), key.layout), colours.first,
                   colours.second, 255);
    ++drawn_;
    return picture;
}

} // namespace text
