// Two real editor processes: the second start hands over to the first and ends without a window.
#include "app/single_instance.h"
#include "support/temp_folder.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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
        program = root.file("app/pictovance");
        ASSERT_TRUE(QFile::copy(PICTOVANCE_EXE, program));
    }

    QProcessEnvironment environment(const char* platform = "offscreen") const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", platform);
        env.insert("TMPDIR", root.file("tmp")); // the lock and the socket live here, away from a real run
        env.insert("XDG_CONFIG_HOME", root.file("config"));
        return env;
    }

    std::unique_ptr<QProcess> start(const QStringList& arguments, const char* platform = "offscreen") const {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment(platform));
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(program, arguments);
        process->waitForStarted(5000);
        return process;
    }

    bool acceptsHandOff() const {
        QLocalSocket socket;
        socket.connectToServer(root.file("tmp/") + app::singleInstanceServerName());
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

    auto third = start({"/tmp/b.pif", "--no-such-option"}, "no-such-platform");
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
