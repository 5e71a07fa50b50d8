#include "art_kit.h"
#include "clipart_art.h"

#include <QFont>
#include <QFontInfo>
#include <QPainter>
#include <algorithm>

namespace starter {

namespace {

const QString kEmojiFamily = QStringLiteral("Noto Color Emoji");

// The font's colour bitmaps are made for 109 pixels per em; drawn a quarter larger (about 126 pixels
// across) they stay crisp and hold up better on large photos.
constexpr int kEmojiPixelSize = 136;

struct Emoji {
    const char* text;
    const char* name;
};

constexpr Emoji kEmoji[] = {
    {"😀", "Grinning face"},
    {"😂", "Tears of joy"},
    {"😍", "Heart eyes"},
    {"🥰", "Smiling with hearts"},
    {"😎", "Sunglasses"},
    {"🤩", "Star struck"},
    {"🥳", "Party face"},
    {"😘", "Blowing a kiss"},
    {"😜", "Winking tongue"},
    {"😇", "Halo"},
    {"👍", "Thumbs up"},
    {"👑", "Crown"},
    {"💖", "Sparkling heart"},
    {"🔥", "Fire"},
    {"✨", "Sparkles"},
    {"🎉", "Party popper"},
    {"🎈", "Balloon"},
    {"🎂", "Birthday cake"},
    {"🎁", "Gift"},
    {"🌸", "Cherry blossom"},
    {"🌻", "Sunflower"},
    {"🌈", "Rainbow"},
    {"🦋", "Butterfly"},
    {"🐶", "Puppy"},
};

} // namespace

QImage croppedToContent(const QImage& picture, int margin) {
    int left = picture.width();
    int top = picture.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(row[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return picture;
    QImage cropped(right - left + 1 + 2 * margin, bottom - top + 1 + 2 * margin, picture.format());
    cropped.fill(Qt::transparent);
    QPainter painter(&cropped);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(margin, margin), picture, QRect(left, top, right - left + 1, bottom - top + 1));
    return cropped;
}

std::optional<std::vector<EntryRecipe>> emojiRecipes(QString& reason) {
    QFont probe(kEmojiFamily);
    probe.setPixelSize(kEmojiPixelSize);
    if (QFontInfo(probe).family() != kEmojiFamily) {
        reason = QStringLiteral("the font \"%1\" is not installed (Debian package fonts-noto-color-emoji)")
                     .arg(kEmojiFamily);
        return std::nullopt;
    }
    std::vector<EntryRecipe> recipes;
    for (const Emoji& emoji : kEmoji) {
        recipes.push_back([emoji] {
            QFont font(kEmojiFamily);
            font.setPixelSize(kEmojiPixelSize);
            QImage canvas = blankCanvas(kEmojiPixelSize * 2, kEmojiPixelSize * 2);
            {
                QPainter painter(&canvas);
                smoothHints(painter);
                painter.setFont(font);
                painter.drawText(canvas.rect(), Qt::AlignCenter, QString::fromUtf8(emoji.text));
            }
            const QImage picture = straightAlpha(croppedToContent(canvas, 2));
            return StarterEntry{QString::fromUtf8(emoji.name), picture, picture, {}};
        });
    }
    return recipes;
}

} // namespace starter
