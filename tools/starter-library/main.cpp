// Draws the starter decoration library and writes it out.
//   starter-library [--sheet FILE.png] [--previews FOLDER]
// --sheet writes a contact sheet of every entry in use; --previews writes each frame around a full-size
// photo with a close-up of the hole's edge.

#include "contact_sheet.h"
#include "starter_library.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    QString sheetPath;
    QString previewFolder;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--sheet") && i + 1 < arguments.size()) {
            sheetPath = arguments[++i];
        } else if (argument == QLatin1String("--previews") && i + 1 < arguments.size()) {
            previewFolder = arguments[++i];
        } else {
            std::fprintf(stderr, "usage: starter-library [--sheet FILE.png] [--previews FOLDER]\n");
            return 2;
        }
    }
    QElapsedTimer timer;
    timer.start();
    QString reason;
    const std::optional<starter::StarterLibrary> library = starter::drawStarterLibrary(reason);
    if (!library) {
        std::fprintf(stderr, "starter-library: %s\n", qPrintable(reason));
        return 1;
    }
    std::printf("starter-library: drawn in %lld ms\n", static_cast<long long>(timer.elapsed()));
    if (!sheetPath.isEmpty() && !starter::contactSheet(*library).save(sheetPath)) {
        std::fprintf(stderr, "starter-library: cannot write %s\n", qPrintable(sheetPath));
        return 1;
    }
    if (!previewFolder.isEmpty() && !starter::writeFramePreviews(*library, previewFolder, reason)) {
        std::fprintf(stderr, "starter-library: %s\n", qPrintable(reason));
        return 1;
    }
    return 0;
}
