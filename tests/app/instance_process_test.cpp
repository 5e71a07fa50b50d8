// Two real editor processes: the second start hands over to the first and ends without a window.
#include "app/photos/photo_list_store.h"
#include "app/single_instance.h"
#include "support/temp_folder.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QThread>
#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

class InstanceProcesses : public ::testing::Test {
protected:
    TempFolder root;
    QString program;

    void SetUp() override {
        ASSERT_TRUE(QDir(root.path()).mkpath("app"));
        ASSERT_TRUE(QDir(root.path()).mkpath("tmp"));
        ASSERT_TRUE(QDir(root.path()).mkpath("runtime"));
        // As the session manager makes it: the user's own, closed to everyone else.
        ASSERT_TRUE(QFile::setPermissions(
            root.file("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        program = root.file("app/pictovance");
        ASSERT_TRUE(QFile::copy(PICTOVANCE_EXE, program));
    }

    QProcessEnvironment environment(const char* platform = "offscreen") const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", platform);
        env.insert("TMPDIR", root.file("tmp"));
        env.insert("XDG_RUNTIME_DIR", root.file("runtime")); // the lock and the socket, away from a real run
        env.insert("XDG_CONFIG_HOME", root.file("config"));
        env.insert("XDG_CACHE_HOME", root.file("cache"));
        return env;
    }

    std::unique_ptr<QProcess> start(const QStringList& arguments, const char* platform = "offscreen") const {
        return start(arguments, environment(platform));
    }

    std::unique_ptr<QProcess> start(const QStringList& arguments, const QProcessEnvironment& env,
                                    const QString& workingFolder = {}) const {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(workingFolder.isEmpty() ? root.path() : workingFolder);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(program, arguments);
        process->waitForStarted(5000);
        return process;
    }

    bool acceptsHandOff() const {
        QLocalSocket socket;
        socket.connectToServer(root.file("runtime/") + app::singleInstanceBaseName());
        return socket.waitForConnected(100);
    }

    bool waitUntilReady(QProcess& process) const {
        QDeadlineTimer deadline(15000);
        while (!deadline.hasExpired() && process.state() == QProcess::Running) {
            if (acceptsHandOff())
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    QString storedPath() const {
        QSettings profile(root.file("config/Quorix/Pictovance Dazazizu.ini"), QSettings::IniFormat);
        return profile.value("CommandPath/path").toString();
    }

    static void stop(QProcess& process) {
        process.kill();
        process.waitForFinished(5000);
    }
};

} // namespace

TEST_F(InstanceProcesses, SecondStartHandsOverAndExitsWithoutAWindow) {
    auto first = start({});
    ASSERT_TRUE(waitUntilReady(*first));
    EXPECT_TRUE(QFileInfo(root.file("app/Data/EnglishLang_src")).isFile());

    // A platform that does not exist would abort any process that tried to open a window.
    QElapsedTimer clock;
    clock.start();
    auto second = start({"/tmp/a.PIF"}, "no-such-platform");
    ASSERT_TRUE(second->waitForFinished(2000));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(storedPath(), "/tmp/a.PIF");

    auto third = start({"/tmp/b.pif"}, "no-such-platform");
    ASSERT_TRUE(third->waitForFinished(2000));
    EXPECT_EQ(storedPath(), "/tmp/a.PIF"); // lower-case "pif" only brings the window forward
    EXPECT_EQ(first->state(), QProcess::Running);
    stop(*first);
}

TEST_F(InstanceProcesses, CrashedInstanceDoesNotBlockTheNextStart) {
    auto crashed = start({});
    ASSERT_TRUE(waitUntilReady(*crashed));
    stop(*crashed); // killed: the lock file and the socket file stay behind

    auto next = start({});
    ASSERT_TRUE(waitUntilReady(*next));
    auto second = start({"/x/c.PIF"}, "no-such-platform");
    ASSERT_TRUE(second->waitForFinished(2000));
    EXPECT_EQ(storedPath(), "/x/c.PIF");
    stop(*next);
}

TEST_F(InstanceProcesses, LockAndSocketLiveInTheUsersRuntimeFolderNotTheSharedTemporaryOne) {
    // Another local user got to the shared temporary folder first and took both names there.
    const QString squatted = root.file("tmp/") + app::singleInstanceBaseName();
    ASSERT_TRUE(QDir().mkpath(squatted + ".lock"));
    ASSERT_TRUE(QDir().mkpath(squatted));

    auto first = start({});
    ASSERT_TRUE(waitUntilReady(*first)); // the socket answers in the runtime folder
    EXPECT_TRUE(QFileInfo(root.file("runtime/") + app::singleInstanceBaseName() + ".lock").isFile());
    EXPECT_EQ(QDir(root.file("tmp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
    auto second = start({"/y/d.PIF"}, "no-such-platform");
    ASSERT_TRUE(second->waitForFinished(2000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(storedPath(), "/y/d.PIF");
    stop(*first);

    // Without a runtime folder the lock goes to a folder only the user may enter in the cache folder.
    QProcessEnvironment env = environment();
    env.remove("XDG_RUNTIME_DIR");
    auto fallback = start({}, env);
    QDeadlineTimer deadline(15000);
    const QString privateFolder = root.file("cache/pictovance");
    while (!deadline.hasExpired() && !QFileInfo::exists(privateFolder + "/" + app::singleInstanceBaseName()))
        QThread::msleep(50);
    EXPECT_TRUE(QFileInfo::exists(privateFolder + "/" + app::singleInstanceBaseName()));
    EXPECT_EQ(QFileInfo(privateFolder).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther |
                                                        QFileDevice::WriteGroup | QFileDevice::WriteOther),
              QFileDevice::Permissions());
    stop(*fallback);
}

TEST_F(InstanceProcesses, EditorThatCannotMakeItsLockSaysSoAndEnds) {
    QProcessEnvironment env = environment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(name);
    ASSERT_TRUE(root.write("not-a-folder", "x"));
    env.insert("XDG_RUNTIME_DIR", root.file("not-a-folder"));
    env.insert("XDG_CACHE_HOME", root.file("not-a-folder/cache"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, {});
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(process.readAllStandardError()).contains("cannot start"));
}

TEST_F(InstanceProcesses, UnknownOptionPrintsTheUsageAndEndsWithoutADisplay) {
    QProcessEnvironment env = environment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(name);
    for (const QStringList& arguments :
         {QStringList{"--frobnicate"}, QStringList{"/p/photo.jpg", "--frobnicate"},
          QStringList{"--screenshot", root.file("s.png"), "--frobnicate"}}) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program, arguments);
        ASSERT_TRUE(process.waitForFinished(5000)) << arguments.join(' ').toStdString();
        EXPECT_EQ(process.exitCode(), 2);
        const QString error = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_TRUE(error.startsWith("usage: pictovance")) << error.toStdString();
        EXPECT_EQ(error.count('\n'), 1) << error.toStdString();
        // The editor's own refusal names every mode; a mode's refusal names that mode.
        for (const char* mode : {"--convert FORMAT --out DIR [--jobs N]", "--recipe", "--import-resources"})
            EXPECT_EQ(error.contains(QLatin1String(mode)), !arguments.contains("--screenshot")) << mode;
        EXPECT_TRUE(error.contains("--screenshot FILE [--open PICTURE]"));
        // The editor itself takes pictures to open.
        EXPECT_EQ(error.contains("PICTURE... |"), !arguments.contains("--screenshot"));
    }
    EXPECT_FALSE(QFileInfo::exists(root.file("s.png")));
}

TEST_F(InstanceProcesses, PicturesNamedOnTheCommandLineAreListedAtTheFirstStartAndHandedOverAtASecond) {
    ASSERT_TRUE(QDir(root.path()).mkpath("pictures/more"));
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(root.file("pictures/first.png")));
    ASSERT_TRUE(picture.save(root.file("pictures/more/two words.png")));

    // Paths are taken relative to the folder each start was made in.
    auto first = start({"pictures/first.png"}, environment());
    ASSERT_TRUE(waitUntilReady(*first));
    auto second = start({"two words.png"}, environment("no-such-platform"), root.file("pictures/more"));
    ASSERT_TRUE(second->waitForFinished(5000));
    EXPECT_EQ(second->exitCode(), 0);

    // Asked by the system to end, the editor ends as its Close button ends it, keeping the photo list.
    QThread::msleep(1000); // the handed-over picture is imported in the background
    first->terminate();
    ASSERT_TRUE(first->waitForFinished(10000));
    EXPECT_EQ(first->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first->exitCode(), 0);
    const app::StoreLoadResult store = app::loadPhotoListStore(root.file("app/Data/ZorvathMedia"));
    ASSERT_EQ(store.list.records.size(), 2u);
    EXPECT_EQ(store.list.records[0].fullPath(), root.file("pictures/first.png"));
    EXPECT_EQ(store.list.records[1].fullPath(), root.file("pictures/more/two words.png"));
}
