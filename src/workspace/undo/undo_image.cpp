#include "workspace/undo/undo_image.h"

#include "imaging/files/jpeg_codec.h"

namespace workspace {

namespace {
constexpr int kUndoJpegQuality = 90;
}

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
    imaging::JpegPixels pixels;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(record.jpeg.constData());
    if (!imaging::decodeJpegPixels({bytes, static_cast<std::size_t>(record.jpeg.size())}, 1, 3, pixels))
        return std::nullopt;
    imaging::PhotoBuffer photo;
    photo.width = pixels.width;
    photo.height = pixels.height;
    photo.bgr = std::move(pixels.pixels);
    return photo;
}

} // namespace workspace
