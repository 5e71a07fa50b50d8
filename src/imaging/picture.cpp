#include "imaging/picture.h"

#include "imaging/files/atomic_file.h"
#include "imaging/codecs/bmp_codec.h"
#include "imaging/codecs/metafile/metafile.h"
#include "imaging/codecs/pcx_codec.h"
#include "imaging/codecs/pnm_codec.h"
#include "imaging/codecs/tga_codec.h"
#include "imaging/files/format_codes.h"
#include "imaging/files/gif_codec.h"
#include "imaging/files/jpeg_codec.h"
#include "imaging/files/png_codec.h"
#include "imaging/resample_bilinear.h"
#include "imaging/files/tiff_codec.h"

#include <cstring>
#include <random>

namespace imaging {

namespace {

constexpr int kJpegQuality = 90;

DecodeResult decodeByFormat(std::span<const std::uint8_t> file, int formatCode) {
    switch (formatCode) {
    case kFormatBmp:
        return codecs::decodeBmp(file);
    case kFormatGif:
        return decodeGif(file);
    case kFormatJpeg:
        return decodeJpeg(file);
    case kFormatPng:
        return decodePng(file);
    case kFormatTiff:
        return decodeTiff(file);
    case kFormatTga:
        return codecs::decodeTga(file);
    case kFormatPcx:
        return codecs::decodePcx(file);
    case kFormatMetafile:
        return codecs::decodeMetafile(file);
    case kFormatPnm:
        return codecs::decodePnm(file);
    default:
        return DecodeResult::failure(CodecError::Unsupported, "no decoder for this format");
    }
}

} // namespace

std::uint64_t Picture::initialSeed() {
    std::random_device device;
    return (std::uint64_t{device()} << 32) | device();
}

Outcome Picture::load(const QString& path, int formatCode) {
    std::string reason;
    const std::vector<std::uint8_t> file = readWholeFile(path, reason);
    if (file.empty())
        return Outcome::failure(reason);
    return decode(file, formatCode);
}

Outcome Picture::decode(std::span<const std::uint8_t> file, int formatCode) {
    DecodeResult result = decodeByFormat(file, formatCode);
    if (!result.ok())
        return Outcome::failure(result.reason);
    return adopt(std::move(result.image), formatCode == kFormatMetafile, formatCode);
}

Outcome Picture::loadDib(std::span<const std::uint8_t> block) {
    DecodeResult result = codecs::decodeDib(block);
    if (!result.ok())
        return Outcome::failure(result.reason);
    return adopt(std::move(result.image), false, kFormatBmp);
}

Outcome Picture::adopt(RasterImage&& image, bool onWhite, int formatCode) {
    if (image.empty() || image.bgra.size() < image.stride() * static_cast<std::size_t>(image.height))
        return Outcome::failure("empty picture");
    // The decoded pixels become the picture's in place, so a large picture is held once: each row is
    // packed from 4 to 3 bytes a pixel (never writing ahead of what is still to be read), then the rows
    // are turned bottom first.
    const auto width = static_cast<std::size_t>(image.width);
    const auto height = static_cast<std::size_t>(image.height);
    const std::size_t rowBytes = width * 3;
    std::vector<std::uint8_t> bits = std::move(image.bgra);
    const bool blend = onWhite && image.hasAlpha;
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* source = bits.data() + y * width * 4;
        std::uint8_t* target = bits.data() + y * rowBytes;
        for (std::size_t x = 0; x < width; ++x, source += 4, target += 3) {
            // Read the whole pixel first: at the start of the first row target and source overlap.
            std::uint8_t pixel[4];
            std::memcpy(pixel, source, 4);
            if (blend) {
                const unsigned alpha = pixel[3];
                for (int c = 0; c < 3; ++c)
                    pixel[c] =
                        static_cast<std::uint8_t>((pixel[c] * alpha + 255 * (255 - alpha) + 127) / 255);
            }
            std::memcpy(target, pixel, 3);
        }
    }
    std::vector<std::uint8_t> spare(rowBytes);
    for (std::size_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::uint8_t* upper = bits.data() + top * rowBytes;
        std::uint8_t* lower = bits.data() + bottom * rowBytes;
        std::memcpy(spare.data(), upper, rowBytes);
        std::memcpy(upper, lower, rowBytes);
        std::memcpy(lower, spare.data(), rowBytes);
    }
    bits.resize(rowBytes * height); // shrinking keeps the block: no copy
    bits_ = PixelBytes(std::move(bits));
    width_ = image.width;
    height_ = image.height;
    type_ = formatCode;
    return Outcome::success();
}

std::uint8_t* Picture::GetBits(int row) {
    if (row < 0 || row >= height_)
        return nullptr;
    return bits_.data() + stride() * static_cast<std::size_t>(row);
}

const std::uint8_t* Picture::GetBits(int row) const {
    if (row < 0 || row >= height_)
        return nullptr;
    return bits_.data() + stride() * static_cast<std::size_t>(row);
}

RasterImage Picture::toRaster() const {
    RasterImage image;
    image.width = width_;
    image.height = height_;
    image.bgra.resize(image.stride() * static_cast<std::size_t>(height_));
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t* source = GetBits(height_ - 1 - y);
        std::uint8_t* target = image.row(y);
        for (int x = 0; x < width_; ++x, source += 3, target += 4) {
            target[0] = source[0];
            target[1] = source[1];
            target[2] = source[2];
            target[3] = 255;
        }
    }
    return image;
}

std::vector<std::uint8_t> Picture::encode(int formatCode, std::string& reason) const {
    if (!IsValid()) {
        reason = "no picture";
        return {};
    }
    std::vector<std::uint8_t> bytes;
    switch (formatCode) {
    case kFormatJpeg:
        // The top row is the last in memory: hand the rows over bottom-up without a copy.
        return encodeJpeg(GetBits(height_ - 1), width_, height_, -static_cast<std::ptrdiff_t>(stride()),
                          JpegInput::Bgr, kJpegQuality, reason);
    case kFormatBmp:
        bytes = codecs::encodeBmp(toRaster());
        break;
    case kFormatGif:
        bytes = encodeGif(toRaster());
        break;
    case kFormatPng:
        bytes = encodePng(toRaster());
        break;
    case kFormatTiff:
        bytes = encodeTiff(toRaster(), TiffCompression::Lzw);
        break;
    case kFormatTga:
        bytes = codecs::encodeTga(toRaster());
        break;
    case kFormatPcx:
        bytes = codecs::encodePcx(toRaster());
        break;
    case kFormatPnm:
        bytes = codecs::encodePnm(toRaster());
        break;
    default:
        reason = "no encoder for this format";
        return {};
    }
    if (bytes.empty())
        reason = "the encoder refused the picture";
    return bytes;
}

Outcome Picture::save(const QString& path, int formatCode) const {
    std::string reason;
    const std::vector<std::uint8_t> bytes = encode(formatCode, reason);
    if (bytes.empty())
        return Outcome::failure(reason);
    return writeFileReplacing(path, bytes);
}

bool Picture::commit(PixelBytes&& bits, int width, int height) {
    if (escaped())
        return false;
    bits_ = std::move(bits);
    width_ = width;
    height_ = height;
    return true;
}

bool Picture::Resample(int width, int height, int mode) {
    if (!IsValid() || width <= 0 || height <= 0 || !pixelCountAcceptable(width, height))
        return false;
    const std::size_t targetStride = static_cast<std::size_t>(width) * 3;
    PixelBytes bits = PixelBytes::unfilled(targetStride * static_cast<std::size_t>(height));
    if (mode == 0) {
        ResampleBilinear(bits_.data(), width_, height_, bits.data(), width, height, 3, false);
        return commit(std::move(bits), width, height);
    }
    std::vector<std::size_t> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columns[static_cast<std::size_t>(x)] = static_cast<std::size_t>(std::int64_t{x} * width_ / width) * 3;
    for (int y = 0; y < height; ++y) {
        if (escaped())
            return false;
        const std::uint8_t* source = GetBits(static_cast<int>(std::int64_t{y} * height_ / height));
        std::uint8_t* target = bits.data() + targetStride * static_cast<std::size_t>(y);
        for (const std::size_t column : columns) {
            std::memcpy(target, source + column, 3);
            target += 3;
        }
    }
    return commit(std::move(bits), width, height);
}

} // namespace imaging
