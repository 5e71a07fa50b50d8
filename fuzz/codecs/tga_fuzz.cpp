// Feeds arbitrary bytes to the TGA decoder.

#include "fuzz_check.h"
#include "imaging/codecs/tga_codec.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    fuzz_support::checkResult(imaging::codecs::decodeTga(bytes));
    return 0;
}
