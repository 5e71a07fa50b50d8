#include "workspace/decorations/resource_pictures.h"

#include "resources/resource_library.h"
#include "resources/resource_types.h"

#include <QFileInfo>

namespace workspace {

namespace {

struct PictureBytes {
    std::int64_t operator()(const QImage& image) const { return image.sizeInBytes(); }
    std::int64_t operator()(const std::shared_ptr<const imaging::RasterImage>& image) const {
        return image ? static_cast<std::int64_t>(image->bgra.size()) : 0;
    }
};

} // namespace

bool ResourcePictures::fileExists(const QString& fileName) const {
    return library_ && QFileInfo::exists(library_->pathOf(fileName));
}

void ResourcePictures::forget() {
    const std::lock_guard lock(mutex_);
    entries_.clear();
}

template <typename Read>
ResourcePictures::Picture ResourcePictures::find(const QString& fileName, int index, Read read) {
    if (!library_ || index < 0)
        return {};
    const std::lock_guard lock(mutex_);
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->index == index && it->fileName == fileName) {
            entries_.splice(entries_.begin(), entries_, it);
            return entries_.front().picture;
        }
    }
    Picture picture = read();
    const std::int64_t bytes = std::visit(PictureBytes{}, picture);
    if (bytes == 0)
        return picture;
    entries_.push_front({fileName, index, picture, bytes});
    std::int64_t total = 0;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        total += it->bytes;
        // The newest always stays, however large.
        if (total > kBudgetBytes && it != entries_.begin()) {
            entries_.erase(it, entries_.end());
            break;
        }
    }
    return picture;
}

QImage ResourcePictures::encoded(const QString& fileName, int index) {
    const Picture picture =
        find(fileName, index, [&]() -> Picture { return library_->ReadEncodedPicture(fileName, index); });
    const QImage* image = std::get_if<QImage>(&picture);
    return image ? *image : QImage();
}

QImage ResourcePictures::raw(const QString& fileName, int index) {
    const Picture picture =
        find(fileName, index, [&]() -> Picture { return library_->ReadRawPicture(fileName, index); });
    const QImage* image = std::get_if<QImage>(&picture);
    return image ? *image : QImage();
}

std::shared_ptr<const imaging::RasterImage> ResourcePictures::mask(int index) {
    const Picture picture = find(resources::files::kMasks, index, [&]() -> Picture {
        std::optional<imaging::RasterImage> pixels = library_->ReadMaskPixels(index);
        if (!pixels)
            return std::shared_ptr<const imaging::RasterImage>();
        return std::make_shared<const imaging::RasterImage>(std::move(*pixels));
    });
    const auto* pixels = std::get_if<std::shared_ptr<const imaging::RasterImage>>(&picture);
    return pixels ? *pixels : nullptr;
}

} // namespace workspace
