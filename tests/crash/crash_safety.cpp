// Crash safety, measured: each save path of the editor runs in a child process that is killed with
// SIGKILL at a random moment of its saves, many times over; after each kill the files must be the old
// ones or the new ones, whole, and the next start must read them.
//
//   crash_safety [--kills N] [--path TEXT] [--seed N] [--folder DIR]
//     --kills   kills per path (default 200; CI runs a few)
//     --path    only the paths whose name contains TEXT
//     --seed    the seed of the kill moments, to repeat a run (default: a random one, printed)
//     --folder  where the files are kept (default: a new temporary folder, removed afterwards)
// Prints per path the kills, what each left and the torn files found; exits 1 when any file was torn.

#include "fixtures.h"
#include "save_paths.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <thread>

namespace crash {

std::vector<std::unique_ptr<SavePath>> makeSavePaths(const QString& root) {
    std::vector<std::unique_ptr<SavePath>> paths;
    paths.push_back(makePhotoListStorePath(root + QStringLiteral("/store")));
    paths.push_back(makeExportPath(root + QStringLiteral("/export")));
    paths.push_back(makeUndoFilePath(root + QStringLiteral("/undo")));
    paths.push_back(makePackageImportPath(root + QStringLiteral("/import")));
    paths.push_back(makeBatchOutputPath(root + QStringLiteral("/batch")));
    paths.push_back(makeLanguageFilePath(root + QStringLiteral("/language")));
    return paths;
}

namespace {

constexpr char kReady = 'R';
// Kills land anywhere in the first few saves after the child is ready.
constexpr int kWindowCycles = 3;
constexpr int kTimedCycles = 4;

struct Options {
    int kills = 200;
    QString path;
    std::uint32_t seed = std::random_device{}();
    QString folder;
};

SavePath& pathNamed(const std::vector<std::unique_ptr<SavePath>>& paths, const QString& name) {
    for (const auto& path : paths)
        if (QLatin1String(path->name()) == name)
            return *path;
    fail(QStringLiteral("no save path \"%1\"").arg(name));
}

// The child: readies the path, says so, and saves until it is killed, or, timing, saves a few times and
// prints the mean time of a save in microseconds.
int runChild(SavePath& path, bool timing) {
    path.ready();
    if (timing) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < kTimedCycles; ++i)
            path.cycle(i);
        std::printf("%lld\n", static_cast<long long>(timer.nsecsElapsed() / 1000 / kTimedCycles));
        return 0;
    }
    std::fputc(kReady, stdout);
    std::fflush(stdout);
    for (int i = 0;; ++i)
        path.cycle(i);
}

std::unique_ptr<QProcess> startChild(const SavePath& path, const QString& root, bool timing) {
    auto child = std::make_unique<QProcess>();
    child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList arguments{QStringLiteral("--child"), QLatin1String(path.name()), root};
    if (timing)
        arguments << QStringLiteral("--time");
    child->start(QCoreApplication::applicationFilePath(), arguments);
    if (!child->waitForStarted(10'000))
        fail(QStringLiteral("cannot start a child for %1").arg(QLatin1String(path.name())));
    return child;
}

std::chrono::microseconds timeOneSave(SavePath& path, const QString& root) {
    path.prepare();
    const auto child = startChild(path, root, true);
    if (!child->waitForFinished(600'000) || child->exitStatus() != QProcess::NormalExit ||
        child->exitCode() != 0)
        fail(QStringLiteral("the timing run of %1 failed").arg(QLatin1String(path.name())));
    return std::chrono::microseconds(std::max(1LL, child->readAllStandardOutput().trimmed().toLongLong()));
}

struct Tally {
    int kills = 0;
    int torn = 0;
    int leftovers = 0;
    QStringList leftoverNames; // a few examples
    std::map<QString, int> outcomes;
    std::chrono::microseconds save{0};
};

Tally killRepeatedly(SavePath& path, const QString& root, int kills, std::mt19937& random) {
    Tally tally;
    tally.save = timeOneSave(path, root);
    std::uniform_int_distribution<long long> moment(0, tally.save.count() * kWindowCycles);
    for (int k = 0; k < kills; ++k) {
        path.prepare();
        const auto child = startChild(path, root, false);
        if (!child->waitForReadyRead(600'000) || child->read(1) != QByteArray(1, kReady))
            fail(QStringLiteral("a child of %1 never became ready").arg(QLatin1String(path.name())));
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        if (child->state() != QProcess::Running)
            fail(QStringLiteral("a child of %1 ended before it was killed").arg(QLatin1String(path.name())));
        child->kill(); // SIGKILL
        child->waitForFinished(60'000);
        const Verdict verdict = path.check();
        ++tally.kills;
        ++tally.outcomes[verdict.outcome];
        tally.leftovers += static_cast<int>(verdict.leftovers.size());
        for (const QString& name : verdict.leftovers)
            if (tally.leftoverNames.size() < 3 && !tally.leftoverNames.contains(name))
                tally.leftoverNames << name;
        if (verdict.torn) {
            ++tally.torn;
            std::printf("  TORN after kill %d of %s: %s\n", k + 1, path.name(), qPrintable(verdict.detail));
        }
    }
    return tally;
}

Options parse(const QStringList& arguments) {
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (option == QLatin1String("--kills") && hasValue)
            options.kills = arguments[++i].toInt();
        else if (option == QLatin1String("--path") && hasValue)
            options.path = arguments[++i];
        else if (option == QLatin1String("--seed") && hasValue)
            options.seed = arguments[++i].toUInt();
        else if (option == QLatin1String("--folder") && hasValue)
            options.folder = arguments[++i];
        else
            fail(QStringLiteral("usage: crash_safety [--kills N] [--path TEXT] [--seed N] [--folder DIR]"));
    }
    if (options.kills < 1)
        fail(QStringLiteral("--kills needs a number of at least 1"));
    return options;
}

int runParent(const Options& options) {
    QTemporaryDir temporary;
    const QString root = options.folder.isEmpty() ? temporary.path() : options.folder;
    if (options.folder.isEmpty() && !temporary.isValid())
        fail(QStringLiteral("cannot make a temporary folder"));
    std::mt19937 random(options.seed);
    std::printf("crash safety: %d kills per path, seed %u, files in %s\n", options.kills, options.seed,
                qPrintable(root));
    std::fflush(stdout);

    int torn = 0;
    const auto paths = makeSavePaths(root);
    for (const auto& path : paths) {
        if (!QLatin1String(path->name()).contains(options.path))
            continue;
        path->setUp();
        const Tally tally = killRepeatedly(*path, root, options.kills, random);
        QStringList outcomes;
        for (const auto& [outcome, count] : tally.outcomes)
            outcomes << QStringLiteral("%1 %2").arg(outcome).arg(count);
        std::printf("%-30s %4d kills, %d torn, a save takes %.1f ms; found: %s; temporary files left: %d%s\n",
                    path->name(), tally.kills, tally.torn, static_cast<double>(tally.save.count()) / 1000.0,
                    qPrintable(outcomes.join(QStringLiteral(", "))), tally.leftovers,
                    tally.leftoverNames.isEmpty()
                        ? ""
                        : qPrintable(QStringLiteral(" (") + tally.leftoverNames.join(QStringLiteral(", ")) +
                                     QLatin1Char(')')));
        std::fflush(stdout);
        torn += tally.torn;
    }
    std::printf("%s\n", torn == 0 ? "no torn file" : "TORN FILES FOUND");
    return torn == 0 ? 0 : 1;
}

QtMessageHandler standardHandler = nullptr;

// Hundreds of children would each repeat that the session has no runtime folder.
void withoutRuntimeFolderNotice(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        standardHandler(type, context, message);
}

} // namespace

} // namespace crash

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    crash::standardHandler = qInstallMessageHandler(crash::withoutRuntimeFolderNotice);
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() >= 4 && arguments[1] == QLatin1String("--child")) {
        const auto paths = crash::makeSavePaths(arguments[3]);
        return crash::runChild(crash::pathNamed(paths, arguments[2]),
                               arguments.size() >= 5 && arguments[4] == QLatin1String("--time"));
    }
    return crash::runParent(crash::parse(arguments));
}
