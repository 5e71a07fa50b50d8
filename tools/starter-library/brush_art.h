#pragma once
// The starter brush tips. Only a tip's alpha shapes a stamp (the stroke's colour tints it); the tips are
// drawn in dark grey so the brush list shows them clearly on white.

#include "starter_model.h"

#include <vector>

namespace starter {

std::vector<EntryRecipe> brushTipRecipes();

} // namespace starter
