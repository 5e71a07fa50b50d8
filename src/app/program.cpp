#include "app/command_line.h"
#include "app/commands/convert_command.h"
#include "app/commands/recipe_command.h"
#include "app/editor_app.h"
#include "app/product.h"
#include "app/commands/screenshot_command.h"
#include "app/single_instance.h"
#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace app {

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

QString programPath(char** argv) {
    const QString self = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    return self.isEmpty() ? QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath() : self;
}

// Qt aborts when it cannot reach a display; say so plainly instead, with the way out.
bool displayAvailable() {
#if defined(Q_OS_LINUX)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int runPictovance(int argc, char** argv) {
    const QStringList arguments = argumentsOf(argc, argv);
    // The converter works on files only: no window, no display, no hand-over to a running editor.
    if (isConvertCommand(arguments))
        return runConvertCommand(argc, argv, arguments);
    if (isRecipeCommand(arguments))
        return runRecipeCommand(argc, argv, arguments);
    if (isScreenshotCommand(arguments))
        return runScreenshotCommand(argc, argv, arguments);

    auto lock = std::make_unique<InstanceLock>();
    if (!lock->tryAcquire()) {
        // A second start shows no window: it hands its command line over and ends.
        handOffToRunningInstance(windowsStyleCommandLine(programPath(argv), arguments));
        return 0;
    }
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "pictovance: no display found (DISPLAY and WAYLAND_DISPLAY are not set).\n"
                     "Start it from a desktop session, or on a machine without one under a virtual display:\n"
                     "  xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProductName));
    CEditorApp editor(platform::Folders::forRunningProgram(),
                      std::make_unique<platform::QtDialogs>(QString::fromLatin1(kProductName)));
    editor.holdInstanceLock(std::move(lock));
    editor.startMainWindow();
    editor.runMainWindow();
    return editor.ExitInstance();
}

} // namespace app
