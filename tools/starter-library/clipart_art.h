#pragma once
// The starter cliparts: colour emoji from the Noto Color Emoji font and drawn bubbles, arrows, ribbons,
// badges, stars and hearts. Straight alpha, with a clear margin so no edge is cut.

#include "starter_model.h"

#include <QString>
#include <optional>
#include <vector>

namespace starter {

// Nothing, with `reason` set, when the emoji font is not installed.
std::optional<std::vector<EntryRecipe>> emojiRecipes(QString& reason);
std::vector<EntryRecipe> drawnClipartRecipes();

// The picture cropped to its visible pixels plus a transparent margin.
QImage croppedToContent(const QImage& picture, int margin);

} // namespace starter
