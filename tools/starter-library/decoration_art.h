#pragma once
// The starter decorations: full-canvas overlays with alpha, fitted over the whole photo.

#include "starter_model.h"

#include <vector>

namespace starter {

std::vector<EntryRecipe> decorationRecipes();

} // namespace starter
