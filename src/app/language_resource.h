#pragma once

#include <span>

namespace app {

// The enciphered English language table embedded in the program (resource "IDR_ENG_LANG", 229).
std::span<const unsigned char> englishLanguageResource();

} // namespace app
