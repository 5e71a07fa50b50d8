// The real program installed under a prefix, and a copy in a folder it may not write: each finds what it
// ships and keeps its data in the user's data folder.
#include "platform/folders.h"
#include "resources/package_writer.h"
#include "resources/resource_library.h"
#include "support/temp_folder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <unistd.h>

using testing_support::TempFolder;

namespace {

constexpr QFileDevice::Permissions kOpenToAll =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
    QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther |
    QFileDevice::ExeOther;
constexpr QFileDevice::Permissions kReadOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                               QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                               QFileDevice::ReadOther | QFileDevice::ExeOther;

class InstalledProgram : public ::testing::Test {
protected:
    TempFolder root;

    // The user's folders in root/user, as Folders(program, root/user) names them.
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_DATA_HOME", root.file("user/share"));
        env.insert("XDG_CONFIG_HOME", root.file("user/config"));
        env.insert("XDG_CACHE_HOME", root.file("user/cache"));
        env.insert("XDG_RUNTIME_DIR", root.file("runtime"));
        return env;
    }

    QString userData() const { return root.file("user/share/Quorix/Pictovance Dazazizu/"); }

    bool copyProgram(const QString& folder) const {
        return QDir().mkpath(folder) && QFile::copy(PICTOVANCE_EXE, folder + "/pictovance");
    }

    QString writeFramePackage(const QString& path) const {
        resources::PackageWriter frames(resources::ResourceCategory::Frames);
        QImage frame(60, 40, QImage::Format_ARGB32);
        frame.fill(qRgba(120, 60, 20, 255));
        EXPECT_TRUE(frames.addPicture(frame, resources::PhotoHole{0.2f, 0.25f, 0.8f, 0.75f}));
        const std::vector<std::uint8_t> bytes = frames.bytes();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return path;
    }

    int frameCount(const QString& programFolder) const {
        const platform::Folders folders(programFolder, root.file("user"), platform::DataPlace::UserDataFolder);
        return static_cast<int>(
            resources::ResourceLibrary(folders).ReadRawList(resources::files::kFrameThumbnails).pictures.size());
    }
};

} // namespace

TEST_F(InstalledProgram, ReadsItsShareFolderAndKeepsItsDataInTheUsersFolder) {
    ASSERT_TRUE(copyProgram(root.file("usr/bin")));
    ASSERT_TRUE(QDir().mkpath(root.file("usr/share/pictovance/Help")));
    ASSERT_TRUE(QDir().mkpath(root.file("usr/share/pictovance/Starter")));
    ASSERT_TRUE(root.write("usr/share/pictovance/Help/index.html", "<h1>Help</h1>"));
    writeFramePackage(root.file("usr/share/pictovance/Starter/starter-frames.irs"));
    ASSERT_TRUE(QDir().mkpath(root.file("runtime")));
    ASSERT_TRUE(QFile::setPermissions(root.file("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                QFileDevice::ExeOwner));

    QProcess editor;
    editor.setProcessEnvironment(environment());
    editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    editor.start(root.file("usr/bin/pictovance"), {});
    // Started: the language file is written once the starter library has been imported.
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && !QFileInfo::exists(userData() + "Data/EnglishLang_src"))
        QThread::msleep(50);
    ASSERT_TRUE(QFileInfo::exists(userData() + "Data/EnglishLang_src"));
    editor.terminate();
    ASSERT_TRUE(editor.waitForFinished(10000));
    EXPECT_EQ(editor.exitCode(), 0);

    EXPECT_EQ(frameCount(root.file("usr/bin")), 1); // the starter package, imported on the first start
    // A recipe run of the installed program places frames from that same library.
    QImage photo(80, 60, QImage::Format_RGB32);
    photo.fill(Qt::gray);
    ASSERT_TRUE(photo.save(root.file("photo.png")));
    ASSERT_TRUE(root.write("recipe.json", R"({"recipe": 1, "steps": [{"op": "frame", "index": 0}]})"));
    QProcess recipe;
    recipe.setProcessEnvironment(environment());
    recipe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    recipe.start(root.file("usr/bin/pictovance"),
                 {"--recipe", root.file("recipe.json"), "--out", root.file("out"), root.file("photo.png")});
    ASSERT_TRUE(recipe.waitForFinished(60000));
    EXPECT_EQ(recipe.exitCode(), 0);
    EXPECT_TRUE(QFileInfo::exists(root.file("out/photo.jpg")));
    EXPECT_TRUE(QFileInfo::exists(userData() + "Data/ZorvathMedia"));
    EXPECT_EQ(QDir(root.file("usr/bin")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"pictovance"});
    EXPECT_EQ(QDir(root.file("usr/share/pictovance")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"Help", "Starter"}));
}

TEST_F(InstalledProgram, AProgramFolderItMayNotWriteSendsItsDataToTheUsersFolder) {
    ASSERT_TRUE(copyProgram(root.file("readonly")));
    const QString package = writeFramePackage(root.file("frames.irs"));
    ASSERT_TRUE(QDir().mkpath(root.file("user")));
    QProcess importer;
    importer.setProcessEnvironment(environment());
    importer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Root may write anywhere: the program then runs as an ordinary user, who may not write the folder.
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        ASSERT_TRUE(QFile::setPermissions(root.path(), kOpenToAll));
        ASSERT_TRUE(QFile::setPermissions(root.file("user"), kOpenToAll));
    }
    ASSERT_TRUE(QFile::setPermissions(root.file("readonly"), kReadOnly));
    const QStringList arguments = {"--import-resources", package};
    if (asRoot)
        importer.start("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups",
                                              root.file("readonly/pictovance")} +
                                      arguments);
    else
        importer.start(root.file("readonly/pictovance"), arguments);
    const bool finished = importer.waitForFinished(60000);
    QFile::setPermissions(root.file("readonly"), kOpenToAll); // so the folder can be cleaned up
    ASSERT_TRUE(finished);
    EXPECT_EQ(importer.exitCode(), 0);
    EXPECT_EQ(frameCount(root.file("readonly")), 1);
    EXPECT_FALSE(QFileInfo::exists(root.file("readonly/Data")));
}
