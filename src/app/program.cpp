#include "app/command_line.h"
#include "app/commands/convert_command.h"
#include "app/commands/import_resources_command.h"
#include "app/commands/recipe_command.h"
#include "app/commands/screenshot_command.h"
#include "app/commands/usage.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "app/product.h"
#include "app/single_instance.h"
#include "platform/heap_policy.h"
#include "platform/leftover_files.h"
#include "platform/qt_dialogs.h"
#include "platform/termination_requests.h"
#include "resources/starter_library.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
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

// The editor itself takes no options, only a picture's path: a word starting with "--" is a mistake.
bool hasUnknownOption(const QStringList& arguments) {
    return std::any_of(arguments.begin(), arguments.end(),
                       [](const QString& argument) { return argument.startsWith(QLatin1String("--")); });
}

// The editor cannot make sure it runs only once: say so on the terminal, and in a message box when there
// is a display to show one on.
int cannotStart(int argc, char** argv, const QString& problem) {
    const QString text = QStringLiteral("%1 cannot start: its single-instance lock could not be made (%2).")
                             .arg(QString::fromLatin1(kProductName), problem);
    std::fprintf(stderr, "pictovance: %s\n", qPrintable(text));
    const QString platformName = qEnvironmentVariable("QT_QPA_PLATFORM");
    const bool headless =
        platformName == QLatin1String("offscreen") || platformName == QLatin1String("minimal");
    if (displayAvailable() && !headless) {
        QApplication application(argc, argv);
        platform::QtDialogs(QString::fromLatin1(kProductName)).inform(nullptr, text);
    }
    return 1;
}

} // namespace

int runPictovance(int argc, char** argv) {
    platform::keepPictureBuffersInHeap();
    const QStringList arguments = argumentsOf(argc, argv);
    if (isUsageRequest(arguments))
        return runUsageRequest(arguments);
    // The converter works on files only: no window, no display, no hand-over to a running editor.
    if (isConvertCommand(arguments))
        return runConvertCommand(argc, argv, arguments);
    if (isRecipeCommand(arguments))
        return runRecipeCommand(argc, argv, arguments);
    if (isScreenshotCommand(arguments))
        return runScreenshotCommand(argc, argv, arguments);
    if (isImportResourcesCommand(arguments))
        return runImportResourcesCommand(argc, argv, arguments);
    // Refused before anything else, so a mistyped mode never waits for a display or hands over. --help and
    // --version were answered above, and the modes' own options (--jobs, --out...) went with their modes.
    if (hasUnknownOption(arguments)) {
        printUsageLine();
        return 2;
    }

    auto lock = std::make_unique<InstanceLock>();
    switch (lock->tryAcquire()) {
    case InstanceLock::State::Acquired:
        break;
    case InstanceLock::State::HeldElsewhere:
        // A second start shows no window: it hands its command line over and ends.
        if (!handOffToRunningInstance({windowsStyleCommandLine(programPath(argv), arguments),
                                       picturesToOpen(programPath(argv), arguments, QDir::currentPath())})) {
            std::fprintf(stderr, "pictovance: another copy of the editor is running but did not answer; try "
                                 "again in a moment.\n");
            return 1;
        }
        return 0;
    case InstanceLock::State::Unavailable:
        return cannotStart(argc, argv, lock->problem());
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
    // Ties the window to the installed desktop entry (its Wayland app id, the launcher's icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quorix.pictovance"));
    CEditorApp editor(platform::Folders::forRunningProgram(),
                      std::make_unique<platform::QtDialogs>(QString::fromLatin1(kProductName)));
    editor.holdInstanceLock(std::move(lock));
    // Asked to end by the system: end as the Close button does, keeping the photo list.
    platform::TerminationRequests termination;
    QObject::connect(&termination, &platform::TerminationRequests::requested, [&editor] {
        if (CEditorDlg* window = editor.mainWindow())
            window->close();
    });
    platform::removeLeftoverFiles(editor.folders().dataFolderPath());
    resources::prepareLibrary(editor.folders(), editor.folders().shippedFolder(QStringLiteral("Starter")));
    editor.startMainWindow().openPictures(picturesToOpen(programPath(argv), arguments, QDir::currentPath()));
    editor.runMainWindow();
    return editor.ExitInstance();
}

} // namespace app
