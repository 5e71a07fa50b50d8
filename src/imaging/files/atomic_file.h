#pragma once

#include "imaging/outcome.h"

#include <QString>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace imaging {

// Writes the bytes to a new file beside `path` and then renames it over `path`, so a reader never sees
// a half-written file and a failure leaves the earlier file as it was.
Outcome writeFileReplacing(const QString& path, std::span<const std::uint8_t> bytes);

// The whole file, refusing files above 1 GiB; empty with `reason` set on failure.
std::vector<std::uint8_t> readWholeFile(const QString& path, std::string& reason);

} // namespace imaging
