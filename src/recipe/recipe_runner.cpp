#include "recipe/recipe_runner.h"

#include "imaging/files/photo_loading.h"
#include "imaging/files/save_picture.h"
#include "platform/folders.h"
#include "recipe/photo_fractions.h"
#include "recipe/step_handlers.h"
#include "workspace/document.h"
#include "workspace/full_size_result.h"

#include <QFontDatabase>
#include <algorithm>

namespace recipe {

using imaging::Outcome;

RunSettings findRunSettings(const platform::Folders& folders) {
    QStringList faces = QFontDatabase::families();
    // Vertical faces ("@...") are never listed by the panel.
    faces.removeIf([](const QString& face) { return face.startsWith(QLatin1Char('@')); });
    std::sort(faces.begin(), faces.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return {faces.isEmpty() ? QStringLiteral("sans-serif") : faces.first(),
            openRecipeLibrary(folders)};
}

namespace {

// The step's fractions made photo pixels of the photo as it is now (a crop before it changes it), then
// checked as a step in pixels is when the recipe is read.
Outcome runInFractions(StepContext& context, const RecipeStep& step) {
    const QSize photo(context.document.canvasWidth(), context.document.canvasHeight());
    const QJsonObject pixels = stepInPixels(*step.kind, step.fields.json(), photo);
    for (const FieldRule& rule : step.kind->fields) {
        const QJsonValue field = pixels.value(QLatin1String(rule.name));
        if (field.isUndefined() || !scalesWithPhoto(rule.type))
            continue;
        if (const QString problem = fieldProblem(rule, field); !problem.isEmpty())
            return failure(QStringLiteral("on this %1 × %2 photo, %3")
                               .arg(photo.width())
                               .arg(photo.height())
                               .arg(problem));
    }
    return step.kind->run(context, StepFields(pixels));
}

} // namespace

Outcome runSteps(const Recipe& recipe, const RunSettings& settings, workspace::WorkspaceDocument& document) {
    StepContext context{document, settings.defaultFace, &settings.library};
    for (std::size_t i = 0; i < recipe.steps.size(); ++i) {
        const RecipeStep& step = recipe.steps[i];
        const Outcome outcome =
            recipe.fractions ? runInFractions(context, step) : step.kind->run(context, step.fields);
        if (!outcome)
            return failure(QStringLiteral("step %1 (%2): %3")
                               .arg(i + 1)
                               .arg(QLatin1String(step.kind->op), QString::fromStdString(outcome.reason)));
    }
    return Outcome::success();
}

Outcome runRecipeOnPhoto(const Recipe& recipe, const RunSettings& settings, const PhotoTask& task,
                         const QString& scratchFolder) {
    imaging::LoadedPicture loaded;
    if (const Outcome outcome = imaging::LoadPhoto(task.photo, loaded); !outcome)
        return Outcome::failure("cannot open the photo: " + outcome.reason);

    workspace::UnwatchedDocument listener;
    const RecipeLibrary& library = settings.library;
    workspace::WorkspaceDocument document(scratchFolder, listener, recipe.view, library.library.get());
    // A step may undo, and a frame shows the photo as the history keeps it, so the history is whole; but
    // nobody sees it after the run, and only the photos a step reads back are ever encoded.
    document.keepHistoryInMemory();
    // Every photo of the run reads the library's pictures through one set, so each is decoded once.
    document.shareResourcePictures(library.pictures);
    document.setBrushPictures(library.brushTips);
    const QSize working(loaded.photo.width, loaded.photo.height);
    document.setLoadedPicture(std::move(loaded.photo), loaded.libraryDecoded, loaded.formatCode, task.photo);
    document.setOriginal(workspace::originalPictureOf(task.photo, loaded.sourceSize, working));
    document.keepLoadedPhoto();
    // The editor recomposes here to show the photo. Nothing shows this document, and every operation
    // recomposes what it changes, so a stretched copy of the photo for the screen would be wasted.

    if (Outcome outcome = runSteps(recipe, settings, document); !outcome)
        return outcome;
    std::optional<imaging::PhotoBuffer> pixels;
    if (!recipe.workingSize && document.hasLargerOriginal()) {
        // The same full-size path as the editor's export: the steps replayed on the original.
        workspace::FullSizeResult full =
            workspace::renderFullSize(document, recipe.wholeImage, scratchFolder);
        if (!full.pixels)
            return Outcome::failure(
                "export: " + workspace::fullSizeProblemText(full, document).toStdString() +
                " (--size working exports it at the working size)");
        pixels = std::move(full.pixels);
    } else {
        // No step comes after the export: the flattening it makes need not be kept as a step.
        document.stopKeepingHistory();
        pixels = document.flattenForExport(recipe.wholeImage);
        if (!pixels)
            return Outcome::failure("export: the whole image could not be rendered");
    }
    const Outcome saved = imaging::SavePicture(task.target, pixels->bgr.data(), pixels->width, pixels->height,
                                               task.format, scratchFolder + QLatin1Char('/'));
    if (!saved)
        return Outcome::failure("cannot save: " + saved.reason);
    return Outcome::success();
}

} // namespace recipe
