// Feeds arbitrary bytes to the BMP decoder (as a file and as a memory block).

#include "fuzz_check.h"
#include "imaging/codecs/bmp_codec.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

// RLE bitmaps may legitimately end early and leave the rest blank, so a few bytes can announce the full
// 100-megapixel limit; such inputs would spend each run filling memory. Above this many pixels only the
// header checks run.
constexpr std::int64_t kFuzzRlePixels = std::int64_t{1} << 18;

bool bigRle(std::span<const std::uint8_t> dib) {
    if (dib.size() < 20)
        return false;
    auto le32 = [&](std::size_t at) {
        return static_cast<std::int32_t>(dib[at] | (dib[at + 1] << 8) | (dib[at + 2] << 16) |
                                         (static_cast<std::uint32_t>(dib[at + 3]) << 24));
    };
    const std::int64_t width = le32(4), height = le32(8);
    const std::int32_t compression = le32(16);
    return (compression == 1 || compression == 2) &&
           (width > kFuzzRlePixels || height > kFuzzRlePixels || height < -kFuzzRlePixels ||
            width * (height < 0 ? -height : height) > kFuzzRlePixels);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (!bigRle(bytes.size() > 14 ? bytes.subspan(14) : std::span<const std::uint8_t>{}))
        fuzz_support::checkResult(imaging::codecs::decodeBmp(bytes));
    if (!bigRle(bytes))
        fuzz_support::checkResult(imaging::codecs::decodeDib(bytes));
    return 0;
}
