// Writes the skin gallery: "<name>.png" at pixel ratio 1 and "<name>@2x.png" at pixel ratio 2.

#include "gallery_board.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("skin-gallery.png");
    const QFileInfo info(output);
    const QString doubled =
        info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("@2x.png");
    for (const auto& [ratio, path] : {std::pair{1.0, output}, std::pair{2.0, doubled}}) {
        if (!gallery::renderBoard(ratio).save(path)) {
            std::fprintf(stderr, "skin-gallery: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
