// Draws every starter decoration over photos of four shapes (4 : 3, 3 : 2, 16 : 9 and 2 : 3) as the
// workspace fits it, beside its list thumbnail, into one PNG to look them over.
//   decoration-sheet FILE.png

#include "decoration_art.h"
#include "sample_photo.h"
#include "work_pool.h"
#include "workspace/decorations/fitted_decoration.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>

namespace {

constexpr int kMargin = 24;
constexpr int kGap = 16;
constexpr int kShotHeight = 300;
constexpr int kCaption = 28;
constexpr int kThumbnailCell = 64;
const QSize kShapes[] = {{400, 300}, {450, 300}, {533, 300}, {200, 300}};
const char* const kShapeNames[] = {"4 : 3", "3 : 2", "16 : 9", "2 : 3"};

int sheetWidth() {
    int width = 2 * kMargin + kThumbnailCell;
    for (const QSize& shape : kShapes)
        width += kGap + shape.width();
    return width;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: decoration-sheet FILE.png\n");
        return 2;
    }
    const std::vector<starter::EntryRecipe> recipes = starter::decorationRecipes();
    std::vector<starter::StarterEntry> decorations(recipes.size());
    starter::forEachIndex(recipes.size(), [&](std::size_t i) { decorations[i] = recipes[i](); });
    const int rowHeight = kShotHeight + kCaption + kGap;
    QImage sheet(sheetWidth(), 2 * kMargin + kCaption + static_cast<int>(decorations.size()) * rowHeight,
                 QImage::Format_RGB32);
    sheet.fill(QColor(228, 228, 232));
    QPainter painter(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(16);
    painter.setFont(font);
    painter.setPen(QColor(40, 40, 50));
    int x = kMargin + kThumbnailCell + kGap;
    for (std::size_t shape = 0; shape < std::size(kShapes); ++shape) {
        painter.drawText(QRect(x, kMargin, kShapes[shape].width(), kCaption), Qt::AlignCenter,
                         QString::fromUtf8(kShapeNames[shape]));
        x += kShapes[shape].width() + kGap;
    }
    for (std::size_t i = 0; i < decorations.size(); ++i) {
        const int top = kMargin + kCaption + static_cast<int>(i) * rowHeight;
        const starter::StarterEntry& entry = decorations[i];
        // The thumbnail as the list shows it: centred in a white 64-pixel cell.
        const QRect cell(kMargin, top, kThumbnailCell, kThumbnailCell);
        painter.fillRect(cell, Qt::white);
        painter.drawImage(cell.center() - QPoint(entry.thumbnail.width(), entry.thumbnail.height()) / 2 +
                              QPoint(1, 1),
                          entry.thumbnail);
        x = kMargin + kThumbnailCell + kGap;
        for (const QSize& shape : kShapes) {
            painter.drawImage(QPoint(x, top), starter::samplePhoto(shape.width(), shape.height()));
            painter.drawImage(QPoint(x, top), workspace::fittedDecoration(entry.picture, shape));
            x += shape.width() + kGap;
        }
        painter.drawText(QRect(kMargin, top + kShotHeight, sheet.width() - 2 * kMargin, kCaption),
                         Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1. %2").arg(i).arg(entry.name));
    }
    painter.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "decoration-sheet: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
