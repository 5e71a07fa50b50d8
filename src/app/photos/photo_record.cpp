#include "app/photos/photo_record.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace app {

namespace {

QString readField(const char* field, std::size_t size) {
    const auto* end = std::find(field, field + size, '\0');
    return QString::fromUtf8(field, static_cast<qsizetype>(end - field));
}

// Room for the bytes and a terminator.
bool fits(const QByteArray& bytes, std::size_t size) {
    return static_cast<std::size_t>(bytes.size()) < size;
}

template <std::size_t N> void writeField(char (&field)[N], const QByteArray& bytes) {
    std::fill(std::begin(field), std::end(field), '\0');
    std::copy(bytes.begin(), bytes.end(), field);
}

} // namespace

QString PhotoRecord::fullPath() const {
    return readField(path, sizeof path);
}

QString PhotoRecord::fileName() const {
    return readField(name, sizeof name) + readField(extension, sizeof extension);
}

bool setRecordPath(PhotoRecord& record, const QString& fullPath, bool lowerCaseExtension) {
    const QFileInfo info(fullPath);
    QString directory = QDir::toNativeSeparators(info.path());
    if (!directory.endsWith(QDir::separator()))
        directory += QDir::separator();
    const QString fileName = info.fileName();
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString name = dot < 0 ? fileName : fileName.left(dot);
    QString extension = dot < 0 ? QString() : fileName.mid(dot);
    if (lowerCaseExtension)
        extension = extension.toLower();
    QString drive;
    if (fullPath.size() >= 2 && fullPath[1] == QLatin1Char(':')) {
        drive = fullPath.left(2);
        directory = directory.mid(2);
    }

    const QByteArray pathBytes = fullPath.toUtf8();
    const QByteArray driveBytes = drive.toUtf8();
    const QByteArray directoryBytes = directory.toUtf8();
    const QByteArray nameBytes = name.toUtf8();
    const QByteArray extensionBytes = extension.toUtf8();
    if (!fits(pathBytes, sizeof record.path) || !fits(driveBytes, sizeof record.drive) ||
        !fits(directoryBytes, sizeof record.directory) || !fits(nameBytes, sizeof record.name) ||
        !fits(extensionBytes, sizeof record.extension))
        return false;
    writeField(record.path, pathBytes);
    writeField(record.drive, driveBytes);
    writeField(record.directory, directoryBytes);
    writeField(record.name, nameBytes);
    writeField(record.extension, extensionBytes);
    return true;
}

} // namespace app
