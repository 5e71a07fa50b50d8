#include "imaging/files/gif_codec.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <memory>
#include <unordered_map>

namespace imaging {

namespace {

// A 12-bit LZW code stands for at most 4096 pixels, so a byte of data for at most about 2731.
constexpr std::int64_t kMaxPixelsPerByte = 2800;
// A logical screen larger than the picture on it is kept only up to this much empty space.
constexpr std::int64_t kMinScreenAllowance = 1 << 22;

struct MemoryReader {
    std::span<const std::uint8_t> data;
    std::size_t position = 0;
};

int readFromMemory(GifFileType* gif, GifByteType* buffer, int length) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const std::size_t available = reader->data.size() - reader->position;
    const std::size_t count = std::min(available, static_cast<std::size_t>(std::max(length, 0)));
    std::memcpy(buffer, reader->data.data() + reader->position, count);
    reader->position += count;
    return static_cast<int>(count);
}

int writeToMemory(GifFileType* gif, const GifByteType* buffer, int length) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    bytes->insert(bytes->end(), buffer, buffer + length);
    return length;
}

struct DecoderCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
struct EncoderCloser {
    void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};
struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

DecodeResult failure(CodecError error, const char* reason) {
    return DecodeResult::failure(error, reason);
}

// Reads the extension blocks in front of the first picture; returns the transparent index or -1.
bool readExtension(GifFileType* gif, int& transparentIndex) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4)
        transparentIndex = (block[1] & 1) != 0 ? block[4] : -1;
    while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

DecodeResult readPicture(GifFileType* gif, std::size_t fileSize, int transparentIndex) {
    if (DGifGetImageDesc(gif) == GIF_ERROR)
        return failure(CodecError::Corrupt, "damaged picture header");
    const GifImageDesc& desc = gif->Image;
    if (!pixelCountAcceptable(desc.Width, desc.Height))
        return failure(CodecError::TooLarge, "picture too large or empty");
    const std::int64_t pixels = std::int64_t{desc.Width} * desc.Height;
    if (pixels / kMaxPixelsPerByte > static_cast<std::int64_t>(fileSize))
        return failure(CodecError::Truncated, "file too short for its picture size");
    const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
    if (map == nullptr)
        return failure(CodecError::Corrupt, "no colour table");

    // The picture sits on the logical screen, unless the screen is absurdly larger than the picture.
    std::int64_t width = std::max<std::int64_t>(gif->SWidth, std::int64_t{desc.Left} + desc.Width);
    std::int64_t height = std::max<std::int64_t>(gif->SHeight, std::int64_t{desc.Top} + desc.Height);
    int left = desc.Left;
    int top = desc.Top;
    if (!pixelCountAcceptable(width, height) || width * height > std::max(pixels * 16, kMinScreenAllowance)) {
        width = desc.Width;
        height = desc.Height;
        left = top = 0;
    }

    DecodeResult result;
    RasterImage& image = result.image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.bgra.assign(static_cast<std::size_t>(width * height) * 4, 0);
    image.hasAlpha = width != desc.Width || height != desc.Height || transparentIndex >= 0;

    std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));
    auto storeRow = [&](int row) {
        std::uint8_t* target = image.row(top + row) + static_cast<std::size_t>(left) * 4;
        for (int x = 0; x < desc.Width; ++x, target += 4) {
            const int index = line[static_cast<std::size_t>(x)];
            if (index == transparentIndex)
                continue;
            const GifColorType colour = index < map->ColorCount ? map->Colors[index] : GifColorType{0, 0, 0};
            target[0] = colour.Blue;
            target[1] = colour.Green;
            target[2] = colour.Red;
            target[3] = 255;
        }
    };
    static constexpr int passStart[4] = {0, 4, 2, 1};
    static constexpr int passStep[4] = {8, 8, 4, 2};
    const int passes = desc.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = desc.Interlace ? passStart[pass] : 0;
        const int step = desc.Interlace ? passStep[pass] : 1;
        for (int row = start; row < desc.Height; row += step) {
            if (DGifGetLine(gif, line.data(), desc.Width) == GIF_ERROR)
                return failure(CodecError::Truncated, "picture data ends early");
            storeRow(row);
        }
    }
    return result;
}

// The distinct colours of the picture as a palette and an index per pixel; false when there are more
// than 256.
bool exactPalette(const RasterImage& image, std::vector<GifColorType>& palette,
                  std::vector<GifByteType>& indices) {
    std::unordered_map<std::uint32_t, GifByteType> seen;
    const std::size_t count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    indices.resize(count);
    std::uint32_t lastKey = 0xFFFFFFFF;
    GifByteType lastIndex = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = image.bgra.data() + i * 4;
        const std::uint32_t key = p[0] | (p[1] << 8) | (p[2] << 16);
        if (key != lastKey) {
            auto [where, added] = seen.try_emplace(key, static_cast<GifByteType>(seen.size()));
            if (added) {
                if (seen.size() > 256)
                    return false;
                palette.push_back(GifColorType{p[2], p[1], p[0]});
            }
            lastKey = key;
            lastIndex = where->second;
        }
        indices[i] = lastIndex;
    }
    return true;
}

void quantisedPalette(const RasterImage& image, std::vector<GifColorType>& palette,
                      std::vector<GifByteType>& indices) {
    const std::size_t count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    std::vector<GifByteType> red(count), green(count), blue(count);
    for (std::size_t i = 0; i < count; ++i) {
        blue[i] = image.bgra[i * 4];
        green[i] = image.bgra[i * 4 + 1];
        red[i] = image.bgra[i * 4 + 2];
    }
    int size = 256;
    palette.assign(256, GifColorType{0, 0, 0});
    indices.resize(count);
    GifQuantizeBuffer(static_cast<unsigned>(image.width), static_cast<unsigned>(image.height), &size,
                      red.data(), green.data(), blue.data(), indices.data(), palette.data());
    palette.resize(static_cast<std::size_t>(std::clamp(size, 1, 256)));
}

} // namespace

DecodeResult decodeGif(std::span<const std::uint8_t> file) {
    if (file.size() < 6 || std::memcmp(file.data(), "GIF8", 4) != 0)
        return failure(CodecError::NotThisFormat, "not a GIF file");
    MemoryReader reader{file, 0};
    int error = 0;
    std::unique_ptr<GifFileType, DecoderCloser> gif(DGifOpen(&reader, readFromMemory, &error));
    if (!gif)
        return failure(CodecError::Corrupt, GifErrorString(error));
    int transparentIndex = -1;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR)
            return failure(CodecError::Truncated, "file ends before its picture");
        if (record == IMAGE_DESC_RECORD_TYPE)
            return readPicture(gif.get(), file.size(), transparentIndex);
        if (record == EXTENSION_RECORD_TYPE) {
            if (!readExtension(gif.get(), transparentIndex))
                return failure(CodecError::Corrupt, "damaged extension block");
        } else {
            return failure(CodecError::Corrupt, "no picture in the file");
        }
    }
}

std::vector<std::uint8_t> encodeGif(const RasterImage& image) {
    if (image.empty() || image.width > 65535 || image.height > 65535)
        return {};
    std::vector<GifColorType> palette;
    std::vector<GifByteType> indices;
    if (!exactPalette(image, palette, indices)) {
        palette.clear();
        quantisedPalette(image, palette, indices);
    }
    int mapSize = 2;
    while (mapSize < static_cast<int>(palette.size()))
        mapSize *= 2;
    palette.resize(static_cast<std::size_t>(mapSize), GifColorType{0, 0, 0});
    std::unique_ptr<ColorMapObject, MapFreer> map(GifMakeMapObject(mapSize, palette.data()));
    if (!map)
        return {};

    std::vector<std::uint8_t> bytes;
    int error = 0;
    std::unique_ptr<GifFileType, EncoderCloser> gif(EGifOpen(&bytes, writeToMemory, &error));
    if (!gif)
        return {};
    if (EGifPutScreenDesc(gif.get(), image.width, image.height, 8, 0, map.get()) == GIF_ERROR ||
        EGifPutImageDesc(gif.get(), 0, 0, image.width, image.height, false, nullptr) == GIF_ERROR)
        return {};
    for (int y = 0; y < image.height; ++y) {
        GifByteType* row =
            indices.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
        if (EGifPutLine(gif.get(), row, image.width) == GIF_ERROR)
            return {};
    }
    // Closing writes the trailer; it must happen before the bytes are handed out.
    if (EGifCloseFile(gif.release(), &error) == GIF_ERROR)
        return {};
    return bytes;
}

} // namespace imaging
