// pictovance --import-resources, run as a copy of the real program in a folder of its own.

#include "library_fixture.h"
#include "resources/import_journal.h"
#include "resources/library_lock.h"
#include "resources/package_register.h"
#include "resources/package_writer.h"
#include "resources/resource_library.h"

#include <QProcess>
#include <algorithm>
#include <memory>
#include <optional>

namespace {

using namespace resources;
using resources_test::rawList;
using resources_test::testPicture;

class ImportCommand : public resources_test::LibraryTest {
protected:
    struct Run {
        int exitCode = -1;
        QStringList lines;
    };

    std::unique_ptr<QProcess> start(const QStringList& arguments) {
        const QString program = root_.path() + QStringLiteral("/pictovance");
        if (!QFile::exists(program)) {
            EXPECT_TRUE(QFile::copy(QStringLiteral(PICTOVANCE_EXE), program));
        }
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        process->setProcessEnvironment(environment);
        process->start(program, arguments);
        return process;
    }

    static Run finish(QProcess& process) {
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitCode(),
                QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)};
    }

    Run run(const QStringList& arguments) { return finish(*start(arguments)); }
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

TEST_F(ImportCommand, ImportsRunningAtOnceTakeTurnsAndAllTheirEntriesStand) {
    auto package = [this](const QString& name, ResourceCategory category, int count, int seed) {
        PackageWriter writer(category);
        for (int i = 0; i < count; ++i) {
            const QImage picture = testPicture(200 + i, 150, seed + i);
            EXPECT_TRUE(category == ResourceCategory::Frames ? writer.addPicture(picture, PhotoHole{})
                                                             : writer.addRaw(picture));
        }
        return writePackage(name, writer.bytes());
    };
    const QString option = QStringLiteral("--import-resources");

    // Two imports started together.
    const QString first = package(QStringLiteral("first.irs"), ResourceCategory::Frames, 30, 0);
    const QString second = package(QStringLiteral("second.irs"), ResourceCategory::Frames, 30, 100);
    const auto a = start({option, first});
    const auto b = start({option, second});
    EXPECT_EQ(finish(*a).lines, QStringList{QStringLiteral("imported: %1: 30 frames").arg(first)});
    EXPECT_EQ(finish(*b).lines, QStringList{QStringLiteral("imported: %1: 30 frames").arg(second)});

    // One started while another holds the library, in the middle of an import of its own (its journal
    // written): the new one waits, says so, and leaves that import's files alone.
    const QString cliparts = package(QStringLiteral("cliparts.irs"), ResourceCategory::Cliparts, 30, 200);
    std::optional<LibraryLock> other;
    other.emplace(folders().GetDataFolder());
    ASSERT_EQ(other->take(), LibraryLock::State::Held);
    ImportJournal journal;
    journal.packageName = "other.irs";
    journal.registerCount = 2;
    journal.targets = {{files::kCliparts, false, 0, 0}};
    ASSERT_TRUE(writeImportJournal(folders().GetDataFolder(), journal));
    writeData(files::kCliparts, rawList({testPicture(10, 10, 1)}));
    const auto waiting = start({option, cliparts});
    waiting->setReadChannel(QProcess::StandardError);
    QByteArray said;
    while (!said.contains("waiting") && waiting->waitForReadyRead(30000))
        said += waiting->readAllStandardError();
    EXPECT_TRUE(said.contains("another import into the resource library is under way; waiting"))
        << said.data();
    EXPECT_FALSE(waiting->waitForFinished(300));
    EXPECT_EQ(readData(files::kCliparts), rawList({testPicture(10, 10, 1)}));
    // The other import ends, registering its package.
    writePackageRegister(dataPath(files::kPackageRegister), {"first.irs", "second.irs", "other.irs"});
    ASSERT_TRUE(QFile::remove(dataPath(kImportJournal)));
    other.reset();
    EXPECT_EQ(finish(*waiting).lines, QStringList{QStringLiteral("imported: %1: 30 cliparts").arg(cliparts)});

    // Every package is registered once, each file counts the sum, and every entry reads back.
    std::vector<QByteArray> names = readPackageRegister(dataPath(files::kPackageRegister));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<QByteArray>{"cliparts.irs", "first.irs", "other.irs", "second.irs"}));
    ResourceLibrary library(folders());
    const ResourceLibrary::RawList thumbnails = library.ReadRawList(files::kFrameThumbnails);
    EXPECT_TRUE(thumbnails.complete);
    EXPECT_EQ(thumbnails.pictures.size(), 60u);
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(library.ReadEncodedPicture(files::kFrames, i).height(), 150) << i;
    const ResourceLibrary::RawList clipartList = library.ReadRawList(files::kCliparts);
    EXPECT_TRUE(clipartList.complete);
    ASSERT_EQ(clipartList.pictures.size(), 31u);
    EXPECT_EQ(clipartList.pictures[30], testPicture(229, 150, 229));
    EXPECT_FALSE(dataExists(kImportJournal));
    EXPECT_FALSE(dataExists(kLibraryLock));
}

} // namespace
