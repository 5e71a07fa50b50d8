#include "app/photos/photo_list_store.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <filesystem>

namespace app {

namespace {

constexpr qint64 kRecordBytes = sizeof(PhotoRecord);
// A thumbnail is an 80 × 80 JPEG: anything near this size is not one.
constexpr qint32 kMaxThumbBytes = 4 * 1024 * 1024;

bool readInt(QFile& file, qint32& value) {
    char bytes[4];
    if (file.read(bytes, 4) != 4)
        return false;
    value = qFromLittleEndian<qint32>(bytes);
    return true;
}

bool writeInt(QSaveFile& file, qint32 value) {
    char bytes[4];
    qToLittleEndian<qint32>(value, bytes);
    return file.write(bytes, 4) == 4;
}

// Reads the store into `list`; false at the first sign of damage (what was read stays in `list`).
bool readStore(QFile& file, PhotoList& list) {
    qint32 count = 0;
    if (!readInt(file, count) || count < 0 || count > (file.size() - 4) / kRecordBytes)
        return false;
    list.records.reserve(static_cast<std::size_t>(count));
    for (qint32 i = 0; i < count; ++i) {
        PhotoRecord record;
        if (file.read(reinterpret_cast<char*>(&record), kRecordBytes) != kRecordBytes)
            return false;
        // Text fields must stay terminated whatever the file said.
        record.path[sizeof record.path - 1] = '\0';
        record.directory[sizeof record.directory - 1] = '\0';
        record.name[sizeof record.name - 1] = '\0';
        record.extension[sizeof record.extension - 1] = '\0';
        record.drive[sizeof record.drive - 1] = '\0';
        // A size below zero is no photo's: treat it as unknown, so the list fits nothing to it.
        record.width = std::max(record.width, 0);
        record.height = std::max(record.height, 0);
        record.listIndex = i;
        record.marked = 0;
        list.records.push_back(record);
    }
    for (qint32 i = 0; i < count; ++i) {
        qint32 length = 0;
        if (!readInt(file, length) || length < 0 || length > kMaxThumbBytes ||
            length > file.size() - file.pos())
            return false;
        list.thumbs.push_back({file.read(length)});
    }
    return true;
}

} // namespace

StoreLoadResult loadPhotoListStore(const QString& path) {
    StoreLoadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // A name that is taken (a file without permission, a link that leads nowhere) is not a missing store.
        const QFileInfo info(path);
        result.unreadable = info.exists() || info.isSymLink();
        result.missing = !result.unreadable;
        return result;
    }
    result.damaged = !readStore(file, result.list);
    file.close();
    if (result.damaged) {
        // The records are whole: keep every one; those whose thumbnails were lost get empty ones.
        result.list.thumbs.resize(result.list.records.size());
        result.movedAsideTo = path + QStringLiteral(".damaged");
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(path).toStdString(),
                                QFile::encodeName(result.movedAsideTo).toStdString(), error);
        if (error)
            result.movedAsideTo.clear();
    }
    return result;
}

bool savePhotoListStore(const QString& path, const PhotoList& list) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    qint32 count = 0;
    for (const PhotoRecord& record : list.records)
        count += record.removed == 0 ? 1 : 0;
    bool ok = writeInt(file, count);
    for (const PhotoRecord& record : list.records) {
        if (record.removed == 0)
            ok = ok && file.write(reinterpret_cast<const char*>(&record), kRecordBytes) == kRecordBytes;
    }
    for (std::size_t i = 0; i < list.thumbs.size() && i < list.records.size(); ++i) {
        if (list.records[i].removed != 0)
            continue;
        const QByteArray& jpeg = list.thumbs[i].jpeg;
        ok = ok && writeInt(file, static_cast<qint32>(jpeg.size())) && file.write(jpeg) == jpeg.size();
    }
    // QSaveFile::commit() does not see a failed flush of its buffer: check it first, or a store cut short
    // on a full disk would replace the whole one.
    return ok && file.flush() && file.commit();
}

} // namespace app
