// Feeds arbitrary bytes to the BMP decoder (as a file and as a memory block). RLE bitmaps may end early
// and leave the rest blank, so a few bytes can announce the full 100-megapixel limit: such inputs are
// decoded too, into their one picture buffer.

#include "fuzz_check.h"
#include "imaging/codecs/bmp_codec.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    fuzz_support::checkResult(imaging::codecs::decodeBmp(bytes));
    fuzz_support::checkResult(imaging::codecs::decodeDib(bytes));
    return 0;
}
