#include "recipe/recipe_plan.h"

#include "imaging/batch_naming.h"

#include <QFile>

namespace recipe {

ReadRecipe readRecipeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, QStringLiteral("cannot read it: %1").arg(file.errorString())};
    if (file.size() > kMaxRecipeBytes)
        return {std::nullopt, QStringLiteral("a recipe is at most %1 bytes").arg(kMaxRecipeBytes)};
    return readRecipe(file.read(kMaxRecipeBytes + 1));
}

std::vector<BatchPhoto> planRecipePhotos(const QStringList& photos, const QString& outputFolder,
                                         const QString& format, const QStringList& alsoRead,
                                         const QString& photosAre) {
    QStringList targets;
    for (const QString& photo : photos)
        targets << imaging::batchOutputPath(outputFolder, photo, format);
    const QStringList refusals = imaging::refusedOutputs(photos, targets, alsoRead, photosAre);
    std::vector<BatchPhoto> planned;
    for (qsizetype i = 0; i < photos.size(); ++i)
        planned.push_back({{photos[i], targets[i], format}, refusals[i]});
    return planned;
}

} // namespace recipe
