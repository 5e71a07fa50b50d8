// Feeds arbitrary bytes to the PNM decoder.

#include "fuzz_check.h"
#include "imaging/codecs/pnm_codec.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    fuzz_support::checkResult(imaging::codecs::decodePnm(bytes));
    return 0;
}
