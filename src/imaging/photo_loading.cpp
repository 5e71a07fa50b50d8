#include "imaging/photo_loading.h"

#include "imaging/image_holder.h"
#include "imaging/jpeg_codec.h"
#include "imaging/platform_picture.h"
#include "imaging/resample_bilinear.h"

#include <cstring>

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

// The picture as 24-bit rows, B,G,R, top row first (bytesPerLine may hold padding).
QImage bgrImage(PlatformPicture& platform) {
    QImage image = platform.read();
    if (image.isNull())
        return {};
    return image.format() == QImage::Format_BGR888 ? image : image.convertToFormat(QImage::Format_BGR888);
}

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
    std::vector<std::uint8_t> cropped(static_cast<std::size_t>(kept) * 3 *
                                      static_cast<std::size_t>(pixels.height));
    for (int y = 0; y < pixels.height; ++y)
        std::memcpy(cropped.data() + static_cast<std::size_t>(y) * kept * 3,
                    pixels.pixels.data() + static_cast<std::size_t>(y) * pixels.width * 3,
                    static_cast<std::size_t>(kept) * 3);
    ResampleBilinear(cropped.data(), kept, pixels.height, buffer, width, height, 3, true);
    return Outcome::success();
}

Outcome platformScaled(PlatformPicture& platform, std::uint8_t* buffer, int width, int height,
                       ScaledLayout layout) {
    if (layout == ScaledLayout::Thumbnail && platform.format() == "jpeg" &&
        jpegScaleFor(platform.size(), width, height) > 1)
        return scaledJpeg(platform, buffer, width, height);
    const QImage image = bgrImage(platform);
    if (image.isNull())
        return Outcome::failure("the picture cannot be decoded");
    // Pictures narrower than 4 pixels keep their width rather than vanish.
    const int w = image.width() >= 4 ? roundedToFour(image.width()) : image.width();
    const int h = image.height();
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(w) * 3 * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        std::memcpy(rows.data() + static_cast<std::size_t>(y) * w * 3, image.constScanLine(y),
                    static_cast<std::size_t>(w) * 3);
    ResampleBilinear(rows.data(), w, h, buffer, width, height, 3, layout == ScaledLayout::Thumbnail);
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

} // namespace

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
    if (takesPlatformRoute(platform, path) && std::int64_t{size.width()} * size.height() <= kMaxPhotoPixels) {
        const QImage image = bgrImage(platform);
        if (image.isNull())
            return Outcome::failure("the picture cannot be decoded");
        const int width = roundedToFour(image.width());
        if (width == 0)
            return Outcome::failure("picture narrower than 4 pixels");
        LoadedPicture result;
        result.photo.width = width;
        result.photo.height = image.height();
        result.photo.bgr.resize(result.photo.stride() * static_cast<std::size_t>(image.height()));
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(result.photo.row(y), image.constScanLine(y), result.photo.stride());
        loaded = std::move(result);
        return Outcome::success();
    }

    ImageHolder holder;
    Outcome outcome = holder.Load(path);
    if (!outcome)
        return outcome;
    Picture& picture = *holder.Image();
    if (std::int64_t{picture.GetWidth()} * picture.GetHeight() > kMaxPhotoPixels) {
        int width = picture.GetWidth();
        int height = picture.GetHeight();
        cappedSize(width, height);
        if (!picture.Resample(width, height, 1))
            return Outcome::failure("the picture cannot be resampled");
    }
    const int width = roundedToFour(picture.GetWidth());
    const int height = picture.GetHeight();
    if (width == 0)
        return Outcome::failure("picture narrower than 4 pixels");
    LoadedPicture result;
    result.libraryDecoded = true;
    result.formatCode = picture.GetType();
    result.photo.width = width;
    result.photo.height = height;
    result.photo.bgr.resize(result.photo.stride() * static_cast<std::size_t>(height));
    for (int t = 0; t < height; ++t)
        std::memcpy(result.photo.row(t), picture.GetBits(height - 1 - t), result.photo.stride());
    loaded = std::move(result);
    return Outcome::success();
}

Outcome LoadPictureScaled(const QString& path, std::uint8_t* buffer, int width, int height,
                          ScaledLayout layout) {
    if (buffer == nullptr || width <= 0 || height <= 0 || !pixelCountAcceptable(width, height))
        return Outcome::failure("no room for the picture");
    PlatformPicture platform(path);
    if (takesPlatformRoute(platform, path))
        return platformScaled(platform, buffer, width, height, layout);
    return libraryScaled(path, buffer, width, height, layout);
}

} // namespace imaging
