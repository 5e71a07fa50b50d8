#include "workspace/undo/undo_image.h"

#include "imaging/files/jpeg_codec.h"
#include "imaging/files/photo_loading.h"

namespace workspace {

namespace {

constexpr int kUndoJpegQuality = 90;

// What encodeUndoImage is given: a workspace photo, its width a multiple of 4, never larger than one.
bool isWorkspacePhotoSize(int width, int height) {
    return width > 0 && height > 0 && width % 4 == 0 &&
           std::int64_t{width} * height <= imaging::kMaxPhotoPixels;
}

} // namespace

std::optional<UndoImageRecord> encodeUndoImage(const imaging::PhotoBuffer& photo) {
    if (photo.empty())
        return std::nullopt;
    std::string reason;
    const std::vector<std::uint8_t> jpeg =
        imaging::encodeJpeg(photo.bgr.data(), photo.width, photo.height, photo.stride(),
                            imaging::JpegInput::Bgr, kUndoJpegQuality, reason);
    if (jpeg.empty())
        return std::nullopt;
    return UndoImageRecord{
        photo.width, photo.height,
        QByteArray(reinterpret_cast<const char*>(jpeg.data()), static_cast<qsizetype>(jpeg.size()))};
}

std::optional<imaging::PhotoBuffer> decodeUndoImage(const UndoImageRecord& record) {
    // A damaged file may pair any size with any picture; the workspace takes only the photo the record
    // names, so its size rules hold after an undo too.
    if (!isWorkspacePhotoSize(record.width, record.height))
        return std::nullopt;
    imaging::JpegPixels pixels;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(record.jpeg.constData());
    if (!imaging::decodeJpegPixels({bytes, static_cast<std::size_t>(record.jpeg.size())}, 1, 3, pixels) ||
        pixels.width != record.width || pixels.height != record.height)
        return std::nullopt;
    imaging::PhotoBuffer photo;
    photo.width = pixels.width;
    photo.height = pixels.height;
    photo.bgr = std::move(pixels.pixels);
    return photo;
}

} // namespace workspace
