#pragma once
// What `--recipe` and the window's Apply Recipe share before a run: the recipe file read with its size
// limit, and each photo's output laid out with the converter's names and refusals.

#include "recipe/recipe.h"
#include "recipe/recipe_batch.h"

#include <QStringList>
#include <vector>

namespace recipe {

// Far beyond any hand-written recipe; a bigger file is not one.
inline constexpr qint64 kMaxRecipeBytes = 1 << 20;

// The recipe, or the reason there is none.
ReadRecipe readRecipeFile(const QString& path);

// Each photo's output in `outputFolder` (ending with a separator), refused where it would overwrite a
// file the run reads (a photo or one of `alsoRead`) or the output of an earlier photo: workers finish in
// any order, and neither an original nor a result may be lost. `photosAre` says what the photos are in
// the reason ("a file named on the command line").
std::vector<BatchPhoto> planRecipePhotos(const QStringList& photos, const QString& outputFolder,
                                         const QString& format, const QStringList& alsoRead,
                                         const QString& photosAre);

} // namespace recipe
