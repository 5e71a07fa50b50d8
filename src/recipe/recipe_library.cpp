#include "recipe/recipe_library.h"

#include "platform/folders.h"
#include "recipe/recipe.h"
#include "resources/list_file.h"
#include "resources/package_importer.h"
#include "resources/resource_library.h"

#include <QFile>
#include <QFileInfo>

namespace recipe {

namespace {

using resources::ResourceCategory;

// The file whose entries a step places: the full-size pictures where a category has them.
QString placedFile(ResourceCategory category) {
    const resources::CategoryFiles files = resources::filesOf(category);
    return files.pictures.isEmpty() ? files.rawList : files.pictures;
}

int soundEntries(const resources::ResourceLibrary& library, ResourceCategory category) {
    const QString name = placedFile(category);
    QFile file(library.pathOf(name));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const resources::ListLayout layout =
        resources::keepsPictures(category) ? resources::encodedLayoutFor(name) : resources::ListLayout::Raw;
    return static_cast<int>(resources::scanList(file, layout).offsets.size());
}

} // namespace

RecipeLibrary openRecipeLibrary(const platform::Folders& folders) {
    RecipeLibrary opened;
    // A run only reads the library: a program without a Data folder has none, and none is made.
    if (!QFileInfo(folders.dataFolderPath()).isDir())
        return opened;
    auto library = std::make_shared<const resources::ResourceLibrary>(folders);
    opened.pictures = std::make_shared<workspace::ResourcePictures>(library.get());
    for (const ResourceCategory category : {ResourceCategory::Frames, ResourceCategory::Masks,
                                            ResourceCategory::Cliparts, ResourceCategory::Decorations})
        opened.counts[static_cast<int>(category)] = soundEntries(*library, category);
    // The tips as the brush list keeps them for painting: every one up to the first damaged entry.
    opened.brushTips = library->ReadRawList(resources::files::kBrushTips).pictures;
    opened.counts[static_cast<int>(ResourceCategory::Brushes)] = static_cast<int>(opened.brushTips.size());
    opened.library = std::move(library);
    return opened;
}

QString libraryProblem(const Recipe& recipe, const RecipeLibrary& library) {
    for (std::size_t i = 0; i < recipe.steps.size(); ++i) {
        const RecipeStep& step = recipe.steps[i];
        const ResourceField& resource = step.kind->resource;
        if (!resource.name)
            continue;
        const int index = step.fields.integer(resource.name, 0);
        const int count = library.count(resource.category);
        if (index < count)
            continue;
        return QStringLiteral("step %1 (%2): \"%3\" %4 is past the %5 %6 of the library")
            .arg(i + 1)
            .arg(QLatin1String(step.kind->op), QLatin1String(resource.name))
            .arg(index)
            .arg(count)
            .arg(QLatin1String(resources::categoryNamePlural(resource.category)));
    }
    return {};
}

} // namespace recipe
