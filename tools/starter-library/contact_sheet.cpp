#include "contact_sheet.h"

#include "art_kit.h"
#include "imaging/fit_size.h"
#include "preview_compose.h"
#include "sample_photo.h"

#include <QDir>
#include <QFont>
#include <QPainter>
#include <cmath>
#include <functional>

namespace starter {

namespace {

constexpr int kSheetWidth = 2000;
constexpr int kMargin = 40;
constexpr int kGap = 24;
constexpr int kCaption = 30;
constexpr int kListCell = 64;
const QColor kSheetColour(228, 228, 232);

QFont sheetFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void checkerboard(QPainter& painter, const QRect& area) {
    constexpr int kSquare = 12;
    painter.fillRect(area, QColor(255, 255, 255));
    for (int y = area.top(); y < area.bottom(); y += kSquare)
        for (int x = area.left() + ((y - area.top()) / kSquare % 2) * kSquare; x < area.right();
             x += 2 * kSquare)
            painter.fillRect(QRect(x, y, kSquare, kSquare).intersected(area), QColor(214, 214, 220));
}

// The thumbnails as a browser list shows them: cells of 64 × 64 less 3-pixel margins, pictures fitted
// without enlarging and centred.
int listStrip(QPainter& painter, int top, const std::vector<StarterEntry>& entries) {
    const int columns = (kSheetWidth - 2 * kMargin) / kListCell;
    const int rows = (static_cast<int>(entries.size()) + columns - 1) / columns;
    painter.fillRect(QRect(kMargin, top, columns * kListCell, rows * kListCell), Qt::white);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int column = static_cast<int>(i) % columns;
        const int row = static_cast<int>(i) / columns;
        const QRect cell(kMargin + column * kListCell + 3, top + row * kListCell + 3, kListCell - 6,
                         kListCell - 6);
        const QImage& thumbnail = entries[i].thumbnail;
        const imaging::FittedSize fitted =
            imaging::FitSize(cell.width(), cell.height(), thumbnail.width(), thumbnail.height(), false);
        const QRect target(cell.left() + (cell.width() - fitted.width) / 2,
                           cell.top() + (cell.height() - fitted.height) / 2, fitted.width, fitted.height);
        painter.drawImage(target, thumbnail);
    }
    return top + rows * kListCell;
}

using TilePainter = std::function<void(QPainter&, const QRect&, const StarterEntry&)>;

// A section: its title, the list strip, then a grid of tiles with captions. Returns the next free row.
int section(QPainter& painter, int top, const QString& title, const std::vector<StarterEntry>& entries,
            int columns, int tileHeight, const TilePainter& paintTile) {
    painter.setFont(sheetFont(30, true));
    painter.setPen(QColor(40, 40, 50));
    painter.drawText(QRect(kMargin, top, kSheetWidth - 2 * kMargin, 44), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("%1  (%2)").arg(title).arg(entries.size()));
    int y = listStrip(painter, top + 52, entries) + kGap;
    const int tileWidth = (kSheetWidth - 2 * kMargin - (columns - 1) * kGap) / columns;
    painter.setFont(sheetFont(17, false));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int column = static_cast<int>(i) % columns;
        const int row = static_cast<int>(i) / columns;
        const QRect tile(kMargin + column * (tileWidth + kGap), y + row * (tileHeight + kCaption + kGap),
                         tileWidth, tileHeight);
        painter.save();
        painter.setClipRect(tile);
        paintTile(painter, tile, entries[i]);
        painter.restore();
        painter.setPen(QColor(60, 60, 70));
        painter.drawText(QRect(tile.left(), tile.bottom() + 4, tile.width(), kCaption - 4), Qt::AlignCenter,
                         QStringLiteral("%1. %2").arg(i).arg(entries[i].name));
    }
    const int rows = (static_cast<int>(entries.size()) + columns - 1) / columns;
    return y + rows * (tileHeight + kCaption + kGap) + kGap;
}

int sheetHeight(const StarterLibrary& library) {
    auto height = [](std::size_t count, int columns, int tileHeight) {
        const int listColumns = (kSheetWidth - 2 * kMargin) / kListCell;
        const int listRows = (static_cast<int>(count) + listColumns - 1) / listColumns;
        const int rows = (static_cast<int>(count) + columns - 1) / columns;
        return 52 + listRows * kListCell + kGap + rows * (tileHeight + kCaption + kGap) + kGap;
    };
    return kMargin + 80 + height(library.frames.size(), 4, 342) + height(library.masks.size(), 4, 342) +
           height(library.cliparts.size(), 8, 218) + height(library.decorations.size(), 4, 342) +
           height(library.brushTips.size(), 5, 220) + kMargin;
}

} // namespace

QImage contactSheet(const StarterLibrary& library) {
    QImage sheet(kSheetWidth, sheetHeight(library), QImage::Format_RGB32);
    sheet.fill(kSheetColour);
    QPainter painter(&sheet);
    smoothHints(painter);
    painter.setFont(sheetFont(40, true));
    painter.setPen(QColor(30, 30, 40));
    painter.drawText(QRect(kMargin, kMargin, kSheetWidth, 60), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Starter library"));
    int y = kMargin + 80;
    const QImage photo = samplePhoto(800, 600);

    y = section(painter, y, QStringLiteral("Frames"), library.frames, 4, 342,
                [&](QPainter& p, const QRect& tile, const StarterEntry& entry) {
                    // Composed in a larger view and cut to the tile, so the frame fills most of it.
                    QImage view(tile.size() / 0.72, QImage::Format_ARGB32_Premultiplied);
                    composeFramed(view, photo, entry.picture, entry.hole, Qt::white);
                    p.drawImage(
                        tile.topLeft(), view,
                        QRect(QPoint((view.width() - tile.width()) / 2, (view.height() - tile.height()) / 2),
                              tile.size()));
                });
    y = section(painter, y, QStringLiteral("Masks"), library.masks, 4, 342,
                [&](QPainter& p, const QRect& tile, const StarterEntry& entry) {
                    p.drawImage(tile.topLeft(), composeMasked(samplePhoto(tile.width(), tile.height()),
                                                              entry.picture, Qt::white));
                });
    y = section(
        painter, y, QStringLiteral("Cliparts"), library.cliparts, 8, 218,
        [&](QPainter& p, const QRect& tile, const StarterEntry& entry) {
            checkerboard(p, tile);
            const imaging::FittedSize fitted = imaging::FitSize(
                tile.width() - 16, tile.height() - 16, entry.picture.width(), entry.picture.height(), false);
            p.drawImage(QRect(tile.left() + (tile.width() - fitted.width) / 2,
                              tile.top() + (tile.height() - fitted.height) / 2, fitted.width, fitted.height),
                        entry.picture);
        });
    y = section(painter, y, QStringLiteral("Decorations"), library.decorations, 4, 342,
                [&](QPainter& p, const QRect& tile, const StarterEntry& entry) {
                    p.drawImage(tile.topLeft(), samplePhoto(tile.width(), tile.height()));
                    p.drawImage(tile, entry.picture);
                });
    section(painter, y, QStringLiteral("Brush tips"), library.brushTips, 5, 220,
            [&](QPainter& p, const QRect& tile, const StarterEntry& entry) {
                QImage canvas(tile.size(), QImage::Format_RGB32);
                canvas.fill(Qt::white);
                const QColor colours[] = {QColor(220, 40, 60), QColor(30, 110, 220), QColor(250, 170, 20),
                                          QColor(40, 160, 90)};
                for (int i = 0; i < 3; ++i)
                    stampTip(canvas, entry.picture, QPoint(60 + i * 110, 60), 40 + 24 * i, colours[i], 255);
                // A stroke: stamps along a wave, as a drag with the brush lays them down.
                for (int x = 40; x < tile.width() - 40; x += 14)
                    stampTip(canvas, entry.picture,
                             QPoint(x, 160 + static_cast<int>(22 * std::sin(x / 40.0))), 40, colours[3], 200);
                p.drawImage(tile.topLeft(), canvas);
            });
    return sheet;
}

bool writePreviews(const StarterLibrary& library, const QString& folder, QString& reason) {
    if (!QDir().mkpath(folder)) {
        reason = QStringLiteral("cannot create the folder %1").arg(folder);
        return false;
    }
    const QImage photo = samplePhoto(1600, 1200);
    auto save = [&](const QImage& image, const QString& name, std::size_t index) {
        const QString path =
            QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(name).arg(index, 2, 10, QLatin1Char('0')));
        if (!image.save(path)) {
            reason = QStringLiteral("cannot write %1").arg(path);
            return false;
        }
        return true;
    };
    for (std::size_t i = 0; i < library.masks.size(); ++i)
        if (!save(composeMasked(photo, library.masks[i].picture, Qt::white), QStringLiteral("mask"), i))
            return false;
    for (std::size_t i = 0; i < library.decorations.size(); ++i) {
        QImage view = photo.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&view);
        painter.drawImage(view.rect(), library.decorations[i].picture);
        painter.end();
        if (!save(view, QStringLiteral("decoration"), i))
            return false;
    }
    for (std::size_t i = 0; i < library.frames.size(); ++i) {
        const StarterEntry& frame = library.frames[i];
        QImage view(1600, 1200, QImage::Format_ARGB32_Premultiplied);
        composeFramed(view, photo, frame.picture, frame.hole, Qt::white);
        // Where the hole's top-left corner lands on the view, for a full-size close-up of the seam.
        const imaging::FittedSize fitted =
            imaging::FitSize(1600, 1200, frame.picture.width(), frame.picture.height(), true);
        const double scale =
            static_cast<int>(fitted.width * 0.6) / static_cast<double>(frame.picture.width());
        const QPoint corner(
            static_cast<int>(800 + (frame.hole.left() - frame.picture.width() / 2.0) * scale),
            static_cast<int>(600 + (frame.hole.top() - frame.picture.height() / 2.0) * scale));
        const QString base =
            QDir(folder).filePath(QStringLiteral("frame-%1").arg(i, 2, 10, QLatin1Char('0')));
        if (!view.save(base + QStringLiteral(".png")) ||
            !view.copy(QRect(corner - QPoint(100, 100), QSize(300, 220)))
                 .save(base + QStringLiteral("-corner.png"))) {
            reason = QStringLiteral("cannot write %1").arg(base);
            return false;
        }
    }
    return true;
}

} // namespace starter
