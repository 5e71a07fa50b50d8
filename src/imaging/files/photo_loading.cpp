#include "imaging/files/photo_loading.h"

#include "imaging/files/format_codes.h"
#include "imaging/files/jpeg_codec.h"
#include "imaging/files/platform_picture.h"
#include "imaging/image_holder.h"
#include "imaging/pixel_rows.h"
#include "imaging/reduce_by_area.h"
#include "imaging/resample_bilinear.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <optional>
#include <vector>

namespace imaging {

namespace {

constexpr int kMaxPhotoWidth = 1600;
constexpr int kMaxPhotoHeight = 1200;

// The size a picture above the photo cap is scaled to: 1600 wide when it is wider than 4 : 3, else 1200
// high. Never below one pixel, however extreme the aspect.
void cappedSize(int& width, int& height) {
    const std::int64_t w = width;
    const std::int64_t h = height;
    if (static_cast<float>(width) / static_cast<float>(height) > 1.3333334f) {
        width = kMaxPhotoWidth;
        height = static_cast<int>(std::max<std::int64_t>(1, h * kMaxPhotoWidth / w));
    } else {
        width = static_cast<int>(std::max<std::int64_t>(1, w * kMaxPhotoHeight / h));
        height = kMaxPhotoHeight;
    }
}

int roundedToFour(int width) {
    return width & ~3;
}

// Where B, G and R lie in the rows of a decoded image; nothing for layouts that need converting first.
// Straight alpha is ignored, as a conversion to 24 bits ignores it; premultiplied colours need converting.
std::optional<SourceLayout> bgrLayoutOf(QImage::Format format) {
    // 32-bit formats hold one native-endian word per pixel: blue is its lowest byte.
    constexpr bool little = Q_BYTE_ORDER == Q_LITTLE_ENDIAN;
    switch (format) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        return little ? SourceLayout{4, {0, 1, 2}} : SourceLayout{4, {3, 2, 1}};
    case QImage::Format_RGBX8888:
    case QImage::Format_RGBA8888:
        return SourceLayout{4, {2, 1, 0}};
    case QImage::Format_BGR888:
        return SourceLayout{3, {0, 1, 2}};
    case QImage::Format_RGB888:
        return SourceLayout{3, {2, 1, 0}};
    case QImage::Format_Grayscale8:
        return SourceLayout{1, {0, 0, 0}};
    default:
        return std::nullopt;
    }
}

// The rows of an image in any other layout (palette, one bit, premultiplied…), each converted to ARGB32
// when the resampler asks for it and kept until two more rows have been asked for.
class ConvertedRows {
public:
    explicit ConvertedRows(const QImage& image) : image_(image) {}

    const std::uint8_t* operator()(int y) {
        const auto slot = static_cast<std::size_t>(y % 2);
        if (held_[slot] != y) {
            QImage row(image_.constScanLine(y), image_.width(), 1, image_.bytesPerLine(), image_.format());
            row.setColorTable(image_.colorTable());
            rows_[slot] = row.convertToFormat(QImage::Format_ARGB32);
            held_[slot] = y;
        }
        return rows_[slot].constBits();
    }

private:
    const QImage& image_;
    std::array<QImage, 2> rows_;
    std::array<int, 2> held_{-1, -1};
};

// The largest JPEG scale-down (1/8, 1/4, 1/2) that still leaves at least width × height pixels.
int jpegScaleFor(QSize source, int width, int height) {
    for (const int denominator : {8, 4, 2}) {
        if ((source.width() + denominator - 1) / denominator >= width &&
            (source.height() + denominator - 1) / denominator >= height)
            return denominator;
    }
    return 1;
}

// Thumbnails of JPEG files: the decoder's own DCT scaling does most of the shrinking, far faster than
// decoding every pixel, and then the bilinear resampling stretches the rest.
Outcome scaledJpeg(PlatformPicture& platform, std::uint8_t* buffer, int width, int height) {
    const QSize size = platform.size();
    JpegPixels pixels;
    Outcome outcome = decodeJpegPixels(platform.bytes(), jpegScaleFor(size, width, height), 3, pixels);
    if (!outcome)
        return outcome;
    // Keep the columns the full-size route keeps: the width rounded down to a multiple of 4.
    const int kept = std::max<int>(1, static_cast<int>(std::int64_t{roundedToFour(size.width())} *
                                                       pixels.width / std::max(1, size.width())));
    const std::size_t stride = static_cast<std::size_t>(pixels.width) * 3;
    const SourceRows rows = [&](int y) {
        return pixels.pixels.data() + stride * static_cast<std::size_t>(y);
    };
    ResampleBilinear(rows, SourceLayout{3, {0, 1, 2}}, kept, pixels.height, buffer, width, height, true);
    return Outcome::success();
}

// Scales the decoded picture where it lies: a large picture is held once, never copied.
Outcome platformScaled(PlatformPicture& platform, std::uint8_t* buffer, int width, int height,
                       ScaledLayout layout) {
    if (layout == ScaledLayout::Thumbnail && platform.format() == "jpeg" &&
        jpegScaleFor(platform.size(), width, height) > 1)
        return scaledJpeg(platform, buffer, width, height);
    const QImage image = platform.read();
    if (image.isNull())
        return Outcome::failure("the picture cannot be decoded");
    // Pictures narrower than 4 pixels keep their width rather than vanish.
    const int w = image.width() >= 4 ? roundedToFour(image.width()) : image.width();
    const bool reverse = layout == ScaledLayout::Thumbnail;
    if (const std::optional<SourceLayout> direct = bgrLayoutOf(image.format())) {
        const SourceRows rows = [&image](int y) { return image.constScanLine(y); };
        ResampleBilinear(rows, *direct, w, image.height(), buffer, width, height, reverse);
    } else {
        ConvertedRows converted(image);
        const SourceRows rows = [&converted](int y) { return converted(y); };
        ResampleBilinear(rows, *bgrLayoutOf(QImage::Format_ARGB32), w, image.height(), buffer, width, height,
                         reverse);
    }
    return Outcome::success();
}

Outcome libraryScaled(const QString& path, std::uint8_t* buffer, int width, int height, ScaledLayout layout) {
    ImageHolder holder;
    Outcome outcome = holder.Load(path);
    if (!outcome)
        return outcome;
    Picture& picture = *holder.Image();
    if (!picture.Resample(width, height, 1))
        return Outcome::failure("the picture cannot be resampled");
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    for (int i = 0; i < height; ++i) {
        const std::uint8_t* source = picture.GetBits(i);
        if (layout == ScaledLayout::Thumbnail) {
            std::uint8_t* target = buffer + rowBytes * static_cast<std::size_t>(i);
            for (std::size_t x = 0; x < rowBytes; x += 3) {
                target[x] = source[x + 2];
                target[x + 1] = source[x + 1];
                target[x + 2] = source[x];
            }
        } else {
            std::memcpy(buffer + rowBytes * static_cast<std::size_t>(height - 1 - i), source, rowBytes);
        }
    }
    return Outcome::success();
}

// The drawing library's photo: B,G,R rows with the width rounded down to a multiple of 4. An opaque 32-bit
// picture (what JPEG files decode to) is converted row by row straight into the photo.
Outcome platformPhoto(const QImage& read, LoadedPicture& loaded) {
    const int width = roundedToFour(read.width());
    if (width == 0)
        return Outcome::failure("picture narrower than 4 pixels");
    LoadedPicture result;
    result.sourceSize = read.size();
    result.photo.width = width;
    result.photo.height = read.height();
    result.photo.bgr.resize(result.photo.stride() * static_cast<std::size_t>(read.height()));
    if (read.format() == QImage::Format_RGB32) {
        for (int y = 0; y < read.height(); ++y)
            rgb32RowToBgr(reinterpret_cast<const QRgb*>(read.constScanLine(y)), result.photo.row(y), width);
    } else {
        const QImage image =
            read.format() == QImage::Format_BGR888 ? read : read.convertToFormat(QImage::Format_BGR888);
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(result.photo.row(y), image.constScanLine(y), result.photo.stride());
    }
    loaded = std::move(result);
    return Outcome::success();
}

// The photo of rows of `width` B,G,R pixels, top first, each `stride` bytes after the one above (negative
// for bottom-up memory): the width rounded down to a multiple of 4.
Outcome photoOfRows(const std::uint8_t* rows, std::ptrdiff_t stride, int width, int height,
                    PhotoBuffer& photo) {
    photo.width = roundedToFour(width);
    if (photo.width == 0)
        return Outcome::failure("picture narrower than 4 pixels");
    photo.height = height;
    photo.bgr.resize(photo.stride() * static_cast<std::size_t>(height));
    for (int t = 0; t < height; ++t)
        std::memcpy(photo.row(t), rows + stride * t, photo.stride());
    return Outcome::success();
}

// The image library's photo, rows turned top first: above `cap` reduced by area averaging, so that
// fine detail (fabric, foliage, printed screens) becomes its mean colour rather than moiré.
Outcome libraryPhoto(const QString& path, LoadedPicture& loaded, std::int64_t cap = kMaxPhotoPixels) {
    ImageHolder holder;
    Outcome outcome = holder.Load(path);
    if (!outcome)
        return outcome;
    const Picture& picture = *holder.Image();
    int width = picture.GetWidth();
    int height = picture.GetHeight();
    LoadedPicture result;
    result.libraryDecoded = true;
    result.formatCode = picture.GetType();
    result.sourceSize = QSize(width, height);
    if (std::int64_t{width} * height <= cap) {
        // Library rows are numbered from the bottom, so the top row comes last in memory.
        outcome =
            photoOfRows(picture.GetBits(height - 1), -std::ptrdiff_t{width} * 3, width, height, result.photo);
    } else {
        cappedSize(width, height);
        std::vector<std::uint8_t> reduced(static_cast<std::size_t>(width) * 3 *
                                          static_cast<std::size_t>(height));
        const int sourceHeight = picture.GetHeight();
        const SourceRows topFirst = [&picture, sourceHeight](int y) {
            return picture.GetBits(sourceHeight - 1 - y);
        };
        if (!ReduceByArea(topFirst, SourceLayout{3, {0, 1, 2}}, picture.GetWidth(), sourceHeight,
                          reduced.data(), width, height))
            return Outcome::failure("the picture cannot be reduced");
        outcome = photoOfRows(reduced.data(), std::ptrdiff_t{width} * 3, width, height, result.photo);
    }
    if (!outcome)
        return outcome;
    loaded = std::move(result);
    return Outcome::success();
}

// A JPEG above the cap, as the image library reads it, but reduced by area averaging while it is decoded:
// each row goes into the averages as it comes, so the full-size picture (72 MB for a 24-megapixel camera
// photo) is never held.
Outcome streamedJpegPhoto(const PlatformPicture& platform, LoadedPicture& loaded) {
    int width = platform.size().width();
    int height = platform.size().height();
    cappedSize(width, height);
    std::vector<std::uint8_t> reduced(static_cast<std::size_t>(width) * 3 * static_cast<std::size_t>(height));
    std::optional<AreaReducer> reducer;
    const JpegRowSink sink{[&](int sourceWidth, int sourceHeight) {
                               reducer.emplace(SourceLayout{3, {0, 1, 2}}, sourceWidth, sourceHeight,
                                               reduced.data(), width, height);
                               return reducer->valid();
                           },
                           [&](const std::uint8_t* row) { reducer->addRow(row); }};
    Outcome outcome = decodeJpegRows(platform.bytes(), 3, sink);
    if (!outcome)
        return outcome;
    LoadedPicture result;
    result.libraryDecoded = true;
    result.formatCode = kFormatJpeg;
    result.sourceSize = platform.size();
    outcome = photoOfRows(reduced.data(), std::ptrdiff_t{width} * 3, width, height, result.photo);
    if (!outcome)
        return outcome;
    loaded = std::move(result);
    return Outcome::success();
}

// A JPEG at full size, its rows decoded straight into the photo: the picture is held once.
Outcome fullJpegPhoto(const PlatformPicture& platform, LoadedPicture& loaded) {
    LoadedPicture result;
    result.libraryDecoded = true;
    result.formatCode = kFormatJpeg;
    result.sourceSize = platform.size();
    PhotoBuffer& photo = result.photo;
    int row = 0;
    const JpegRowSink sink{[&](int width, int height) {
                               photo.width = roundedToFour(width);
                               photo.height = height;
                               if (photo.width == 0)
                                   return false;
                               photo.bgr.resize(photo.stride() * static_cast<std::size_t>(height));
                               return true;
                           },
                           [&](const std::uint8_t* pixels) {
                               if (row < photo.height)
                                   std::memcpy(photo.row(row++), pixels, photo.stride());
                           }};
    if (Outcome outcome = decodeJpegRows(platform.bytes(), 3, sink); !outcome)
        return outcome;
    if (photo.empty() || row != photo.height)
        return Outcome::failure("the picture cannot be decoded");
    loaded = std::move(result);
    return Outcome::success();
}

} // namespace

Outcome LoadOriginalPhoto(const QString& path, LoadedPicture& loaded) {
    PlatformPicture platform(path);
    if (takesPlatformRoute(platform, path)) {
        if (platform.format() == "jpeg" && fullJpegPhoto(platform, loaded))
            return Outcome::success();
        if (const QImage image = platform.read(); !image.isNull())
            return platformPhoto(image, loaded);
    }
    return libraryPhoto(path, loaded, kMaxDecodePixels);
}

Outcome ProbePictureSize(const QString& path, int& width, int& height) {
    PlatformPicture platform(path);
    if (takesPlatformRoute(platform, path)) {
        width = platform.size().width();
        height = platform.size().height();
        return Outcome::success();
    }
    ImageHolder holder;
    Outcome outcome = holder.Load(path);
    if (!outcome)
        return outcome;
    width = holder.Image()->GetWidth();
    height = holder.Image()->GetHeight();
    return Outcome::success();
}

Outcome LoadPhoto(const QString& path, LoadedPicture& loaded) {
    PlatformPicture platform(path);
    const QSize size = platform.size();
    const bool recognised = takesPlatformRoute(platform, path);
    if (recognised && std::int64_t{size.width()} * size.height() <= kMaxPhotoPixels) {
        // A picture the drawing library recognises but cannot decode gets the image library's turn.
        if (const QImage image = platform.read(); !image.isNull())
            return platformPhoto(image, loaded);
    } else if (recognised && platform.format() == "jpeg" && streamedJpegPhoto(platform, loaded)) {
        return Outcome::success();
    }
    return libraryPhoto(path, loaded);
}

Outcome LoadPictureScaled(const QString& path, std::uint8_t* buffer, int width, int height,
                          ScaledLayout layout) {
    if (buffer == nullptr || width <= 0 || height <= 0 || !pixelCountAcceptable(width, height))
        return Outcome::failure("no room for the picture");
    {
        PlatformPicture platform(path);
        // As for photos: what the drawing library recognises but cannot decode goes to the image library.
        if (takesPlatformRoute(platform, path) && platformScaled(platform, buffer, width, height, layout))
            return Outcome::success();
    }
    return libraryScaled(path, buffer, width, height, layout);
}

} // namespace imaging
