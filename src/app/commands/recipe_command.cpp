#include "app/commands/recipe_command.h"

#include "app/commands/usage.h"
#include "imaging/batch_naming.h"
#include "platform/scratch_folder.h"
#include "recipe/recipe_plan.h"

#include <QDir>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QThread>
#include <cstdio>

namespace app {

namespace {

struct RecipeRequest {
    QString recipeFile;
    QString outputFolder;
    QString format;
    QString size; // "original" or "working": wins over the recipe's
    QStringList photos;
};

int fail(const QString& message) {
    std::fprintf(stderr, "pictovance: %s\n", qPrintable(message));
    return 2;
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

bool parse(const QStringList& arguments, RecipeRequest& request) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString* value = argument == QLatin1String("--recipe")   ? &request.recipeFile
                         : argument == QLatin1String("--out")    ? &request.outputFolder
                         : argument == QLatin1String("--format") ? &request.format
                         : argument == QLatin1String("--size")   ? &request.size
                                                                 : nullptr;
        if (value) {
            if (i + 1 >= arguments.size() || !value->isEmpty())
                return false;
            *value = arguments[++i];
        } else if (argument.startsWith(QLatin1String("--"))) {
            return false;
        } else {
            request.photos << argument;
        }
    }
    request.format = request.format.toLower();
    return !request.recipeFile.isEmpty() && !request.outputFolder.isEmpty() && !request.photos.isEmpty() &&
           (request.format.isEmpty() || imaging::isBatchFormat(request.format)) &&
           (request.size.isEmpty() || request.size == QLatin1String("original") ||
            request.size == QLatin1String("working"));
}

} // namespace

bool isRecipeCommand(const QStringList& arguments) {
    return arguments.contains(QLatin1String("--recipe"));
}

int runRecipeCommand(int argc, char** argv, const QStringList& arguments) {
    RecipeRequest request;
    if (!parse(arguments, request)) {
        printUsageLine(ProgramMode::Recipe);
        return 2;
    }
    // A bad recipe stops the run before anything is made, the output folder included.
    const recipe::ReadRecipe read = recipe::readRecipeFile(request.recipeFile);
    if (!read.recipe)
        return fail(QStringLiteral("%1: %2").arg(native(request.recipeFile), read.problem));
    recipe::Recipe recipe = *read.recipe;
    if (!request.size.isEmpty())
        recipe.workingSize = request.size == QLatin1String("working");
    const QString format = !request.format.isEmpty()  ? request.format
                           : !recipe.format.isEmpty() ? recipe.format
                                                      : QStringLiteral("jpg");

    // Texts need fonts and the composer paints, which takes a GUI application; the offscreen platform
    // needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    // Each skipped photo gets its own line with the reason; the readers' warnings would only repeat it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));

    // Every picture a step names must be in the library before anything is written.
    const recipe::RunSettings settings = recipe::findRunSettings();
    if (const QString problem = recipe::libraryProblem(recipe, settings.library); !problem.isEmpty())
        return fail(QStringLiteral("%1: %2").arg(native(request.recipeFile), problem));

    QDir output(request.outputFolder);
    if (!output.mkpath(QStringLiteral(".")))
        return fail(QStringLiteral("cannot create the output folder %1").arg(native(request.outputFolder)));
    // The documents' undo files and the encoders' hand-over bitmaps, never the editor's own.
    const platform::ScratchFolder scratch;
    if (!scratch.isValid())
        return fail(QStringLiteral("cannot create a temporary folder"));

    // An output may not replace a file of the command line, the recipe included.
    const std::vector<recipe::BatchPhoto> photos =
        recipe::planRecipePhotos(request.photos, output.canonicalPath() + QLatin1Char('/'), format,
                                 {request.recipeFile}, QStringLiteral("a file named on the command line"));
    const recipe::BatchSummary summary =
        recipe::runRecipeBatch(recipe, settings, photos, scratch.path(), QThread::idealThreadCount(),
                               [](const recipe::BatchPhoto& photo, const imaging::Outcome& outcome) {
                                   if (outcome)
                                       std::printf("written: %s\n", qPrintable(native(photo.task.target)));
                                   else
                                       std::printf("skipped: %s: %s\n", qPrintable(native(photo.task.photo)),
                                                   outcome.reason.c_str());
                                   std::fflush(stdout);
                               });
    return summary.skipped == 0 ? 0 : 1;
}

} // namespace app
