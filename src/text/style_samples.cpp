#include "style_samples.h"

#include "styled_text_renderer.h"

#include <QPainter>
#include <cstring>

namespace text {

namespace {

// Glows spread a few pixels beyond the word's box.
constexpr int kGlowRoom = 8;

} // namespace

const std::array<StyleColours, kStyleCount>& styleSampleColours() {
    static constexpr std::array<StyleColours, kStyleCount> kColours{{
        {rgb(0, 255, 0), rgb(0, 156, 0)},
        {rgb(128, 65, 191), rgb(255, 255, 255)},
        {rgb(198, 25, 0), rgb(255, 255, 255)},
        {rgb(0, 25, 198), rgb(255, 255, 255)},
        {rgb(198, 25, 0), rgb(255, 255, 0)},
        {rgb(88, 66, 214), rgb(255, 255, 255)},
        {rgb(255, 255, 255), rgb(255, 80, 255)},
        {rgb(0, 25, 198), rgb(198, 25, 0)},
    }};
    return kColours;
}

bool StyleSampleKey::operator==(const StyleSampleKey& other) const {
    return word == other.word && std::memcmp(&font, &other.font, sizeof font) == 0 &&
           layout == other.layout && ratio == other.ratio && colours == other.colours;
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
    DrawTextInRect(painter, style, key.word, key.font, QRect(QPoint(0, 0), key.layout), colours.colour1,
                   colours.colour2, 255);
    ++drawn_;
    return picture;
}

} // namespace text
