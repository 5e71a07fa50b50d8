#include "resources/import_journal.h"

#include "imaging/files/atomic_file.h"
#include "resources/entry_bytes.h"
#include "resources/library_lock.h"
#include "resources/package_register.h"
#include "resources/resource_types.h"

#include <QFile>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#endif

namespace resources {

namespace {

constexpr std::int32_t kMagic = 0x4A495650; // "PVIJ"
constexpr std::int32_t kVersion = 1;
constexpr int kMaxTargets = 2;
constexpr int kMaxTargetName = 64;

void appendText(std::vector<std::uint8_t>& out, const QByteArray& text) {
    appendInt32(out, static_cast<std::int32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

// Bounds-checked reading of the journal's fields.
class FieldReader {
public:
    explicit FieldReader(const QByteArray& bytes) : bytes_(bytes) {}
    bool int32(std::int32_t& value) {
        if (bytes_.size() - at_ < 4)
            return false;
        value = int32At(reinterpret_cast<const std::uint8_t*>(bytes_.constData()) + at_);
        at_ += 4;
        return true;
    }
    bool text(QByteArray& value, int maximum) {
        std::int32_t length = 0;
        if (!int32(length) || length < 0 || length > maximum || bytes_.size() - at_ < length)
            return false;
        value = bytes_.mid(at_, length);
        at_ += length;
        return true;
    }
    bool atEnd() const { return at_ == bytes_.size(); }

private:
    const QByteArray& bytes_;
    qsizetype at_ = 0;
};

} // namespace

std::vector<std::uint8_t> journalBytes(const ImportJournal& journal) {
    std::vector<std::uint8_t> out;
    appendInt32(out, kMagic);
    appendInt32(out, kVersion);
    appendInt32(out, journal.registerCount);
    appendText(out, journal.packageName);
    appendInt32(out, static_cast<std::int32_t>(journal.targets.size()));
    for (const JournalTarget& target : journal.targets) {
        appendText(out, target.fileName.toUtf8());
        appendInt32(out, target.existed ? 1 : 0);
        appendInt32(out, static_cast<std::int32_t>(target.length & 0xFFFFFFFF));
        appendInt32(out, static_cast<std::int32_t>(target.length >> 32));
        appendInt32(out, target.count);
    }
    return out;
}

std::optional<ImportJournal> parseJournal(const QByteArray& bytes) {
    FieldReader reader(bytes);
    ImportJournal journal;
    std::int32_t magic = 0;
    std::int32_t version = 0;
    std::int32_t targets = 0;
    if (!reader.int32(magic) || magic != kMagic || !reader.int32(version) || version != kVersion ||
        !reader.int32(journal.registerCount) || journal.registerCount < 0 ||
        !reader.text(journal.packageName, kRegisterNameBytes - 1) || !reader.int32(targets) || targets < 1 ||
        targets > kMaxTargets)
        return std::nullopt;
    for (std::int32_t i = 0; i < targets; ++i) {
        JournalTarget target;
        QByteArray name;
        std::int32_t existed = 0;
        std::int32_t low = 0;
        std::int32_t high = 0;
        if (!reader.text(name, kMaxTargetName) || !reader.int32(existed) || !reader.int32(low) ||
            !reader.int32(high) || !reader.int32(target.count))
            return std::nullopt;
        target.fileName = QString::fromUtf8(name);
        target.existed = existed != 0;
        target.length = (static_cast<qint64>(high) << 32) | static_cast<std::uint32_t>(low);
        // Only the category files are ever named, so a damaged journal cannot touch anything else.
        const bool known = target.fileName == files::kFrames || target.fileName == files::kFrameThumbnails ||
                           target.fileName == files::kMasks || target.fileName == files::kMaskThumbnails ||
                           target.fileName == files::kDecorations ||
                           target.fileName == files::kDecorationThumbnails ||
                           target.fileName == files::kCliparts || target.fileName == files::kBrushTips;
        if (!known || (existed != 0 && existed != 1) || target.length < 0 ||
            (target.existed && target.length < kCountBytes))
            return std::nullopt;
        journal.targets.push_back(target);
    }
    if (!reader.atEnd())
        return std::nullopt;
    return journal;
}

bool syncToDisk(QFile& file) {
    if (!file.flush())
        return false;
#if defined(Q_OS_UNIX)
    return ::fsync(file.handle()) == 0;
#elif defined(Q_OS_WIN)
    return ::_commit(file.handle()) == 0;
#else
    return true;
#endif
}

imaging::Outcome writeImportJournal(const QString& dataFolder, const ImportJournal& journal) {
    return imaging::writeFileReplacing(dataFolder + kImportJournal, journalBytes(journal));
}

imaging::Outcome rollBack(const QString& dataFolder, const ImportJournal& journal) {
    for (const JournalTarget& target : journal.targets) {
        const QString path = dataFolder + target.fileName;
        if (!target.existed) {
            if (QFile::exists(path) && !QFile::remove(path))
                return imaging::Outcome::failure("cannot remove " + path.toStdString());
            continue;
        }
        QFile file(path);
        // A file that is gone, or shorter than its counted entries were, is not the import's doing:
        // extending it would only invent entries.
        if (!file.exists() || file.size() < target.length)
            continue;
        std::uint8_t count[kCountBytes];
        putInt32(count, target.count);
        if (!file.open(QIODevice::ReadWrite) || !file.resize(target.length) || !file.seek(0) ||
            file.write(reinterpret_cast<const char*>(count), kCountBytes) != kCountBytes || !syncToDisk(file))
            return imaging::Outcome::failure("cannot restore " + path.toStdString());
    }
    return imaging::Outcome::success();
}

imaging::Outcome recoverUnfinishedImport(const LibraryLock& lock) {
    const QString& dataFolder = lock.dataFolder();
    QFile file(dataFolder + kImportJournal);
    if (!file.exists())
        return imaging::Outcome::success();
    if (!file.open(QIODevice::ReadOnly))
        return imaging::Outcome::failure("cannot read the import journal");
    const std::optional<ImportJournal> journal = parseJournal(file.read(64 * 1024));
    file.close();
    if (journal) {
        // The register is replaced in one rename as the import's last step: once it records the
        // package, the import is complete.
        const std::vector<QByteArray> names = readPackageRegister(dataFolder + files::kPackageRegister);
        const bool finished = static_cast<qint64>(names.size()) > journal->registerCount &&
                              names[static_cast<std::size_t>(journal->registerCount)] == journal->packageName;
        if (!finished)
            if (imaging::Outcome restored = rollBack(dataFolder, *journal); !restored)
                return restored;
    }
    if (!file.remove())
        return imaging::Outcome::failure("cannot remove the import journal");
    return imaging::Outcome::success();
}

} // namespace resources
