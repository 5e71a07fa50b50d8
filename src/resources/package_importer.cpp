#include "resources/package_importer.h"

#include "resources/entry_bytes.h"
#include "resources/import_journal.h"
#include "resources/library_lock.h"
#include "resources/list_file.h"
#include "resources/package_reader.h"
#include "resources/package_register.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <memory>
#include <thread>

namespace resources {

namespace {

ImportResult refused(std::string reason) {
    return ImportResult::refusal(std::move(reason));
}

std::string quoted(const QString& fileName) {
    std::string text(1, '"');
    text += fileName.toStdString();
    text += '"';
    return text;
}

// One category file the import extends.
struct Target {
    QString fileName;
    ListLayout layout = ListLayout::Raw;
    JournalTarget before;
    std::int32_t countAfter = 0;
    std::unique_ptr<QFile> file;
};

struct NumberedEntry {
    int number = 0; // from 1
    PackageEntry entry;
};

// The pixels one batch of pictures may decode to at once: one picture of the largest size allowed.
constexpr std::int64_t kDecodeBudgetPixels = std::int64_t{kMaxPictureSide} * kMaxPictureSide;

class Import {
public:
    Import(QString dataFolder, QFile& package) : dataFolder_(std::move(dataFolder)), reader_(package) {}

    ImportResult run(const QByteArray& packageName, std::int32_t registerCount,
                     std::vector<QByteArray> registerNames);

private:
    // Reads every entry and decodes every picture, then goes back to the first entry.
    imaging::Outcome checkEntries();
    // Decodes the batch's pictures at once, each on a thread of its own, and empties it; the failure of
    // the earliest entry that fails.
    imaging::Outcome decodeBatch(std::vector<NumberedEntry>& batch);
    std::optional<std::string> inspectTargets();
    imaging::Outcome appendEntries();
    imaging::Outcome raiseCounts();
    // Takes the files back and drops the journal; `reason` is what went wrong.
    ImportResult undo(const std::string& reason);

    QString dataFolder_;
    PackageReader reader_;
    std::vector<Target> targets_;
    ImportJournal journal_;
};

imaging::Outcome Import::checkEntries() {
    // The pictures are decoded a few at a time, one per core, while their pixels together stay within a
    // budget: large ones are decoded one by one.
    const auto cores = static_cast<std::size_t>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
    std::vector<NumberedEntry> batch;
    std::int64_t batchPixels = 0;
    for (int number = 1; number <= reader_.count(); ++number) {
        PackageEntry entry;
        if (imaging::Outcome read = reader_.readEntry(entry); !read) {
            // An earlier entry's damage is the one to name.
            imaging::Outcome decoded = decodeBatch(batch);
            return decoded ? read : decoded;
        }
        if (entry.picture.empty())
            continue;
        const std::int64_t pixels = std::int64_t{entry.pictureWidth} * entry.pictureHeight;
        if (!batch.empty() && (batch.size() == cores || batchPixels + pixels > kDecodeBudgetPixels)) {
            if (imaging::Outcome decoded = decodeBatch(batch); !decoded)
                return decoded;
            batchPixels = 0;
        }
        batch.push_back({number, std::move(entry)});
        batchPixels += pixels;
    }
    if (imaging::Outcome decoded = decodeBatch(batch); !decoded)
        return decoded;
    return reader_.rewind();
}

imaging::Outcome Import::decodeBatch(std::vector<NumberedEntry>& batch) {
    std::vector<imaging::Outcome> outcomes(batch.size());
    auto decode = [&](std::size_t i) { outcomes[i] = reader_.decodes(batch[i].entry, batch[i].number); };
    {
        std::vector<std::jthread> threads;
        for (std::size_t i = 1; i < batch.size(); ++i)
            threads.emplace_back(decode, i);
        if (!batch.empty())
            decode(0);
    }
    batch.clear();
    for (imaging::Outcome& outcome : outcomes)
        if (!outcome)
            return std::move(outcome);
    return imaging::Outcome::success();
}

std::optional<std::string> Import::inspectTargets() {
    const ResourceCategory category = reader_.category();
    const CategoryFiles names = filesOf(category);
    targets_.push_back({names.rawList, ListLayout::Raw, {}, 0, nullptr});
    if (keepsPictures(category))
        targets_.push_back({names.pictures, encodedLayoutFor(names.pictures), {}, 0, nullptr});

    for (Target& target : targets_) {
        target.before.fileName = target.fileName;
        QFile file(dataFolder_ + target.fileName);
        // A file too short to hold its count holds nothing: it is treated as missing.
        if (file.exists() && file.size() >= kCountBytes) {
            if (!file.open(QIODevice::ReadOnly))
                return "the library file " + quoted(target.fileName) + " cannot be read";
            const ListScan scan = scanList(file, target.layout);
            if (!scan.complete())
                return "the library file " + quoted(target.fileName) + " is damaged";
            target.before.existed = true;
            target.before.length = scan.end;
            target.before.count = scan.count;
        }
        const std::int32_t held = std::max(target.before.count, 0);
        if (held > kMaxListEntries - reader_.count())
            return "the library file " + quoted(target.fileName) + " is full";
        target.countAfter = held + reader_.count();
    }
    if (targets_.size() == 2 && targets_[0].countAfter != targets_[1].countAfter)
        return "the library files " + quoted(targets_[0].fileName) + " and " + quoted(targets_[1].fileName) +
               " do not hold the same number of entries";
    return std::nullopt;
}

imaging::Outcome Import::appendEntries() {
    for (Target& target : targets_) {
        target.file = std::make_unique<QFile>(dataFolder_ + target.fileName);
        if (!target.file->open(QIODevice::ReadWrite))
            return imaging::Outcome::failure("cannot open " + quoted(target.fileName));
        // New entries go right behind the counted ones; the count itself stays until all are written.
        bool ready = target.file->resize(target.before.existed ? target.before.length : 0);
        if (ready && !target.before.existed) {
            const std::uint8_t noEntries[kCountBytes] = {};
            ready = target.file->write(reinterpret_cast<const char*>(noEntries), kCountBytes) == kCountBytes;
        }
        if (!ready || !target.file->seek(target.file->size()))
            return imaging::Outcome::failure("cannot write " + quoted(target.fileName));
    }
    const bool carries = carriesHole(reader_.category());
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < reader_.count(); ++i) {
        PackageEntry entry;
        if (imaging::Outcome read = reader_.readEntry(entry); !read)
            return read;
        for (std::size_t t = 0; t < targets_.size(); ++t) {
            bytes.clear();
            if (t == 0)
                appendRawEntry(bytes, entry.thumbnail);
            else
                appendEncodedEntry(bytes, entry.pictureWidth, entry.pictureHeight,
                                   carries ? std::optional<PhotoHole>(entry.hole) : std::nullopt,
                                   entry.picture);
            const qint64 size = static_cast<qint64>(bytes.size());
            if (targets_[t].file->write(reinterpret_cast<const char*>(bytes.data()), size) != size)
                return imaging::Outcome::failure("cannot write " + quoted(targets_[t].fileName) +
                                                 " (is the disk full?)");
        }
    }
    for (Target& target : targets_)
        if (!syncToDisk(*target.file))
            return imaging::Outcome::failure("cannot write " + quoted(target.fileName) +
                                             " (is the disk full?)");
    return imaging::Outcome::success();
}

imaging::Outcome Import::raiseCounts() {
    for (Target& target : targets_) {
        std::uint8_t count[kCountBytes];
        putInt32(count, target.countAfter);
        if (!target.file->seek(0) ||
            target.file->write(reinterpret_cast<const char*>(count), kCountBytes) != kCountBytes ||
            !syncToDisk(*target.file))
            return imaging::Outcome::failure("cannot write " + quoted(target.fileName));
    }
    return imaging::Outcome::success();
}

ImportResult Import::undo(const std::string& reason) {
    for (Target& target : targets_)
        target.file.reset();
    if (const imaging::Outcome restored = rollBack(dataFolder_, journal_); !restored)
        // The journal stays: the next import or start tries again.
        return refused(reason + "; the library could not be restored yet: " + restored.reason);
    QFile::remove(dataFolder_ + kImportJournal);
    return refused(reason);
}

ImportResult Import::run(const QByteArray& packageName, std::int32_t registerCount,
                         std::vector<QByteArray> registerNames) {
    if (const imaging::Outcome header = reader_.readHeader(); !header)
        return refused(header.reason);
    // Nothing is written before every picture has been seen whole.
    if (const imaging::Outcome checked = checkEntries(); !checked)
        return refused(checked.reason);
    if (const std::optional<std::string> problem = inspectTargets())
        return refused(*problem);

    journal_.packageName = packageName;
    journal_.registerCount = registerCount;
    for (const Target& target : targets_)
        journal_.targets.push_back(target.before);
    if (const imaging::Outcome written = writeImportJournal(dataFolder_, journal_); !written)
        return refused("the library cannot be written: " + written.reason);

    if (const imaging::Outcome appended = appendEntries(); !appended)
        return undo(appended.reason);
    if (const imaging::Outcome raised = raiseCounts(); !raised)
        return undo(raised.reason);
    registerNames.push_back(packageName);
    if (const imaging::Outcome recorded =
            writePackageRegister(dataFolder_ + files::kPackageRegister, registerNames);
        !recorded)
        return undo("the package register cannot be written: " + recorded.reason);
    for (Target& target : targets_)
        target.file.reset();
    // The register records the package: the import is complete even if the journal outlives a kill here.
    QFile::remove(dataFolder_ + kImportJournal);

    ImportResult result;
    result.status = ImportResult::Status::Imported;
    result.category = reader_.category();
    result.count = reader_.count();
    return result;
}

} // namespace

const char* categoryNamePlural(ResourceCategory category) {
    switch (category) {
    case ResourceCategory::Frames:
        return "frames";
    case ResourceCategory::Masks:
        return "masks";
    case ResourceCategory::Cliparts:
        return "cliparts";
    case ResourceCategory::Decorations:
        return "decorations";
    case ResourceCategory::Brushes:
        return "brush tips";
    }
    return "resources";
}

ImportResult ImportResourcePackage(const LibraryLock& lock, const QString& packagePath) {
    const QByteArray name = QFileInfo(packagePath).fileName().toUtf8();
    if (!fitsRegisterField(name))
        return refused("its file name is longer than " + std::to_string(kRegisterNameBytes - 1) + " bytes");
    const QString& dataFolder = lock.dataFolder();
    if (const imaging::Outcome recovered = recoverUnfinishedImport(lock); !recovered)
        return refused("an interrupted earlier import could not be taken back: " + recovered.reason);

    std::vector<QByteArray> names = readPackageRegister(dataFolder + files::kPackageRegister);
    if (registerContains(names, name)) {
        ImportResult result;
        result.status = ImportResult::Status::AlreadyInLibrary;
        return result;
    }
    const QFileInfo packageInfo(packagePath);
    // A file of the library itself would be read while it is being extended.
    if (packageInfo.absoluteDir() == QDir(dataFolder))
        return refused("it lies in the library's own Data folder");
    QFile package(packagePath);
    if (!packageInfo.isFile() || !package.open(QIODevice::ReadOnly))
        return refused("it cannot be opened");
    Import import(dataFolder, package);
    const auto registerCount = static_cast<std::int32_t>(names.size());
    return import.run(name, registerCount, std::move(names));
}

ImportResult ImportResourcePackage(const platform::Folders& folders, const QString& packagePath) {
    if (!folders.dataFolderAvailable())
        return refused("the Data folder cannot be created");
    LibraryLock lock(folders.GetDataFolder());
    if (lock.take() != LibraryLock::State::Held)
        return refused(lock.problem());
    return ImportResourcePackage(lock, packagePath);
}

} // namespace resources
