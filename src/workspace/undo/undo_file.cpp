#include "workspace/undo/undo_file.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cstdio>
#include <filesystem>

namespace workspace {

namespace {

constexpr qint64 kHeaderBytes = 12;

struct RecordHeader {
    quint32 length = 0;
    qint32 width = 0;
    qint32 height = 0;
};

// Reads the next record header; false at the end of the file or when the record is not there whole.
bool readHeader(QFile& file, RecordHeader& header) {
    char bytes[kHeaderBytes];
    if (file.read(bytes, kHeaderBytes) != kHeaderBytes)
        return false;
    header.length = qFromLittleEndian<quint32>(bytes);
    header.width = qFromLittleEndian<qint32>(bytes + 4);
    header.height = qFromLittleEndian<qint32>(bytes + 8);
    return static_cast<qint64>(header.length) <= file.size() - file.pos();
}

// The byte offset just after the first `records` whole records, or the end of the last whole record when
// the file holds fewer.
qint64 endOfRecords(const QString& path, int records) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    RecordHeader header;
    qint64 end = 0;
    for (int n = 0; n < records && readHeader(file, header) && file.seek(file.pos() + header.length); ++n)
        end = file.pos();
    return end;
}

} // namespace

bool UndoFileWriter::append(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(bytes) == bytes.size() &&
           file.flush();
}

bool UndoFileWriter::truncate(const QString& path, qint64 size) {
    return QFile::resize(path, size);
}

bool UndoFileWriter::rename(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(),
                            error);
    return !error;
}

UndoFile::UndoFile(QString path, std::shared_ptr<UndoFileWriter> writer)
    : path_(std::move(path)), writer_(writer ? std::move(writer) : std::make_shared<UndoFileWriter>()) {}

bool UndoFile::append(const UndoImageRecord& record) const {
    const qint64 sizeBefore = QFileInfo(path_).size();
    QByteArray bytes(kHeaderBytes, '\0');
    qToLittleEndian<quint32>(static_cast<quint32>(record.jpeg.size()), bytes.data());
    qToLittleEndian<qint32>(record.width, bytes.data() + 4);
    qToLittleEndian<qint32>(record.height, bytes.data() + 8);
    bytes += record.jpeg;
    if (writer_->append(path_, bytes))
        return true;
    // Part of a record would shift every record appended after it.
    if (QFileInfo(path_).size() != sizeBefore)
        writer_->truncate(path_, sizeBefore);
    return false;
}

std::optional<UndoImageRecord> UndoFile::read(int number) const {
    if (number < 0)
        return std::nullopt;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    RecordHeader header;
    for (int skipped = 0; skipped < number; ++skipped) {
        if (!readHeader(file, header) || !file.seek(file.pos() + header.length))
            return std::nullopt;
    }
    if (!readHeader(file, header))
        return std::nullopt;
    UndoImageRecord record{header.width, header.height, file.read(header.length)};
    if (record.jpeg.size() != static_cast<qsizetype>(header.length))
        return std::nullopt;
    return record;
}

int UndoFile::count() const {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    int records = 0;
    RecordHeader header;
    while (readHeader(file, header) && file.seek(file.pos() + header.length))
        ++records;
    return records;
}

template <typename Keep> bool UndoFile::rewrite(Keep keep) const {
    const QString copy = updatePath();
    QFile::remove(copy);
    bool written = true;
    {
        QFile source(path_);
        if (source.open(QIODevice::ReadOnly)) {
            RecordHeader header;
            for (int number = 0; written && readHeader(source, header); ++number) {
                const qint64 start = source.pos() - kHeaderBytes;
                if (keep(number)) {
                    source.seek(start);
                    const QByteArray bytes = source.read(kHeaderBytes + header.length);
                    written = bytes.size() == kHeaderBytes + header.length && writer_->append(copy, bytes);
                } else {
                    source.seek(source.pos() + header.length);
                }
            }
        }
    }
    // With no record kept the copy was never made: the file becomes empty.
    written = written && (QFileInfo::exists(copy) || writer_->append(copy, {}));
    if (written && writer_->rename(copy, path_))
        return true;
    QFile::remove(copy);
    return false;
}

bool UndoFile::keepFirst(int last) const {
    if (!QFileInfo::exists(path_))
        return true;
    return writer_->truncate(path_, endOfRecords(path_, last + 1));
}

bool UndoFile::drop(int number) const {
    return rewrite([number](int n) { return n != number; });
}

void UndoFile::remove() const {
    QFile::remove(path_);
    QFile::remove(updatePath());
}

} // namespace workspace
