#pragma once
// The undo history's photo store: a plain sequence of records, numbered from 0, with no header.
// Each record is the photo of one image step as a complete JPEG file:
//   u32 little-endian length L | i32 canvas width | i32 canvas height | L bytes of JPEG

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace workspace {

struct UndoImageRecord {
    int width = 0;
    int height = 0;
    QByteArray jpeg;
};

// The writes the undo file makes, one call each, so tests can make any one of them fail.
class UndoFileWriter {
public:
    virtual ~UndoFileWriter() = default;
    // Adds the bytes at the end of the file, creating it when missing; true when all were written.
    virtual bool append(const QString& path, const QByteArray& bytes);
    // Cuts the file to `size` bytes where it lies, which needs no free space.
    virtual bool truncate(const QString& path, qint64 size);
    // Puts `from` in the place of `to`, replacing it.
    virtual bool rename(const QString& from, const QString& to);
};

class UndoFile {
public:
    static constexpr int kMaxRecords = 30;

    explicit UndoFile(QString path, std::shared_ptr<UndoFileWriter> writer = {});
    const QString& path() const { return path_; }

    // Appends one record, creating the file when missing. A failed append cuts off what it wrote.
    bool append(const UndoImageRecord& record) const;
    // Record n, found by skipping n records by their length fields; nothing when it is not there whole.
    std::optional<UndoImageRecord> read(int number) const;
    // How many complete records the file holds.
    int count() const;
    // Cuts the file after record `last` (last -1 leaves it empty), in place; a damaged file keeps its
    // whole records and loses the rest. A missing file counts as empty.
    bool keepFirst(int last) const;
    // Rewrites the file without record `number`. A failure leaves the file as it was.
    bool drop(int number) const;
    // Deletes the file and any copy a failed rewrite left.
    void remove() const;

private:
    // Copies the chosen records to path + "Update" and renames that over the file, so a crash never
    // leaves a history pointing at records that are gone. The copy is removed when anything fails.
    template <typename Keep> bool rewrite(Keep keep) const;
    QString updatePath() const { return path_ + QStringLiteral("Update"); }

    QString path_;
    std::shared_ptr<UndoFileWriter> writer_;
};

} // namespace workspace
