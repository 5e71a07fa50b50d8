#include "app/language_cipher.h"

namespace app {

void cipherLanguageBlock(std::span<std::uint8_t> block) {
    std::uint32_t state = 0x5DEECE66u;
    for (std::uint8_t& byte : block) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(byte ^ (state >> 23));
    }
}

} // namespace app
