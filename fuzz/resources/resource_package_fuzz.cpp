// The package importer, from the package file to the category files and the register of a scratch Data
// folder holding a small library. Beyond "no crash" it checks the import's promises: a package that is
// not imported leaves every file as it was; an imported one leaves sound category files whose counts
// match; nothing is ever written outside the Data folder.

#include "resources/entry_bytes.h"
#include "resources/import_journal.h"
#include "resources/list_file.h"
#include "resources/package_importer.h"
#include "resources/package_register.h"
#include "resources/package_writer.h"
#include "scratch_library.h"

#include <map>

using namespace fuzz_support;
using namespace resources;

namespace {

std::map<QString, QByteArray>* initialLibrary = nullptr;

std::map<QString, QByteArray> dataFiles() {
    std::map<QString, QByteArray> found;
    const QString dataFolder = scratchFolders().GetDataFolder();
    for (const QString& name : QDir(dataFolder).entryList(QDir::Files | QDir::Hidden))
        found[name] = readFile(dataFolder + name);
    return found;
}

// One frame with its thumbnail, and a register naming one package.
std::map<QString, QByteArray> makeInitialLibrary() {
    QImage frame(12, 10, QImage::Format_ARGB32);
    frame.fill(QColor(200, 150, 40));
    PackageWriter writer(ResourceCategory::Frames);
    if (!writer.addPicture(frame, PhotoHole{0.25f, 0.25f, 0.75f, 0.75f}))
        std::abort();
    const QString seed = scratch->filePath(QStringLiteral("seed.irs"));
    if (!writer.save(seed) || !ImportResourcePackage(scratchFolders(), seed).imported())
        std::abort();
    QFile::remove(seed);
    return dataFiles();
}

qint64 entriesOf(const QString& name) {
    QFile file(scratchFolders().GetDataFolder() + name);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    const ListScan scan =
        scanList(file, name == files::kFrames                                 ? ListLayout::EncodedWithHole
                       : name == files::kMasks || name == files::kDecorations ? ListLayout::Encoded
                                                                              : ListLayout::Raw);
    if (!scan.complete() || scan.end != file.size())
        std::abort();
    return scan.count;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startScratchLibrary(argc, argv);
    initialLibrary = std::make_unique<std::map<QString, QByteArray>>(makeInitialLibrary()).release();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    clearData();
    const QString dataFolder = scratchFolders().GetDataFolder();
    for (const auto& [name, bytes] : *initialLibrary)
        writeFile(dataFolder + name, {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())});
    const QString package = scratch->filePath(QStringLiteral("package.irs"));
    writeFile(package, {data, size});

    const ImportResult result = ImportResourcePackage(scratchFolders(), package);
    const std::map<QString, QByteArray> after = dataFiles();
    if (!result.imported()) {
        if (after != *initialLibrary ||
            (result.status == ImportResult::Status::Refused && result.reason.empty()))
            std::abort();
    } else {
        if (after.count(kImportJournal) != 0 ||
            readPackageRegister(dataFolder + files::kPackageRegister).size() != 2)
            std::abort();
        const CategoryFiles targets = filesOf(result.category);
        const qint64 before = result.category == ResourceCategory::Frames ? 1 : 0;
        if (entriesOf(targets.rawList) != before + result.count)
            std::abort();
        if (!targets.pictures.isEmpty() && entriesOf(targets.pictures) != before + result.count)
            std::abort();
    }
    const QStringList root = QDir(scratch->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    if (root != QStringList({QStringLiteral("Data"), QStringLiteral("package.irs")}))
        std::abort();
    return 0;
}
