#include "workspace/resource_pictures.h"

#include "resources/resource_library.h"
#include "resources/resource_types.h"

#include <QFileInfo>

namespace workspace {

namespace {

std::int64_t bytesOf(const QImage& image) {
    return image.sizeInBytes();
}

std::int64_t bytesOf(const imaging::RasterImage& image) {
    return static_cast<std::int64_t>(image.bgra.size());
}

} // namespace

bool ResourcePictures::fileExists(const QString& fileName) const {
    return library_ && QFileInfo::exists(library_->pathOf(fileName));
}

template <typename Read>
const ResourcePictures::Picture* ResourcePictures::find(const QString& fileName, int index, Read read) {
    if (!library_ || index < 0)
        return nullptr;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->index == index && it->fileName == fileName) {
            entries_.splice(entries_.begin(), entries_, it);
            return &entries_.front().picture;
        }
    }
    std::optional<Picture> picture = read();
    if (!picture)
        return nullptr;
    const std::int64_t bytes = std::visit([](const auto& p) { return bytesOf(p); }, *picture);
    entries_.push_front({fileName, index, std::move(*picture), bytes});
    std::int64_t total = 0;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        total += it->bytes;
        // The newest always stays, however large.
        if (total > kBudgetBytes && it != entries_.begin()) {
            entries_.erase(it, entries_.end());
            break;
        }
    }
    return &entries_.front().picture;
}

const QImage* ResourcePictures::encoded(const QString& fileName, int index) {
    const Picture* picture = find(fileName, index, [&]() -> std::optional<Picture> {
        QImage image = library_->ReadEncodedPicture(fileName, index);
        if (image.isNull())
            return std::nullopt;
        return image;
    });
    return picture ? std::get_if<QImage>(picture) : nullptr;
}

const QImage* ResourcePictures::raw(const QString& fileName, int index) {
    const Picture* picture = find(fileName, index, [&]() -> std::optional<Picture> {
        QImage image = library_->ReadRawPicture(fileName, index);
        if (image.isNull())
            return std::nullopt;
        return image;
    });
    return picture ? std::get_if<QImage>(picture) : nullptr;
}

const imaging::RasterImage* ResourcePictures::mask(int index) {
    const Picture* picture = find(resources::files::kMasks, index, [&]() -> std::optional<Picture> {
        std::optional<imaging::RasterImage> pixels = library_->ReadMaskPixels(index);
        if (!pixels)
            return std::nullopt;
        return std::move(*pixels);
    });
    return picture ? std::get_if<imaging::RasterImage>(picture) : nullptr;
}

} // namespace workspace
