// Saves that change files in place: the undo file, to which each image step appends a record and which
// is cut or rewritten through a copy as the history drops steps, and the resource library, which a
// package import extends under its journal. A kill must leave every record the history could read whole,
// and a library whose counts match the packages its register names once the next start has settled it.

#include "fixtures.h"
#include "imaging/filters/image_commands.h"
#include "resources/import_journal.h"
#include "resources/library_lock.h"
#include "resources/list_file.h"
#include "resources/package_register.h"
#include "resources/package_writer.h"
#include "resources/starter_library.h"
#include "save_paths.h"
#include "workspace/document.h"
#include "workspace/undo/undo_image.h"

#include <QFileInfo>
#include <QImage>
#include <QtEndian>
#include <array>
#include <map>
#include <random>
#include <thread>

namespace crash {

namespace {

// --- the undo file

constexpr int kUndoWidth = 640;
constexpr int kUndoHeight = 480;

class UndoFilePath : public SavePath {
public:
    using SavePath::SavePath;
    const char* name() const override { return "undo append and rewrite"; }

    void prepare() override { wipe(folder()); }
    // A history that already holds the most image records it keeps: from here every image step appends
    // a record and rewrites the file without the second oldest.
    void ready() override {
        document_ = std::make_unique<workspace::WorkspaceDocument>(folder(), listener_, QSize(800, 600));
        document_->setLoadedPicture(patternPhoto(kUndoWidth, kUndoHeight, 3), false, 0,
                                    QStringLiteral("photo.png"));
        document_->keepLoadedPhoto();
        for (int step = 0; step < workspace::UndoFile::kMaxRecords; ++step)
            filter(step);
    }
    // Every fourth save first undoes two steps, so that the edit after them cuts the file's redo records.
    void cycle(int i) override {
        if (i % 4 == 3) {
            document_->undo();
            document_->undo();
        }
        filter(i);
    }
    Verdict check() override {
        const QString path = undoPath();
        const QByteArray bytes = readBytes(path);
        Verdict verdict{false, QStringLiteral("whole records"), {}, {}};
        qsizetype at = 0;
        int records = 0;
        while (at < bytes.size()) {
            const qsizetype left = bytes.size() - at;
            const quint32 length = left >= 12 ? qFromLittleEndian<quint32>(bytes.constData() + at) : 0;
            if (left < 12 || static_cast<qint64>(length) > left - 12) {
                // What an append had written when it was killed: beyond the last whole record, where the
                // history never reads, and gone with the file at the next start.
                verdict.outcome = QStringLiteral("append cut short");
                break;
            }
            workspace::UndoImageRecord record{qFromLittleEndian<qint32>(bytes.constData() + at + 4),
                                              qFromLittleEndian<qint32>(bytes.constData() + at + 8),
                                              bytes.mid(at + 12, length)};
            const auto photo = workspace::decodeUndoImage(record);
            if (!photo || photo->width != kUndoWidth || photo->height != kUndoHeight ||
                record.width != kUndoWidth || record.height != kUndoHeight)
                return {true,
                        QStringLiteral("torn"),
                        QStringLiteral("record %1 is not a whole photo").arg(records),
                        {}};
            at += 12 + static_cast<qsizetype>(length);
            ++records;
        }
        if (records > workspace::UndoFile::kMaxRecords)
            return {
                true, QStringLiteral("torn"), QStringLiteral("the file holds %1 records").arg(records), {}};
        // The copy a rewrite had begun; the file itself is still the one before the rewrite.
        verdict.leftovers = othersIn(folder(), {QStringLiteral("Undo_Temp_Data")});
        if (verdict.leftovers.contains(QStringLiteral("Undo_Temp_DataUpdate")) &&
            verdict.outcome == QLatin1String("whole records"))
            verdict.outcome = QStringLiteral("rewrite cut short");
        // The next start begins an empty history: the file and any copy are gone.
        {
            workspace::UnwatchedDocument listener;
            const workspace::WorkspaceDocument next(folder(), listener, QSize(800, 600));
            if (QFileInfo::exists(path) || QFileInfo::exists(path + QStringLiteral("Update")))
                return {true,
                        QStringLiteral("torn"),
                        QStringLiteral("the next start keeps the old undo file"),
                        {}};
        }
        return verdict;
    }

private:
    QString undoPath() const { return folder() + QStringLiteral("/Undo_Temp_Data"); }
    void filter(int i) {
        static constexpr std::array<int, 3> kFilters{imaging::kCommandSoften, imaging::kCommandSharpen,
                                                     imaging::kCommandBlur};
        if (!document_->ApplyImageCommand(kFilters[static_cast<std::size_t>(i) % kFilters.size()]))
            fail(QStringLiteral("a filter failed"));
    }

    workspace::UnwatchedDocument listener_;
    std::unique_ptr<workspace::WorkspaceDocument> document_;
};

// --- a resource package import

constexpr int kPackages = 10;
constexpr int kPackagePictures = 3;
const std::array<QString, 8> kCategoryFiles{
    resources::files::kFrames,      resources::files::kFrameThumbnails,
    resources::files::kMasks,       resources::files::kMaskThumbnails,
    resources::files::kDecorations, resources::files::kDecorationThumbnails,
    resources::files::kCliparts,    resources::files::kBrushTips};

resources::ResourceCategory packageCategory(int package) {
    return static_cast<resources::ResourceCategory>(package % 5);
}

QByteArray packageName(int package) {
    return QStringLiteral("pack-%1.irs").arg(package, 2, 10, QLatin1Char('0')).toUtf8();
}

// A picture of noise, so its PNG takes a realistic time to write and read.
QImage noisePicture(int size, int seed) {
    QImage picture(size, size, QImage::Format_ARGB32);
    std::mt19937 noise(static_cast<std::uint32_t>(seed));
    for (int y = 0; y < size; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < size; ++x)
            row[x] = qRgba(static_cast<int>(noise() % 256), x % 256, y % 256, 255);
    }
    return picture;
}

class PackageImportPath : public SavePath {
public:
    using SavePath::SavePath;
    const char* name() const override { return "resource package import"; }

    void setUp() override {
        wipe(folder());
        wipe(packageFolder());
        wipe(starterFolder());
        for (int p = 0; p < kPackages; ++p) {
            resources::PackageWriter writer(packageCategory(p));
            for (int e = 0; e < kPackagePictures; ++e) {
                const QImage picture = noisePicture(192, p * 10 + e);
                const imaging::Outcome added =
                    packageCategory(p) == resources::ResourceCategory::Cliparts ||
                            packageCategory(p) == resources::ResourceCategory::Brushes
                        ? writer.addRaw(picture)
                        : writer.addPicture(picture, resources::PhotoHole{0.2f, 0.2f, 0.8f, 0.8f});
                if (!added)
                    fail(QStringLiteral("cannot build a package: %1")
                             .arg(QString::fromStdString(added.reason)));
            }
            if (!writer.save(packagePath(p)))
                fail(QStringLiteral("cannot write %1").arg(packagePath(p)));
        }
        // The library before the imports: one frame, recorded under a package of its own.
        resources::PackageWriter base(resources::ResourceCategory::Frames);
        if (!base.addPicture(noisePicture(96, 99), resources::PhotoHole{0.1f, 0.1f, 0.9f, 0.9f}) ||
            !base.save(packageFolder() + QStringLiteral("/base.irs")))
            fail(QStringLiteral("cannot write the base package"));
        wipe(dataFolder());
        if (!resources::ImportResourcePackage(folders(), packageFolder() + QStringLiteral("/base.irs"))
                 .imported())
            fail(QStringLiteral("cannot import the base package"));
        copyFolder(dataFolder(), baseFolder());
    }
    void prepare() override { copyFolder(baseFolder(), dataFolder()); }
    void cycle(int i) override {
        if (i >= kPackages) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            return;
        }
        const resources::ImportResult result = resources::ImportResourcePackage(folders(), packagePath(i));
        if (!result.imported())
            fail(QStringLiteral("the import of %1 failed: %2")
                     .arg(packagePath(i), QString::fromStdString(result.reason)));
    }
    Verdict check() override {
        const QString data = dataFolder() + QLatin1Char('/');
        bool journalLeft = false;
        const std::optional<resources::ImportJournal> journal =
            resources::parseJournal(readBytes(data + resources::kImportJournal, &journalLeft));
        if (journalLeft && !journal)
            return {true, QStringLiteral("torn"), QStringLiteral("the import journal is not whole"), {}};
        const std::vector<QByteArray> registered =
            resources::readPackageRegister(data + resources::files::kPackageRegister);
        Verdict verdict{false, QStringLiteral("no import under way"), {}, {}};
        if (journal)
            verdict.outcome = resources::registerContains(registered, journal->packageName)
                                  ? QStringLiteral("import finished, journal cleared at start")
                                  : QStringLiteral("import taken back at start");
        // The lock's file outlives a killed holder; the system has let go of the lock itself.
        QStringList known{resources::files::kPackageRegister, resources::kImportJournal,
                          resources::kLibraryLock};
        for (const QString& file : kCategoryFiles)
            known << file;
        verdict.leftovers = othersIn(dataFolder(), known);

        // The next start settles what the kill interrupted.
        resources::prepareLibrary(folders(), starterFolder());
        if (QFileInfo::exists(data + resources::kImportJournal))
            return {
                true, QStringLiteral("torn"), QStringLiteral("the next start leaves the import journal"), {}};
        const std::vector<QByteArray> names =
            resources::readPackageRegister(data + resources::files::kPackageRegister);
        const int imported = static_cast<int>(names.size()) - 1;
        if (const QString problem = libraryProblem(names); !problem.isEmpty())
            return {true, QStringLiteral("torn"), problem, {}};

        // The next import goes in whole.
        if (imported < kPackages) {
            const resources::ImportResult next =
                resources::ImportResourcePackage(folders(), packagePath(imported));
            if (!next.imported())
                return {true,
                        QStringLiteral("torn"),
                        QStringLiteral("the next import fails: %1").arg(QString::fromStdString(next.reason)),
                        {}};
            const QString problem =
                libraryProblem(resources::readPackageRegister(data + resources::files::kPackageRegister));
            if (!problem.isEmpty())
                return {
                    true, QStringLiteral("torn"), QStringLiteral("after the next import: ") + problem, {}};
        }
        return verdict;
    }

private:
    QString dataFolder() const { return folder() + QStringLiteral("/Data"); }
    QString baseFolder() const { return folder() + QStringLiteral("/base"); }
    QString packageFolder() const { return folder() + QStringLiteral("/packages"); }
    QString starterFolder() const { return folder() + QStringLiteral("/Starter"); }
    QString packagePath(int package) const {
        return packageFolder() + QLatin1Char('/') + QString::fromUtf8(packageName(package));
    }
    platform::Folders folders() const {
        return platform::Folders(folder(), folder() + QStringLiteral("/user"));
    }

    // What is wrong with the library given the packages its register names; empty when it is sound.
    QString libraryProblem(const std::vector<QByteArray>& names) const {
        if (names.empty() || names.front() != QByteArray("base.irs"))
            return QStringLiteral("the register lost the base package");
        std::map<QString, std::int32_t> expected{{resources::files::kFrames, 1},
                                                 {resources::files::kFrameThumbnails, 1}};
        for (std::size_t n = 1; n < names.size(); ++n) {
            const int package = static_cast<int>(n) - 1;
            if (names[n] != packageName(package))
                return QStringLiteral("the register names %1 in place %2")
                    .arg(QString::fromUtf8(names[n]))
                    .arg(n);
            const resources::CategoryFiles targets = resources::filesOf(packageCategory(package));
            expected[targets.rawList] += kPackagePictures;
            if (!targets.pictures.isEmpty())
                expected[targets.pictures] += kPackagePictures;
        }
        for (const QString& name : kCategoryFiles) {
            QFile file(dataFolder() + QLatin1Char('/') + name);
            const std::int32_t count = expected.count(name) ? expected[name] : 0;
            if (!file.exists()) {
                if (count != 0)
                    return QStringLiteral("%1 is missing").arg(name);
                continue;
            }
            if (!file.open(QIODevice::ReadOnly))
                return QStringLiteral("%1 cannot be read").arg(name);
            const resources::ListScan scan = resources::scanList(
                file, name == resources::files::kFrames ? resources::ListLayout::EncodedWithHole
                      : name == resources::files::kMasks || name == resources::files::kDecorations
                          ? resources::ListLayout::Encoded
                          : resources::ListLayout::Raw);
            if (!scan.complete() || scan.count != count || scan.end != file.size())
                return QStringLiteral(
                           "%1 holds %2 sound entries of %3 counted in %4 bytes; the register calls for %5")
                    .arg(name)
                    .arg(scan.offsets.size())
                    .arg(scan.count)
                    .arg(file.size())
                    .arg(count);
        }
        return {};
    }
};

} // namespace

std::unique_ptr<SavePath> makeUndoFilePath(const QString& folder) {
    return std::make_unique<UndoFilePath>(folder);
}
std::unique_ptr<SavePath> makePackageImportPath(const QString& folder) {
    return std::make_unique<PackageImportPath>(folder);
}

} // namespace crash
