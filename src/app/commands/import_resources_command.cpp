#include "app/commands/import_resources_command.h"

#include "platform/folders.h"
#include "resources/library_lock.h"
#include "resources/package_importer.h"

#include <QDir>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <cstdio>

namespace app {

namespace {

constexpr char kOption[] = "--import-resources";

void printUsage() {
    std::fprintf(stderr, "usage: pictovance --import-resources FILE.irs...\n");
}

// Imports under the library's lock, first waiting, and saying so, while another import holds it.
resources::ImportResult importWhenFree(const platform::Folders& folders, const QString& package) {
    resources::LibraryLock lock(folders.GetDataFolder());
    resources::LibraryLock::State state = lock.tryTake();
    if (state == resources::LibraryLock::State::Busy) {
        std::fprintf(stderr, "pictovance: another import into the resource library is under way; waiting "
                             "for it to finish\n");
        state = lock.take();
    }
    if (state != resources::LibraryLock::State::Held)
        return resources::ImportResult::refusal(lock.problem());
    return resources::ImportResourcePackage(lock, package);
}

} // namespace

bool isImportResourcesCommand(const QStringList& arguments) {
    return arguments.contains(QLatin1String(kOption));
}

int runImportResourcesCommand(int argc, char** argv, const QStringList& arguments) {
    QStringList packages;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String(kOption))
            continue;
        if (argument.startsWith(QLatin1String("--"))) {
            printUsage();
            return 2;
        }
        packages << argument;
    }
    if (packages.isEmpty()) {
        printUsage();
        return 2;
    }
    // The pictures are checked with the drawing library's readers, which need a GUI application; the
    // offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));

    const platform::Folders folders = platform::Folders::forRunningProgram();
    int refusals = 0;
    for (const QString& package : packages) {
        const QString shown = QDir::toNativeSeparators(package);
        const resources::ImportResult result = importWhenFree(folders, package);
        switch (result.status) {
        case resources::ImportResult::Status::Imported:
            std::printf("imported: %s: %d %s\n", qPrintable(shown), result.count,
                        resources::categoryNamePlural(result.category));
            break;
        case resources::ImportResult::Status::AlreadyInLibrary:
            std::printf("already in the library: %s\n", qPrintable(shown));
            break;
        case resources::ImportResult::Status::Refused:
            ++refusals;
            std::printf("refused: %s: %s\n", qPrintable(shown), result.reason.c_str());
            break;
        }
        std::fflush(stdout);
    }
    return refusals == 0 ? 0 : 1;
}

} // namespace app
