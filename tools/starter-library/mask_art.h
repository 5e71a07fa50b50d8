#pragma once
// The starter masks: grey pictures where black lets the photo show and white shows the background.

#include "starter_model.h"

#include <vector>

namespace starter {

std::vector<EntryRecipe> maskRecipes();

// The thumbnail of a mask: the sample landscape shown through it over white, as the workspace would.
QImage maskThumbnail(const QImage& mask);

} // namespace starter
