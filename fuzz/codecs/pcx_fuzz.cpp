// Feeds arbitrary bytes to the PCX decoder.

#include "fuzz_check.h"
#include "imaging/codecs/pcx_codec.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    fuzz_support::checkResult(imaging::codecs::decodePcx(bytes));
    return 0;
}
