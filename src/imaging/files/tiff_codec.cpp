#include "imaging/files/tiff_codec.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <tiffio.h>

namespace imaging {

namespace {

// No single allocation of libtiff's own (strip buffers, tables) may exceed this.
constexpr tmsize_t kMaxLibtiffAllocation = tmsize_t{512} << 20;
constexpr toff_t kMaxFileOffset = toff_t{1} << 40;

// A TIFF held in memory: read from a caller's span, or written into a growing vector.
struct MemoryFile {
    std::span<const std::uint8_t> input;
    std::vector<std::uint8_t>* output = nullptr;
    toff_t position = 0;

    toff_t size() const { return output != nullptr ? output->size() : input.size(); }
};

tmsize_t readProc(thandle_t handle, void* buffer, tmsize_t length) {
    auto* file = static_cast<MemoryFile*>(handle);
    const std::uint8_t* data = file->output != nullptr ? file->output->data() : file->input.data();
    const toff_t size = file->size();
    if (length < 0 || file->position >= size)
        return 0;
    const toff_t count = std::min<toff_t>(static_cast<toff_t>(length), size - file->position);
    std::memcpy(buffer, data + file->position, count);
    file->position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t writeProc(thandle_t handle, void* buffer, tmsize_t length) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (file->output == nullptr || length < 0)
        return -1;
    const toff_t end = file->position + static_cast<toff_t>(length);
    if (end > file->output->size())
        file->output->resize(end);
    std::memcpy(file->output->data() + file->position, buffer, static_cast<std::size_t>(length));
    file->position = end;
    return length;
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    toff_t base = 0;
    if (whence == SEEK_CUR)
        base = file->position;
    else if (whence == SEEK_END)
        base = file->size();
    const toff_t target = base + offset;
    // Nothing we read or write comes near this; refusing keeps a damaged offset from growing the output.
    if (target > kMaxFileOffset)
        return static_cast<toff_t>(-1);
    file->position = target;
    return target;
}

int closeProc(thandle_t) {
    return 0;
}
toff_t sizeProc(thandle_t handle) {
    return static_cast<MemoryFile*>(handle)->size();
}
// A file being read is "mapped" as the caller's bytes, so libtiff reads them in place. libtiff 4.5
// also mis-sizes uncompressed tiles when it reads them through readProc instead.
int mapProc(thandle_t handle, void** base, toff_t* size) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (file->output != nullptr)
        return 0;
    // libtiff only reads through a mapping opened for reading.
    *base = const_cast<std::uint8_t*>(file->input.data());
    *size = file->input.size();
    return 1;
}
void unmapProc(thandle_t, void*, toff_t) {}

int ignoreMessage(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
struct OptionsFreer {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

TiffHandle open(MemoryFile& file, const char* mode) {
    std::unique_ptr<TIFFOpenOptions, OptionsFreer> options(TIFFOpenOptionsAlloc());
    if (!options)
        return nullptr;
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMaxLibtiffAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), ignoreMessage, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), ignoreMessage, nullptr);
    return TiffHandle(TIFFClientOpenExt("memory", mode, &file, readProc, writeProc, seekProc, closeProc,
                                        sizeProc, mapProc, unmapProc, options.get()));
}

struct RgbaImageEnder {
    void operator()(TIFFRGBAImage* image) const { TIFFRGBAImageEnd(image); }
};

// Uncompressed data must be in the file: its size follows from the picture's size and sample layout.
bool uncompressedDataFits(TIFF* tiff, std::int64_t pixels, std::size_t fileSize) {
    std::uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    if (compression != COMPRESSION_NONE)
        return true;
    std::uint16_t bits = 1;
    std::uint16_t samples = 1;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    const std::int64_t bitsNeeded = pixels * bits * samples;
    return bitsNeeded / 8 <= static_cast<std::int64_t>(fileSize);
}

} // namespace

DecodeResult decodeTiff(std::span<const std::uint8_t> file) {
    if (file.size() < 8 || !((file[0] == 'I' && file[1] == 'I') || (file[0] == 'M' && file[1] == 'M')))
        return DecodeResult::failure(CodecError::NotThisFormat, "not a TIFF file");
    MemoryFile memory{file, nullptr, 0};
    TiffHandle tiff = open(memory, "r");
    if (!tiff)
        return DecodeResult::failure(CodecError::Corrupt, "damaged TIFF header");
    char message[1024] = {};
    if (!TIFFRGBAImageOK(tiff.get(), message))
        return DecodeResult::failure(CodecError::Unsupported, message);
    TIFFRGBAImage rgba{};
    if (!TIFFRGBAImageBegin(&rgba, tiff.get(), 0, message))
        return DecodeResult::failure(CodecError::Corrupt, message);
    std::unique_ptr<TIFFRGBAImage, RgbaImageEnder> ender(&rgba);
    if (!pixelCountAcceptable(rgba.width, rgba.height))
        return DecodeResult::failure(CodecError::TooLarge, "picture too large");
    const std::int64_t pixels = std::int64_t{rgba.width} * rgba.height;
    if (!uncompressedDataFits(tiff.get(), pixels, file.size()))
        return DecodeResult::failure(CodecError::Truncated, "file too short for its picture size");

    // libtiff fills one 32-bit word per pixel straight into the picture's own pixel memory, which is then
    // turned into B,G,R,A in place: a large picture is held once.
    DecodeResult result;
    RasterImage& image = result.image;
    image.width = static_cast<int>(rgba.width);
    image.height = static_cast<int>(rgba.height);
    image.bgra.resize(static_cast<std::size_t>(pixels) * 4);
    rgba.req_orientation = ORIENTATION_TOPLEFT;
    // The vector's memory comes from operator new, aligned for any word.
    auto* words = reinterpret_cast<std::uint32_t*>(image.bgra.data());
    if (!TIFFRGBAImageGet(&rgba, words, rgba.width, rgba.height))
        return DecodeResult::failure(CodecError::Corrupt, "damaged picture data");

    // libtiff hands alpha back premultiplied, whichever way the file stores it.
    const bool alpha = rgba.alpha == EXTRASAMPLE_ASSOCALPHA || rgba.alpha == EXTRASAMPLE_UNASSALPHA;
    std::uint8_t* target = image.bgra.data();
    for (std::int64_t i = 0; i < pixels; ++i, target += 4) {
        std::uint32_t value = 0;
        std::memcpy(&value, target, 4);
        const unsigned a = TIFFGetA(value);
        unsigned r = TIFFGetR(value);
        unsigned g = TIFFGetG(value);
        unsigned b = TIFFGetB(value);
        if (alpha && a != 255) {
            image.hasAlpha = true;
            if (a != 0) {
                r = std::min(255u, (r * 255 + a / 2) / a);
                g = std::min(255u, (g * 255 + a / 2) / a);
                b = std::min(255u, (b * 255 + a / 2) / a);
            }
        }
        target[0] = static_cast<std::uint8_t>(b);
        target[1] = static_cast<std::uint8_t>(g);
        target[2] = static_cast<std::uint8_t>(r);
        target[3] = static_cast<std::uint8_t>(alpha ? a : 255);
    }
    return result;
}

std::vector<std::uint8_t> encodeTiff(const RasterImage& image, TiffCompression compression) {
    if (image.empty())
        return {};
    std::vector<std::uint8_t> bytes;
    MemoryFile memory{{}, &bytes, 0};
    TiffHandle tiff = open(memory, "w");
    if (!tiff)
        return {};
    const int samples = image.hasAlpha ? 4 : 3;
    TIFF* t = tiff.get();
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(image.width));
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(image.height));
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    if (image.hasAlpha) {
        const std::uint16_t extra = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    if (compression == TiffCompression::Lzw) {
        TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
        TIFFSetField(t, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    } else {
        TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    }
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));

    std::vector<std::uint8_t> row(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(samples));
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* source = image.row(y);
        std::uint8_t* target = row.data();
        for (int x = 0; x < image.width; ++x, source += 4, target += samples) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
            if (samples == 4)
                target[3] = source[3];
        }
        if (TIFFWriteScanline(t, row.data(), static_cast<std::uint32_t>(y), 0) < 0)
            return {};
    }
    if (!TIFFWriteDirectory(t))
        return {};
    tiff.reset();
    return bytes;
}

} // namespace imaging
