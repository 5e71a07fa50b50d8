// The desktop wallpaper through a recording stand-in for each desktop's settings tool.

#include "platform/wallpaper/desktop_wallpaper.h"
#include "platform/wallpaper/wallpaper_backends.h"
#include "support/recording_tool_runner.h"
#include "support/temp_folder.h"

#include <QFile>
#include <QMap>
#include <QUrl>
#include <gtest/gtest.h>

using namespace platform;
using testing_support::RecordingToolRunner;
using testing_support::TempFolder;

namespace {

QProcessEnvironment environmentWith(std::initializer_list<std::pair<const char*, const char*>> variables) {
    QProcessEnvironment environment;
    for (const auto& [name, value] : variables)
        environment.insert(QLatin1String(name), QLatin1String(value));
    return environment;
}

// A gsettings schema held in memory: list-keys, get and set behave as the real tool does for string keys.
struct FakeGsettings {
    QString schema;
    QMap<QString, QString> keys; // key -> value in GVariant text form

    ToolRun operator()(const QString& program, const QStringList& arguments) {
        if (program != QLatin1String("gsettings") || arguments.size() < 2 || arguments[1] != schema)
            return RecordingToolRunner::failed(1,
                                               QStringLiteral("No such schema “%1”").arg(arguments.value(1)));
        if (arguments[0] == QLatin1String("list-keys"))
            return RecordingToolRunner::succeeded(keys.keys().join(QLatin1Char('\n')) + QLatin1Char('\n'));
        if (!keys.contains(arguments.value(2)))
            return RecordingToolRunner::failed(1, QStringLiteral("No such key “%1”").arg(arguments.value(2)));
        if (arguments[0] == QLatin1String("get"))
            return RecordingToolRunner::succeeded(keys[arguments[2]] + QLatin1Char('\n'));
        if (arguments[0] == QLatin1String("set") && arguments.size() == 4) {
            keys[arguments[2]] = arguments[3];
            return RecordingToolRunner::succeeded();
        }
        return RecordingToolRunner::failed(1, QStringLiteral("bad call"));
    }
};

// The calls that changed something.
std::vector<RecordingToolRunner::Call> settingCalls(const RecordingToolRunner& tools) {
    std::vector<RecordingToolRunner::Call> calls;
    for (const auto& call : tools.calls())
        if (call.arguments.contains(QLatin1String("set")) || call.arguments.contains(QLatin1String("-s")) ||
            call.arguments.constLast().contains(QLatin1String("writeConfig")))
            calls.push_back(call);
    return calls;
}

struct Wallpaper : ::testing::Test {
    TempFolder folder;
    QString picture = folder.file(QStringLiteral("Quorix Pictovance Wallpaper.bmp"));
    QString memory = folder.file(QStringLiteral("Quorix Pictovance Wallpaper.previous"));
    QString pictureUri = QUrl::fromLocalFile(picture).toString(QUrl::FullyEncoded);
};

} // namespace

TEST(DesktopDetection, ReadsTheSessionEnvironment) {
    EXPECT_EQ(detectDesktop(environmentWith({{"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}})), DesktopKind::Gnome);
    EXPECT_EQ(detectDesktop(environmentWith({{"XDG_CURRENT_DESKTOP", "Budgie:GNOME"}})), DesktopKind::Gnome);
    EXPECT_EQ(detectDesktop(environmentWith({{"XDG_CURRENT_DESKTOP", "KDE"}})), DesktopKind::Kde);
    EXPECT_EQ(detectDesktop(environmentWith({{"XDG_CURRENT_DESKTOP", "X-Cinnamon"}})), DesktopKind::Cinnamon);
    EXPECT_EQ(detectDesktop(environmentWith({{"XDG_CURRENT_DESKTOP", "MATE"}})), DesktopKind::Mate);
    EXPECT_EQ(detectDesktop(environmentWith({{"XDG_CURRENT_DESKTOP", "XFCE"}})), DesktopKind::Xfce);
    // An unknown first entry gives way to a known one after it, then to the older variables.
    EXPECT_EQ(detectDesktop(environmentWith({{"XDG_CURRENT_DESKTOP", "Custom:XFCE"}})), DesktopKind::Xfce);
    EXPECT_EQ(detectDesktop(environmentWith({{"DESKTOP_SESSION", "plasma"}})), DesktopKind::Kde);
    EXPECT_EQ(detectDesktop(environmentWith({{"KDE_FULL_SESSION", "true"}})), DesktopKind::Kde);
    EXPECT_EQ(detectDesktop(environmentWith({{"XDG_CURRENT_DESKTOP", "sway"}})), DesktopKind::Unknown);
    EXPECT_EQ(detectDesktop(QProcessEnvironment()), DesktopKind::Unknown);
}

TEST(DesktopDetection, GvariantStringsSurviveQuotesAndBackslashes) {
    const QString awkward = QStringLiteral("/home/o'neil/a\\b.bmp");
    EXPECT_EQ(gvariantString(awkward), QStringLiteral("'/home/o\\'neil/a\\\\b.bmp'"));
    EXPECT_EQ(gvariantStringValue(gvariantString(awkward)), awkward);
    // gsettings prints strings holding a single quote in double quotes.
    EXPECT_EQ(gvariantStringValue(QStringLiteral("\"it's\"\n")), QStringLiteral("it's"));
    EXPECT_EQ(gvariantStringValue(QStringLiteral("uint32 5")), QString());
}

TEST_F(Wallpaper, GnomeSetsBothPictureKeysAndRestoresTheEarlierOnes) {
    FakeGsettings gnome{
        QStringLiteral("org.gnome.desktop.background"),
        {{QStringLiteral("picture-uri"), QStringLiteral("'file:///usr/share/backgrounds/day.jpg'")},
         {QStringLiteral("picture-uri-dark"), QStringLiteral("'file:///usr/share/backgrounds/night.jpg'")},
         {QStringLiteral("picture-options"), QStringLiteral("'zoom'")}}};
    RecordingToolRunner tools(std::ref(gnome));
    DesktopWallpaper desktop(DesktopKind::Gnome, tools, memory);

    const WallpaperReport shown = desktop.show(picture);
    EXPECT_EQ(shown.result, WallpaperReport::Result::Done) << shown.message.toStdString();
    EXPECT_TRUE(shown.message.isEmpty());
    EXPECT_EQ(gnome.keys[QStringLiteral("picture-uri")], gvariantString(pictureUri));
    EXPECT_EQ(gnome.keys[QStringLiteral("picture-uri-dark")], gvariantString(pictureUri));
    EXPECT_EQ(gnome.keys[QStringLiteral("picture-options")],
              QStringLiteral("'zoom'")); // the style is the user's
    const auto sets = settingCalls(tools);
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].program, QStringLiteral("gsettings"));
    EXPECT_EQ(sets[0].arguments,
              (QStringList{QStringLiteral("set"), QStringLiteral("org.gnome.desktop.background"),
                           QStringLiteral("picture-uri"), gvariantString(pictureUri)}));
    EXPECT_EQ(sets[1].arguments,
              (QStringList{QStringLiteral("set"), QStringLiteral("org.gnome.desktop.background"),
                           QStringLiteral("picture-uri-dark"), gvariantString(pictureUri)}));

    // Setting it again must not note our own picture as the one to come back to.
    EXPECT_EQ(desktop.show(picture).result, WallpaperReport::Result::Done);
    const WallpaperReport removed = desktop.takeOff(picture);
    EXPECT_EQ(removed.result, WallpaperReport::Result::Done) << removed.message.toStdString();
    EXPECT_EQ(gnome.keys[QStringLiteral("picture-uri")],
              QStringLiteral("'file:///usr/share/backgrounds/day.jpg'"));
    EXPECT_EQ(gnome.keys[QStringLiteral("picture-uri-dark")],
              QStringLiteral("'file:///usr/share/backgrounds/night.jpg'"));
    EXPECT_FALSE(QFile::exists(memory));
}

TEST_F(Wallpaper, OlderGnomeWithoutTheDarkKeyAndRemovalWithNothingNoted) {
    FakeGsettings gnome{QStringLiteral("org.gnome.desktop.background"),
                        {{QStringLiteral("picture-uri"), QStringLiteral("''")}}};
    RecordingToolRunner tools(std::ref(gnome));
    DesktopWallpaper desktop(DesktopKind::Gnome, tools, memory);
    ASSERT_EQ(desktop.show(picture).result, WallpaperReport::Result::Done);
    EXPECT_EQ(gnome.keys[QStringLiteral("picture-uri")], gvariantString(pictureUri));
    EXPECT_FALSE(gnome.keys.contains(QStringLiteral("picture-uri-dark")));

    // Without a note (lost, or from another desktop) the desktop is left without a picture.
    ASSERT_TRUE(QFile::remove(memory));
    EXPECT_EQ(desktop.takeOff(picture).result, WallpaperReport::Result::Done);
    EXPECT_EQ(gnome.keys[QStringLiteral("picture-uri")], QStringLiteral("''"));
}

TEST_F(Wallpaper, RemovingLeavesAWallpaperTheUserChoseSinceAlone) {
    FakeGsettings cinnamon{QStringLiteral("org.cinnamon.desktop.background"),
                           {{QStringLiteral("picture-uri"), QStringLiteral("'file:///old.jpg'")}}};
    RecordingToolRunner tools(std::ref(cinnamon));
    DesktopWallpaper desktop(DesktopKind::Cinnamon, tools, memory);
    ASSERT_EQ(desktop.show(picture).result, WallpaperReport::Result::Done);
    EXPECT_EQ(cinnamon.keys[QStringLiteral("picture-uri")], gvariantString(pictureUri));

    cinnamon.keys[QStringLiteral("picture-uri")] = QStringLiteral("'file:///chosen-later.jpg'");
    const WallpaperReport removed = desktop.takeOff(picture);
    EXPECT_EQ(removed.result, WallpaperReport::Result::Done);
    EXPECT_FALSE(removed.message.isEmpty());
    EXPECT_EQ(cinnamon.keys[QStringLiteral("picture-uri")], QStringLiteral("'file:///chosen-later.jpg'"));
}

TEST_F(Wallpaper, MateTakesAPlainPath) {
    FakeGsettings mate{QStringLiteral("org.mate.background"),
                       {{QStringLiteral("picture-filename"), QStringLiteral("'/usr/share/old.png'")}}};
    RecordingToolRunner tools(std::ref(mate));
    DesktopWallpaper desktop(DesktopKind::Mate, tools, memory);
    ASSERT_EQ(desktop.show(picture).result, WallpaperReport::Result::Done);
    EXPECT_EQ(mate.keys[QStringLiteral("picture-filename")], gvariantString(picture));
    ASSERT_EQ(desktop.takeOff(picture).result, WallpaperReport::Result::Done);
    EXPECT_EQ(mate.keys[QStringLiteral("picture-filename")], QStringLiteral("'/usr/share/old.png'"));
}

TEST_F(Wallpaper, XfceSetsEveryMonitorsPictureAndRestoresEach) {
    QMap<QString, QString> channel{
        {QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/last-image"),
         QStringLiteral("/home/u/a.jpg")},
        {QStringLiteral("/backdrop/screen0/monitoreDP-1/workspace0/last-image"),
         QStringLiteral("/home/u/b.jpg")},
        {QStringLiteral("/backdrop/screen0/monitoreDP-1/workspace0/image-style"), QStringLiteral("5")}};
    RecordingToolRunner tools([&](const QString& program, const QStringList& arguments) {
        EXPECT_EQ(program, QStringLiteral("xfconf-query"));
        EXPECT_EQ(arguments.mid(0, 2), (QStringList{QStringLiteral("-c"), QStringLiteral("xfce4-desktop")}));
        if (arguments.value(2) == QLatin1String("-l"))
            return RecordingToolRunner::succeeded(channel.keys().join(QLatin1Char('\n')) + QLatin1Char('\n'));
        const QString property = arguments.value(3);
        const qsizetype set = arguments.indexOf(QStringLiteral("-s"));
        if (set < 0)
            return RecordingToolRunner::succeeded(channel.value(property) + QLatin1Char('\n'));
        channel[property] = arguments.value(set + 1);
        return RecordingToolRunner::succeeded();
    });
    DesktopWallpaper desktop(DesktopKind::Xfce, tools, memory);
    ASSERT_EQ(desktop.show(picture).result, WallpaperReport::Result::Done);
    EXPECT_EQ(settingCalls(tools).back().arguments,
              (QStringList{QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-p"),
                           QStringLiteral("/backdrop/screen0/monitoreDP-1/workspace0/last-image"),
                           QStringLiteral("-s"), picture}));
    EXPECT_EQ(channel[QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/last-image")], picture);
    EXPECT_EQ(channel[QStringLiteral("/backdrop/screen0/monitoreDP-1/workspace0/image-style")],
              QStringLiteral("5"));

    ASSERT_EQ(desktop.takeOff(picture).result, WallpaperReport::Result::Done);
    EXPECT_EQ(channel[QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/last-image")],
              QStringLiteral("/home/u/a.jpg"));
    EXPECT_EQ(channel[QStringLiteral("/backdrop/screen0/monitoreDP-1/workspace0/last-image")],
              QStringLiteral("/home/u/b.jpg"));
}

TEST_F(Wallpaper, XfceWithoutAnyPictureBeforeIsLeftWithoutOneAgainEveryTime) {
    // xfconf-query as it behaves: an empty channel fails its listing, -n makes a property, -r removes it.
    QMap<QString, QString> channel;
    RecordingToolRunner tools([&](const QString&, const QStringList& arguments) {
        if (arguments.value(2) == QLatin1String("-l"))
            return channel.isEmpty() ? RecordingToolRunner::failed(1, QStringLiteral("no properties"))
                                     : RecordingToolRunner::succeeded(channel.keys().join(QLatin1Char('\n')));
        const QString property = arguments.value(3);
        if (arguments.contains(QStringLiteral("-r"))) {
            channel.remove(property);
            return RecordingToolRunner::succeeded();
        }
        const qsizetype set = arguments.indexOf(QStringLiteral("-s"));
        if (!channel.contains(property) && !arguments.contains(QStringLiteral("-n")))
            return RecordingToolRunner::failed(1, QStringLiteral("Property does not exist"));
        if (set < 0)
            return RecordingToolRunner::succeeded(channel.value(property) + QLatin1Char('\n'));
        channel[property] = arguments.value(set + 1);
        return RecordingToolRunner::succeeded();
    });
    DesktopWallpaper desktop(DesktopKind::Xfce, tools, memory);
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(desktop.show(picture).result, WallpaperReport::Result::Done) << round;
        EXPECT_EQ(channel.value(QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image")), picture);
        const WallpaperReport removed = desktop.takeOff(picture);
        EXPECT_EQ(removed.result, WallpaperReport::Result::Done) << removed.message.toStdString();
        EXPECT_TRUE(channel.isEmpty()) << round;
        EXPECT_FALSE(QFile::exists(memory));
    }
}

TEST_F(Wallpaper, KdeRunsADesktopScriptThroughTheSessionBus) {
    const QString before = QStringLiteral(
        "[{\"image\":\"file:///usr/share/wallpapers/Next.png\",\"plugin\":\"org.kde.image\"}]");
    QString desktops = before;
    // The shell's answer to the reading script; the setting scripts change what it reports next.
    RecordingToolRunner tools([&](const QString&, const QStringList& arguments) {
        const QString script = arguments.constLast();
        if (script.contains(QLatin1String("print(")))
            return RecordingToolRunner::succeeded(QStringLiteral("   ") + desktops + QLatin1Char('\n'));
        if (script.contains(QLatin1String("var saved = ")))
            desktops = before;
        else if (script.contains(pictureUri))
            desktops = QStringLiteral("[{\"image\":\"%1\",\"plugin\":\"org.kde.image\"}]").arg(pictureUri);
        return RecordingToolRunner::succeeded();
    });
    DesktopWallpaper desktop(DesktopKind::Kde, tools, memory);
    ASSERT_EQ(desktop.show(picture).result, WallpaperReport::Result::Done);
    const auto sets = settingCalls(tools);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].program, QStringLiteral("dbus-send"));
    EXPECT_EQ(
        sets[0].arguments.mid(0, 6),
        (QStringList{QStringLiteral("--session"), QStringLiteral("--dest=org.kde.plasmashell"),
                     QStringLiteral("--type=method_call"), QStringLiteral("--print-reply=literal"),
                     QStringLiteral("/PlasmaShell"), QStringLiteral("org.kde.PlasmaShell.evaluateScript")}));
    EXPECT_TRUE(sets[0].arguments[6].startsWith(QLatin1String("string:var ds = desktops();")));
    EXPECT_TRUE(
        sets[0].arguments[6].contains(QStringLiteral("d.writeConfig('Image', \"%1\")").arg(pictureUri)))
        << sets[0].arguments[6].toStdString();

    // Removing it brings the noted desktops back.
    ASSERT_EQ(desktop.takeOff(picture).result, WallpaperReport::Result::Done);
    EXPECT_TRUE(settingCalls(tools).back().arguments[6].contains(QStringLiteral("var saved = ") + before))
        << settingCalls(tools).back().arguments[6].toStdString();
    EXPECT_EQ(desktops, before);
}

TEST_F(Wallpaper, FailuresAreReportedNeverShownAsSuccess) {
    // The tool is missing.
    RecordingToolRunner missing(
        [](const QString&, const QStringList&) { return RecordingToolRunner::missing(); });
    WallpaperReport report = DesktopWallpaper(DesktopKind::Gnome, missing, memory).show(picture);
    EXPECT_EQ(report.result, WallpaperReport::Result::Failed);
    EXPECT_TRUE(report.message.contains(QLatin1String("gsettings is not installed")))
        << report.message.toStdString();

    // The setting is refused after the reading worked: the tool's own words reach the user.
    FakeGsettings gnome{QStringLiteral("org.gnome.desktop.background"),
                        {{QStringLiteral("picture-uri"), QStringLiteral("''")}}};
    RecordingToolRunner refusing([&](const QString& program, const QStringList& arguments) {
        if (arguments.value(0) == QLatin1String("set"))
            return RecordingToolRunner::failed(1, QStringLiteral("The key is not writable"));
        return gnome(program, arguments);
    });
    report = DesktopWallpaper(DesktopKind::Gnome, refusing, memory).show(picture);
    EXPECT_EQ(report.result, WallpaperReport::Result::Failed);
    EXPECT_TRUE(report.message.contains(QLatin1String("The key is not writable")));

    // The tool says yes but the desktop keeps its picture (a settings store that is not the session's).
    RecordingToolRunner ignoring([&](const QString& program, const QStringList& arguments) {
        if (arguments.value(0) == QLatin1String("set"))
            return RecordingToolRunner::succeeded();
        return gnome(program, arguments);
    });
    report = DesktopWallpaper(DesktopKind::Gnome, ignoring, memory).show(picture);
    EXPECT_EQ(report.result, WallpaperReport::Result::Failed);
    EXPECT_TRUE(report.message.contains(QLatin1String("did not take the new picture")));

    // A tool that hangs is cut off by the runner and reported.
    RecordingToolRunner hanging([](const QString&, const QStringList&) {
        ToolRun run;
        run.end = ToolRun::End::TimedOut;
        return run;
    });
    report = DesktopWallpaper(DesktopKind::Xfce, hanging, memory).takeOff(picture);
    EXPECT_EQ(report.result, WallpaperReport::Result::Failed);
    EXPECT_TRUE(report.message.contains(QLatin1String("did not answer in time")));
}

TEST(ToolRunner, AMissingProgramIsAFailedRunNotAHang) {
    ProcessToolRunner runner(std::chrono::milliseconds(2000));
    const ToolRun missing = runner.run(QStringLiteral("pictovance-no-such-tool"), {});
    EXPECT_EQ(missing.end, ToolRun::End::NotFound);
    EXPECT_FALSE(missing.succeeded());

    const ToolRun slow =
        ProcessToolRunner(std::chrono::milliseconds(200)).run(QStringLiteral("sleep"), {QStringLiteral("5")});
    EXPECT_EQ(slow.end, ToolRun::End::TimedOut);

    const ToolRun echoed =
        runner.run(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo 'a b'; exit 3")});
    EXPECT_EQ(echoed.end, ToolRun::End::Finished);
    EXPECT_EQ(echoed.exitCode, 3);
    EXPECT_EQ(echoed.output, QStringLiteral("a b\n"));
}
