#pragma once
// The resource library as a recipe run sees it: opened once before the first photo, read by every
// photo's document through one shared set of decoded pictures, and counted so that a step naming an
// entry the library does not hold stops the run before anything is written.

#include "platform/folders.h"
#include "resources/resource_types.h"
#include "workspace/decorations/resource_pictures.h"

#include <QImage>
#include <QString>
#include <memory>
#include <vector>

namespace resources {
class ResourceLibrary;
}

namespace recipe {

struct Recipe;

struct RecipeLibrary {
    std::shared_ptr<const resources::ResourceLibrary> library; // null without a Data folder
    std::shared_ptr<workspace::ResourcePictures> pictures;
    std::vector<QImage> brushTips;
    // The sound entries of each category, by ResourceCategory.
    int counts[5] = {0, 0, 0, 0, 0};

    int count(resources::ResourceCategory category) const { return counts[static_cast<int>(category)]; }
};

// The library of the Data folder `folders` name; empty, and nothing created, when there is no such folder.
RecipeLibrary openRecipeLibrary(const platform::Folders& folders);

// Why a step of the recipe names an entry past what the library holds ("step 3 (frame): "index" 7 is
// past the 2 frames of the library"); empty when every one is there.
QString libraryProblem(const Recipe& recipe, const RecipeLibrary& library);

} // namespace recipe
