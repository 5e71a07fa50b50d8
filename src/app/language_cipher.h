#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace app {

// The language resource is stored enciphered. Each 4096-byte block (and a final partial block) is
// enciphered on its own with a keystream that restarts at the block's first byte, so the reader can
// decipher block by block as it reads. The cipher is its own inverse.
constexpr std::size_t kLanguageCipherBlock = 4096;

void cipherLanguageBlock(std::span<std::uint8_t> block);

} // namespace app
