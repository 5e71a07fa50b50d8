// The starter packages the build writes: every entry as the editor will read it, the frames' holes, the
// sizes each category needs, and the same bytes from a second run.

#include "imaging/files/platform_picture.h"
#include "resources/package_reader.h"
#include "resources/resource_library.h"
#include "resources/starter_library.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace {

using resources::PackageEntry;
using resources::ResourceCategory;

const std::map<ResourceCategory, QString> kPackages = {
    {ResourceCategory::Frames, QStringLiteral("starter-frames.irs")},
    {ResourceCategory::Masks, QStringLiteral("starter-masks.irs")},
    {ResourceCategory::Cliparts, QStringLiteral("starter-cliparts.irs")},
    {ResourceCategory::Decorations, QStringLiteral("starter-decorations.irs")},
    {ResourceCategory::Brushes, QStringLiteral("starter-brushes.irs")},
};

// A thumbnail the browser shows at its own size: within a 64-pixel cell less its 3-pixel margins.
constexpr int kCellInside = 58;

struct Entry {
    QImage thumbnail;
    QImage picture; // decoded picture part; for cliparts and brush tips, the raw part itself
    resources::PhotoHole hole;
};

QImage imageOf(const imaging::RasterImage& raster) {
    QImage image(raster.width, raster.height, QImage::Format_ARGB32);
    for (int y = 0; y < raster.height; ++y)
        std::memcpy(image.scanLine(y), raster.row(y), raster.stride());
    return image;
}

// Reads a package of the build the way the importer does, decoding each picture as the editor would.
std::vector<Entry> readPackage(ResourceCategory category) {
    QFile file(QDir(QStringLiteral(STARTER_FOLDER)).filePath(kPackages.at(category)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    resources::PackageReader reader(file);
    const imaging::Outcome header = reader.readHeader();
    EXPECT_TRUE(header) << header.reason;
    EXPECT_EQ(reader.category(), category);
    std::vector<Entry> entries;
    for (int i = 0; i < reader.count(); ++i) {
        PackageEntry packed;
        const imaging::Outcome read = reader.readEntry(packed);
        EXPECT_TRUE(read) << "entry " << i << ": " << read.reason;
        if (!read)
            break;
        Entry entry;
        entry.thumbnail = imageOf(packed.thumbnail);
        entry.hole = packed.hole;
        if (resources::keepsPictures(category)) {
            imaging::PlatformPicture decoder(packed.picture);
            entry.picture = decoder.read().convertToFormat(QImage::Format_ARGB32);
            EXPECT_EQ(entry.picture.size(), QSize(packed.pictureWidth, packed.pictureHeight))
                << "entry " << i;
        } else {
            entry.picture = entry.thumbnail;
        }
        entries.push_back(std::move(entry));
    }
    EXPECT_TRUE(file.atEnd()) << "bytes left after the last entry";
    return entries;
}

bool transparentBorder(const QImage& picture) {
    for (int x = 0; x < picture.width(); ++x)
        if (qAlpha(picture.pixel(x, 0)) || qAlpha(picture.pixel(x, picture.height() - 1)))
            return false;
    for (int y = 0; y < picture.height(); ++y)
        if (qAlpha(picture.pixel(0, y)) || qAlpha(picture.pixel(picture.width() - 1, y)))
            return false;
    return true;
}

int countPixels(const QImage& picture, const std::function<bool(QRgb)>& test) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            count += test(row[x]) ? 1 : 0;
    }
    return count;
}

TEST(StarterLibrary, FramesAreTransparentExactlyInTheirCentredHole) {
    const std::vector<Entry> frames = readPackage(ResourceCategory::Frames);
    ASSERT_GE(frames.size(), 12u);
    int landscape = 0;
    int portrait = 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const QImage& picture = frames[i].picture;
        const int w = picture.width();
        const int h = picture.height();
        (w > h ? landscape : portrait) += 1;
        // The fractions land on whole pixels, so the hole the composer cuts is the one that was drawn.
        const resources::PhotoHole& hole = frames[i].hole;
        const double edges[] = {hole.left * w, hole.top * h, hole.right * w, hole.bottom * h};
        for (const double edge : edges)
            EXPECT_NEAR(edge, std::round(edge), 1e-3);
        const QRect rect(
            QPoint(static_cast<int>(std::lround(edges[0])), static_cast<int>(std::lround(edges[1]))),
            QPoint(static_cast<int>(std::lround(edges[2])) - 1, static_cast<int>(std::lround(edges[3])) - 1));
        ASSERT_TRUE(QRect(1, 1, w - 2, h - 2).contains(rect));
        // The photo is drawn about the frame's centre, so the hole must be centred too.
        EXPECT_EQ(rect.left(), w - 1 - rect.right());
        EXPECT_EQ(rect.top(), h - 1 - rect.bottom());
        int visibleInHole = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                visibleInHole += qAlpha(picture.pixel(x, y)) != 0;
        EXPECT_EQ(visibleInHole, 0);
        // The ring just outside the hole is opaque: no background shows between the frame and the photo.
        int seeThroughRing = 0;
        const QRect ring = rect.adjusted(-1, -1, 1, 1);
        for (int x = ring.left(); x <= ring.right(); ++x)
            seeThroughRing += (qAlpha(picture.pixel(x, ring.top())) != 255) +
                              (qAlpha(picture.pixel(x, ring.bottom())) != 255);
        for (int y = ring.top() + 1; y < ring.bottom(); ++y)
            seeThroughRing += (qAlpha(picture.pixel(ring.left(), y)) != 255) +
                              (qAlpha(picture.pixel(ring.right(), y)) != 255);
        EXPECT_EQ(seeThroughRing, 0);
        // And nowhere else is the frame see-through except round its outside: fill the transparent
        // pixels reachable from the picture's edge and from the hole; none may be left.
        std::vector<char> reached(static_cast<std::size_t>(w) * h, 0);
        std::vector<QPoint> stack;
        for (int x = 0; x < w; ++x)
            stack.insert(stack.end(), {QPoint(x, 0), QPoint(x, h - 1)});
        for (int y = 0; y < h; ++y)
            stack.insert(stack.end(), {QPoint(0, y), QPoint(w - 1, y)});
        stack.push_back(rect.center());
        int reachedCount = 0;
        while (!stack.empty()) {
            const QPoint p = stack.back();
            stack.pop_back();
            if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h)
                continue;
            char& seen = reached[static_cast<std::size_t>(p.y()) * w + p.x()];
            if (seen || qAlpha(picture.pixel(p)) != 0)
                continue;
            seen = 1;
            ++reachedCount;
            stack.insert(stack.end(),
                         {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
        }
        const int enclosed = countPixels(picture, [](QRgb c) { return qAlpha(c) == 0; }) - reachedCount;
        EXPECT_EQ(enclosed, 0) << "fully transparent pixels enclosed in the frame outside the hole";
    }
    EXPECT_GT(landscape, 0);
    EXPECT_GT(portrait, 0);
}

TEST(StarterLibrary, EveryEntryHasTheSizesItsCategoryNeeds) {
    const std::map<ResourceCategory, std::size_t> minimumCounts = {{ResourceCategory::Frames, 12},
                                                                   {ResourceCategory::Masks, 8},
                                                                   {ResourceCategory::Cliparts, 40},
                                                                   {ResourceCategory::Decorations, 8},
                                                                   {ResourceCategory::Brushes, 10}};
    for (const auto& [category, minimum] : minimumCounts) {
        const std::vector<Entry> entries = readPackage(category);
        EXPECT_GE(entries.size(), minimum) << kPackages.at(category).toStdString();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            SCOPED_TRACE(kPackages.at(category).toStdString() + " entry " + std::to_string(i));
            const QImage& picture = entries[i].picture;
            const QImage& thumbnail = entries[i].thumbnail;
            ASSERT_FALSE(picture.isNull());
            switch (category) {
            case ResourceCategory::Frames:
                // Shown at up to 0.6 of the canvas: sharp on a 1600 × 1200 photo.
                EXPECT_EQ(std::max(picture.width(), picture.height()), 960);
                EXPECT_EQ(std::min(picture.width(), picture.height()), 720);
                break;
            case ResourceCategory::Masks:
                // Scaled by canvas width / 1024: at scale 1 it spans the canvas.
                EXPECT_EQ(picture.size(), QSize(1024, 768));
                break;
            case ResourceCategory::Decorations:
                EXPECT_EQ(picture.size(), QSize(1600, 1200));
                break;
            case ResourceCategory::Cliparts:
                EXPECT_LE(std::max(picture.width(), picture.height()), 256);
                EXPECT_GE(std::max(picture.width(), picture.height()), 96);
                EXPECT_TRUE(transparentBorder(picture)) << "an edge of the clipart is cut off";
                break;
            case ResourceCategory::Brushes:
                // Stamped at size / width, 128 by default: one tip pixel per canvas pixel.
                EXPECT_EQ(picture.size(), QSize(128, 128));
                EXPECT_TRUE(transparentBorder(picture)) << "an edge of the tip is cut off";
                break;
            }
            if (resources::keepsPictures(category)) {
                EXPECT_LE(std::max(thumbnail.width(), thumbnail.height()), kCellInside);
                EXPECT_GE(std::max(thumbnail.width(), thumbnail.height()), kCellInside - 8);
                // The thumbnail keeps the picture's proportions.
                EXPECT_NEAR(static_cast<double>(thumbnail.width()) / thumbnail.height(),
                            static_cast<double>(picture.width()) / picture.height(), 0.05);
            }
        }
    }
}

TEST(StarterLibrary, PixelsAreOfTheFormEachCategoryIsUsedIn) {
    // Masks are grey and opaque: their blue byte decides between photo (black) and background (white),
    // with the photo showing in the middle and the background at the corners.
    for (const Entry& mask : readPackage(ResourceCategory::Masks)) {
        const QImage& picture = mask.picture;
        EXPECT_EQ(countPixels(picture,
                              [](QRgb c) {
                                  return qAlpha(c) != 255 || qRed(c) != qBlue(c) || qGreen(c) != qBlue(c);
                              }),
                  0);
        EXPECT_LT(qBlue(picture.pixel(picture.width() / 2, picture.height() / 2)), 10);
        EXPECT_GT(qBlue(picture.pixel(0, 0)), 230);
        EXPECT_GT(qBlue(picture.pixel(picture.width() - 1, picture.height() - 1)), 230);
    }
    // Cliparts are stored with straight alpha: a premultiplied store would never have a colour above
    // its alpha, and the soft light edges of bubbles and emoji do.
    int lightSoftEdges = 0;
    for (const Entry& clipart : readPackage(ResourceCategory::Cliparts))
        lightSoftEdges +=
            countPixels(clipart.picture, [](QRgb c) { return qAlpha(c) < 128 && qRed(c) > qAlpha(c) + 64; });
    EXPECT_GT(lightSoftEdges, 100);
    // A brush tip paints by its alpha only: every tip has solid and see-through parts.
    for (const Entry& tip : readPackage(ResourceCategory::Brushes)) {
        EXPECT_GT(countPixels(tip.picture, [](QRgb c) { return qAlpha(c) > 200; }), 100);
        EXPECT_GT(countPixels(tip.picture, [](QRgb c) { return qAlpha(c) == 0; }), 2000);
    }
    // A decoration lies over the whole photo, so most of it must let the photo through.
    for (const Entry& decoration : readPackage(ResourceCategory::Decorations)) {
        const int total = decoration.picture.width() * decoration.picture.height();
        EXPECT_GT(countPixels(decoration.picture, [](QRgb c) { return qAlpha(c) < 64; }), total / 2);
        EXPECT_GT(countPixels(decoration.picture, [](QRgb c) { return qAlpha(c) > 128; }), 0);
    }
}

// Each thumbnail belongs to the picture at the same position: the browser shows thumbnail N and the
// editor places picture N.
TEST(StarterLibrary, ThumbnailsShowTheirOwnPictures) {
    // Frames: the thumbnail's outer ring is the frame's own outer ring, scaled down.
    const std::vector<Entry> frames = readPackage(ResourceCategory::Frames);
    auto ringDifference = [](const QImage& thumbnail, const QImage& picture) {
        const QImage small =
            picture.scaled(thumbnail.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        double difference = 0;
        int counted = 0;
        for (int y = 0; y < thumbnail.height(); ++y) {
            for (int x = 0; x < thumbnail.width(); ++x) {
                const int inset = std::min({x, y, thumbnail.width() - 1 - x, thumbnail.height() - 1 - y});
                const QRgb a = thumbnail.pixel(x, y);
                const QRgb b = small.pixel(x, y);
                if (inset < 2 || inset > 3 || qAlpha(a) < 255 || qAlpha(b) < 255)
                    continue;
                difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                              std::abs(qBlue(a) - qBlue(b));
                ++counted;
            }
        }
        return counted ? difference / counted : 0.0;
    };
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const double own = ringDifference(frames[i].thumbnail, frames[i].picture);
        const double other = ringDifference(frames[i].thumbnail, frames[(i + 1) % frames.size()].picture);
        EXPECT_LT(own, 30) << "frame " << i;
        EXPECT_LT(own * 2, other) << "frame " << i << " looks like the next frame's thumbnail";
    }
    // Masks: the thumbnail is white exactly where the mask shows the background (blue above 0.9 × 255).
    const std::vector<Entry> masks = readPackage(ResourceCategory::Masks);
    for (std::size_t i = 0; i < masks.size(); ++i) {
        const QImage small = masks[i].picture.scaled(masks[i].thumbnail.size(), Qt::IgnoreAspectRatio,
                                                     Qt::SmoothTransformation);
        int disagreements = 0;
        for (int y = 0; y < small.height(); ++y)
            for (int x = 0; x < small.width(); ++x)
                disagreements += (qBlue(small.pixel(x, y)) > 229) !=
                                 (masks[i].thumbnail.pixel(x, y) == qRgb(255, 255, 255));
        EXPECT_LT(disagreements, small.width() * small.height() / 20) << "mask " << i;
    }
}

// A first start imports the packages through the real importer, and every list then holds the starter
// entries, readable the way the browser and the composer read them.
TEST(StarterLibrary, AFirstStartImportsEveryPackage) {
    testing_support::TempFolder program;
    const platform::Folders folders(program.path());
    const auto results = resources::prepareLibrary(folders, QStringLiteral(STARTER_FOLDER));
    ASSERT_EQ(results.size(), kPackages.size());
    std::map<ResourceCategory, int> imported;
    for (const auto& [path, result] : results) {
        EXPECT_TRUE(result.imported()) << path.toStdString() << ": " << result.reason;
        imported[result.category] = result.count;
    }
    const resources::ResourceLibrary library(folders);
    for (const auto& [category, count] : imported) {
        const resources::ResourceLibrary::RawList list =
            library.ReadRawList(resources::filesOf(category).rawList);
        EXPECT_TRUE(list.complete);
        EXPECT_EQ(static_cast<int>(list.pictures.size()), count);
    }
    const std::vector<Entry> frames = readPackage(ResourceCategory::Frames);
    const int last = static_cast<int>(frames.size()) - 1;
    EXPECT_EQ(library.ReadEncodedPicture(resources::files::kFrames, last), frames.back().picture);
    const std::optional<resources::EntryHeader> header =
        library.ReadEntryHeader(resources::files::kFrames, last);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->hole, frames.back().hole);
    EXPECT_EQ(library.ReadMaskPixels(0).value_or(imaging::RasterImage{}).width, 1024);
    EXPECT_EQ(library.ReadEncodedPicture(resources::files::kDecorations, 7).size(), QSize(1600, 1200));
}

TEST(StarterLibrary, RefusesUsageErrorsAndAnUnwritableFolderAtOnce) {
    QProcess program;
    program.start(QStringLiteral(STARTER_PROGRAM), {});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 2);

    testing_support::TempFolder folder;
    ASSERT_TRUE(folder.write(QStringLiteral("plain-file"), "not a folder"));
    program.start(QStringLiteral(STARTER_PROGRAM), {folder.file(QStringLiteral("plain-file/Starter"))});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_TRUE(program.readAllStandardError().contains("cannot create the folder"));
}

TEST(StarterLibrary, ASecondRunWritesTheSameBytes) {
    testing_support::TempFolder folder;
    QProcess program;
    program.start(QStringLiteral(STARTER_PROGRAM), {folder.path()});
    ASSERT_TRUE(program.waitForFinished(240000));
    ASSERT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    for (const auto& [category, name] : kPackages) {
        QFile built(QDir(QStringLiteral(STARTER_FOLDER)).filePath(name));
        ASSERT_TRUE(built.open(QIODevice::ReadOnly));
        const QByteArray again = folder.read(name);
        EXPECT_FALSE(again.isEmpty()) << name.toStdString();
        EXPECT_TRUE(built.readAll() == again) << name.toStdString() << " differs between two runs";
    }
}

} // namespace
