#pragma once
// Draws the whole starter library into memory.

#include "starter_model.h"

#include <QString>
#include <optional>

namespace starter {

// Nothing, with `reason` set, when something the drawing needs (the emoji font) is missing.
std::optional<StarterLibrary> drawStarterLibrary(QString& reason);

} // namespace starter
