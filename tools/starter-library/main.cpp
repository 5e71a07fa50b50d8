// Draws the starter decoration library and writes it as editing-resource packages.
//   starter-library OUTPUT_FOLDER [--sheet FILE.png] [--previews FOLDER]
//   starter-library --photo FILE.jpg
// --sheet also writes a contact sheet of every entry in use; --previews writes each frame, mask and
// decoration on a full-size photo, with close-ups of the frames' hole edges. --photo writes only the
// landscape the previews use, as a 1200 x 900 picture (the help book's screenshots open it).

#include "contact_sheet.h"
#include "sample_photo.h"
#include "starter_library.h"
#include "starter_packages.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

namespace {

int fail(const QString& reason) {
    std::fprintf(stderr, "starter-library: %s\n", qPrintable(reason));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    QString outputFolder;
    QString sheetPath;
    QString previewFolder;
    QString photoPath;
    bool usageError = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--sheet") && i + 1 < arguments.size()) {
            sheetPath = arguments[++i];
        } else if (argument == QLatin1String("--previews") && i + 1 < arguments.size()) {
            previewFolder = arguments[++i];
        } else if (argument == QLatin1String("--photo") && i + 1 < arguments.size()) {
            photoPath = arguments[++i];
        } else if (!argument.startsWith(QLatin1Char('-')) && outputFolder.isEmpty()) {
            outputFolder = argument;
        } else {
            usageError = true;
            break;
        }
    }
    const bool photoOnly =
        !photoPath.isEmpty() && outputFolder.isEmpty() && sheetPath.isEmpty() && previewFolder.isEmpty();
    if (!usageError && photoOnly) {
        if (!starter::samplePhoto(1200, 900).save(photoPath, nullptr, 90))
            return fail(QStringLiteral("cannot write %1").arg(photoPath));
        return 0;
    }
    if (usageError || outputFolder.isEmpty() || !photoPath.isEmpty()) {
        std::fprintf(stderr, "usage: starter-library OUTPUT_FOLDER [--sheet FILE.png] [--previews FOLDER]\n"
                             "       starter-library --photo FILE.jpg\n");
        return 2;
    }
    // Refuse an output folder that cannot be made before spending seconds on drawing.
    if (!QDir().mkpath(outputFolder))
        return fail(QStringLiteral("cannot create the folder %1").arg(outputFolder));
    QString reason;
    const std::optional<starter::StarterLibrary> library = starter::drawStarterLibrary(reason);
    if (!library)
        return fail(reason);
    if (!starter::writeStarterPackages(*library, outputFolder, reason))
        return fail(reason);
    if (!sheetPath.isEmpty() && !starter::contactSheet(*library).save(sheetPath))
        return fail(QStringLiteral("cannot write %1").arg(sheetPath));
    if (!previewFolder.isEmpty() && !starter::writePreviews(*library, previewFolder, reason))
        return fail(reason);
    return 0;
}
