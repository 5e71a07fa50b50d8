// pictovance --import-resources, run as a copy of the real program in a folder of its own.

#include "library_fixture.h"
#include "resources/package_writer.h"
#include "resources/resource_library.h"

#include <QProcess>

namespace {

using namespace resources;
using resources_test::testPicture;

class ImportCommand : public resources_test::LibraryTest {
protected:
    struct Run {
        int exitCode = -1;
        QStringList lines;
    };

    Run run(const QStringList& arguments) {
        const QString program = root_.path() + QStringLiteral("/pictovance");
        if (!QFile::exists(program)) {
            EXPECT_TRUE(QFile::copy(QStringLiteral(PICTOVANCE_EXE), program));
        }
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitCode(),
                QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)};
    }
};

TEST_F(ImportCommand, ImportsEachPackageWithOneLineAndAnExitCodeForScripts) {
    PackageWriter frames(ResourceCategory::Frames);
    ASSERT_TRUE(frames.addPicture(testPicture(40, 30, 1)));
    ASSERT_TRUE(frames.addPicture(testPicture(30, 40, 2)));
    const QString good = writePackage(QStringLiteral("frames.irs"), frames.bytes());
    PackageWriter seven(static_cast<ResourceCategory>(7));
    ASSERT_TRUE(seven.addRaw(testPicture(4, 4, 1)));
    const QString bad = writePackage(QStringLiteral("seven.irs"), seven.bytes());

    Run result = run({QStringLiteral("--import-resources"), good, bad});
    EXPECT_EQ(result.exitCode, 1);
    ASSERT_EQ(result.lines.size(), 2);
    EXPECT_EQ(result.lines[0], QStringLiteral("imported: %1: 2 frames").arg(good));
    EXPECT_TRUE(result.lines[1].startsWith(QStringLiteral("refused: %1: its category (7)").arg(bad)));
    EXPECT_EQ(ResourceLibrary(folders()).ReadRawList(files::kFrameThumbnails).pictures.size(), 2u);

    result = run({QStringLiteral("--import-resources"), good});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.lines, QStringList{QStringLiteral("already in the library: %1").arg(good)});

    EXPECT_EQ(run({QStringLiteral("--import-resources")}).exitCode, 2);
    EXPECT_EQ(run({QStringLiteral("--import-resources"), QStringLiteral("--bogus"), good}).exitCode, 2);
}

} // namespace
