#pragma once
// A recipe: the edits to make on every photo of a run and how to export the result, read from JSON.
//
//   {"recipe": 1, "view": [1280, 800], "export": {"extent": "photo", "format": "jpg", "size": "original"},
//    "steps": [{"op": "background", "colour": "#336699"}, {"op": "text", "text": "Hello", "at": [40, 30]}]}
//
// Reading checks all of it, so a run either starts with a recipe every step of which makes sense or does
// not start at all. A recipe holds no paths: what it may read and write is named on the command line.

#include "recipe/recipe_steps.h"

#include <QByteArray>
#include <QSize>
#include <optional>
#include <vector>

namespace recipe {

inline constexpr int kRecipeVersion = 1;
inline constexpr int kMaxSteps = 256;
inline constexpr QSize kDefaultView{1280, 800};

struct RecipeStep {
    const StepKind* kind = nullptr;
    StepFields fields;
};

struct Recipe {
    QSize view = kDefaultView; // the editor's workspace size the steps are carried out in
    bool wholeImage = false;   // export the whole view, background included, rather than the photo area
    QString format;            // one of the converter's formats; empty when the recipe names none
    // Export at the working copy's size (what the steps' places are counted in) rather than at the
    // original picture's own size.
    bool workingSize = false;
    // "units": "fraction": the steps' places and text heights are fractions of the photo rather than
    // photo pixels (see photo_fractions.h).
    bool fractions = false;
    std::vector<RecipeStep> steps;
};

struct ReadRecipe {
    std::optional<Recipe> recipe;
    QString problem; // when there is no recipe: what is wrong, naming the step and the field
};

ReadRecipe readRecipe(const QByteArray& json);

} // namespace recipe
