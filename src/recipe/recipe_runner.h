#pragma once
// One photo through a recipe: opened as the editor opens a photo from its list, edited step by step
// through the document's own operations, exported as the editor's Export does (at the original's size
// unless the recipe asks for the working size).

#include "imaging/outcome.h"
#include "recipe/recipe.h"
#include "recipe/recipe_library.h"

#include <QString>

namespace recipe {

// What every photo of a run shares, found once on the thread that owns the application.
struct RunSettings {
    QString defaultFace;        // the first face of the text panel's sorted font list
    RecipeLibrary library = {}; // the running program's resource library
};
// `folders` name the Data folder whose library the run reads.
RunSettings findRunSettings(const platform::Folders& folders = platform::Folders::forRunningProgram());

// Carries the recipe's steps out on the document in order, stopping at the first that fails.
imaging::Outcome runSteps(const Recipe& recipe, const RunSettings& settings,
                          workspace::WorkspaceDocument& document);

struct PhotoTask {
    QString photo;
    QString target; // the picture file to write
    QString format; // one of the converter's formats
};

// `scratchFolder` takes the encoders' hand-over bitmap and the full-size replay's folder and nothing else
// is written but the target; the document's history stays in memory. A failure's reason names the step ("step
// 2 (text): ...") where one failed.
imaging::Outcome runRecipeOnPhoto(const Recipe& recipe, const RunSettings& settings, const PhotoTask& task,
                                  const QString& scratchFolder);

} // namespace recipe
