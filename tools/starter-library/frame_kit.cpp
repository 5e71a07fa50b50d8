#include "art_kit.h"
#include "frame_art.h"
#include "resources/package_writer.h"
#include "sample_photo.h"

namespace starter {

QRect centredHole(int width, int height, int borderX, int borderY) {
    return QRect(borderX, borderY, width - 2 * borderX, height - 2 * borderY);
}

namespace {

// The thumbnail shows the frame around the sample landscape, as the user will see it. It is composed at
// thumbnail size; the photo covers every pixel the hole touches.
QImage frameThumbnail(const QImage& picture, const QRect& hole) {
    const QImage small = resources::fittedThumbnail(picture, kThumbnailBox);
    const double sx = static_cast<double>(small.width()) / picture.width();
    const double sy = static_cast<double>(small.height()) / picture.height();
    const QRect photoArea =
        QRectF(hole.left() * sx, hole.top() * sy, hole.width() * sx, hole.height() * sy).toAlignedRect();
    QImage composed = blankCanvas(small.width(), small.height());
    QPainter painter(&composed);
    painter.drawImage(photoArea.topLeft(), samplePhoto(photoArea.width(), photoArea.height()));
    painter.drawImage(0, 0, small);
    painter.end();
    return straightAlpha(composed);
}

} // namespace

StarterEntry finishedFrame(const QString& name, const QImage& canvas, const QRect& hole) {
    QImage picture = straightAlpha(canvas);
    for (int y = hole.top(); y <= hole.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = hole.left(); x <= hole.right(); ++x)
            row[x] = 0;
    }
    StarterEntry entry;
    entry.name = name;
    entry.thumbnail = frameThumbnail(picture, hole);
    entry.picture = std::move(picture);
    entry.hole = hole;
    return entry;
}

std::vector<EntryRecipe> frameRecipes() {
    return {carvedWoodFrame,   gildedFrame,    brushedSilverFrame, passePartoutFrame,
            instantPhotoFrame, filmStripFrame, roundedCardFrame,   tornPaperFrame,
            stampFrame,        vintageFrame,   chalkboardFrame,    confettiFrame};
}

} // namespace starter
