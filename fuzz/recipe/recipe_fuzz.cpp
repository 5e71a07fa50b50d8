// Recipes, from the JSON text to the exported pixels: read, and when the reader takes the recipe, run on
// a small photo as `pictovance --recipe` runs it and flattened for export. Beyond "no crash" it checks
// that a refused recipe says why and that the export is a picture of sound size.

#include "../resources/scratch_library.h"
#include "recipe/recipe_runner.h"
#include "workspace/document.h"

using namespace fuzz_support;

namespace {

recipe::RunSettings* settings = nullptr;

imaging::PhotoBuffer smallPhoto() {
    imaging::PhotoBuffer photo;
    photo.width = 64;
    photo.height = 48;
    photo.bgr.resize(static_cast<std::size_t>(photo.width) * photo.height * 3);
    for (std::size_t i = 0; i < photo.bgr.size(); ++i)
        photo.bgr[i] = static_cast<std::uint8_t>(i * 7 % 251);
    return photo;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startScratchLibrary(argc, argv);
    settings = std::make_unique<recipe::RunSettings>(recipe::findRunSettings()).release();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const recipe::ReadRecipe read =
        recipe::readRecipe(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!read.recipe) {
        if (read.problem.isEmpty())
            std::abort();
        return 0;
    }
    const recipe::Recipe& recipe = *read.recipe;
    if (recipe.steps.size() > static_cast<std::size_t>(recipe::kMaxSteps))
        std::abort();

    clearData();
    workspace::UnwatchedDocument listener;
    workspace::WorkspaceDocument document(scratch->path(), listener, recipe.view);
    document.setLoadedPicture(smallPhoto(), false, 0, QStringLiteral("photo.png"));
    document.keepLoadedPhoto();
    (void)recipe::runSteps(recipe, *settings, document);
    const std::optional<imaging::PhotoBuffer> pixels = document.flattenForExport(recipe.wholeImage);
    if (pixels && (pixels->empty() ||
                   pixels->bgr.size() != pixels->stride() * static_cast<std::size_t>(pixels->height)))
        std::abort();
    return 0;
}
