#include "imaging/files/atomic_file.h"

#include <QFile>
#include <QSaveFile>

namespace imaging {

namespace {
constexpr qint64 kMaxFileBytes = qint64{1} << 30;
}

Outcome writeFileReplacing(const QString& path, std::span<const std::uint8_t> bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Outcome::failure("cannot create " + path.toStdString() + ": " +
                                file.errorString().toStdString());
    // QSaveFile::commit() does not see a failed flush of its buffer, so the flush is checked here: a file
    // cut short on a full disk must not replace a whole one.
    if (file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.flush()) {
        file.cancelWriting();
        return Outcome::failure("cannot write " + path.toStdString() + ": " +
                                file.errorString().toStdString());
    }
    if (!file.commit())
        return Outcome::failure("cannot replace " + path.toStdString() + ": " +
                                file.errorString().toStdString());
    return Outcome::success();
}

std::vector<std::uint8_t> readWholeFile(const QString& path, std::string& reason) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = "cannot open the file";
        return {};
    }
    const qint64 size = file.size();
    if (size > kMaxFileBytes) {
        reason = "file too large";
        return {};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (size > 0 && file.read(reinterpret_cast<char*>(bytes.data()), size) != size) {
        reason = "cannot read the file";
        return {};
    }
    if (bytes.empty())
        reason = "empty file";
    return bytes;
}

} // namespace imaging
