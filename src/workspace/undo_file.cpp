#include "workspace/undo_file.h"

#include <QFile>
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

} // namespace

bool UndoFile::append(const UndoImageRecord& record) const {
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    char header[kHeaderBytes];
    qToLittleEndian<quint32>(static_cast<quint32>(record.jpeg.size()), header);
    qToLittleEndian<qint32>(record.width, header + 4);
    qToLittleEndian<qint32>(record.height, header + 8);
    return file.write(header, kHeaderBytes) == kHeaderBytes &&
           file.write(record.jpeg) == record.jpeg.size() && file.flush();
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
    const QString updatePath = path_ + QStringLiteral("Update");
    {
        QFile source(path_);
        QFile copy(updatePath);
        if (!copy.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        if (source.open(QIODevice::ReadOnly)) {
            RecordHeader header;
            for (int number = 0; readHeader(source, header); ++number) {
                const qint64 start = source.pos() - kHeaderBytes;
                if (keep(number)) {
                    source.seek(start);
                    if (copy.write(source.read(kHeaderBytes + header.length)) != kHeaderBytes + header.length)
                        return false;
                } else {
                    source.seek(source.pos() + header.length);
                }
            }
        }
        if (!copy.flush())
            return false;
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(updatePath).toStdString(),
                            QFile::encodeName(path_).toStdString(), error);
    return !error;
}

bool UndoFile::keepFirst(int last) const {
    return rewrite([last](int number) { return number <= last; });
}

bool UndoFile::drop(int number) const {
    return rewrite([number](int n) { return n != number; });
}

void UndoFile::remove() const {
    QFile::remove(path_);
}

} // namespace workspace
