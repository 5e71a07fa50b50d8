#include "starter_packages.h"

#include "imaging/files/atomic_file.h"
#include "work_pool.h"

#include <QDir>

namespace starter {

std::vector<StarterPackage> starterPackages(const StarterLibrary& library) {
    using resources::ResourceCategory;
    return {{QStringLiteral("starter-frames.irs"), ResourceCategory::Frames, &library.frames},
            {QStringLiteral("starter-masks.irs"), ResourceCategory::Masks, &library.masks},
            {QStringLiteral("starter-cliparts.irs"), ResourceCategory::Cliparts, &library.cliparts},
            {QStringLiteral("starter-decorations.irs"), ResourceCategory::Decorations, &library.decorations},
            {QStringLiteral("starter-brushes.irs"), ResourceCategory::Brushes, &library.brushTips}};
}

resources::PhotoHole holeFractions(const StarterEntry& frame) {
    const auto width = static_cast<float>(frame.picture.width());
    const auto height = static_cast<float>(frame.picture.height());
    return {static_cast<float>(frame.hole.left()) / width, static_cast<float>(frame.hole.top()) / height,
            static_cast<float>(frame.hole.right() + 1) / width,
            static_cast<float>(frame.hole.bottom() + 1) / height};
}

namespace {

resources::PackageEntry packageEntry(resources::ResourceCategory category, const StarterEntry& entry) {
    resources::PackageEntry packed;
    packed.thumbnail = resources::rawPixelsOf(entry.thumbnail);
    packed.pictureWidth = entry.picture.width();
    packed.pictureHeight = entry.picture.height();
    if (resources::keepsPictures(category))
        packed.picture = resources::encodePng(entry.picture);
    if (resources::carriesHole(category))
        packed.hole = holeFractions(entry);
    return packed;
}

} // namespace

std::vector<std::uint8_t> packageBytes(const StarterPackage& package, QString& reason) {
    // PNG encoding is the slow part; it runs on a few threads and the entries are added in order.
    const std::vector<StarterEntry>& entries = *package.entries;
    std::vector<resources::PackageEntry> packed(entries.size());
    forEachIndex(entries.size(),
                 [&](std::size_t i) { packed[i] = packageEntry(package.category, entries[i]); });
    resources::PackageWriter writer(package.category);
    for (std::size_t i = 0; i < packed.size(); ++i) {
        const imaging::Outcome added = writer.addEntry(packed[i]);
        if (!added) {
            reason = QStringLiteral("%1, entry %2 (%3): %4")
                         .arg(package.fileName)
                         .arg(i)
                         .arg(entries[i].name, QString::fromStdString(added.reason));
            return {};
        }
    }
    return writer.bytes();
}

bool writeStarterPackages(const StarterLibrary& library, const QString& folder, QString& reason) {
    if (!QDir().mkpath(folder)) {
        reason = QStringLiteral("cannot create the folder %1").arg(folder);
        return false;
    }
    for (const StarterPackage& package : starterPackages(library)) {
        const std::vector<std::uint8_t> bytes = packageBytes(package, reason);
        if (bytes.empty())
            return false;
        const QString path = QDir(folder).filePath(package.fileName);
        const imaging::Outcome saved = imaging::writeFileReplacing(path, bytes);
        if (!saved) {
            reason = QStringLiteral("cannot write %1: %2").arg(path, QString::fromStdString(saved.reason));
            return false;
        }
    }
    return true;
}

} // namespace starter
