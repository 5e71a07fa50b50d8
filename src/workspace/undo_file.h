#pragma once
// The undo history's photo store: a plain sequence of records, numbered from 0, with no header.
// Each record is the photo of one image step as a complete JPEG file:
//   u32 little-endian length L | i32 canvas width | i32 canvas height | L bytes of JPEG

#include <QByteArray>
#include <QString>
#include <optional>

namespace workspace {

struct UndoImageRecord {
    int width = 0;
    int height = 0;
    QByteArray jpeg;
};

class UndoFile {
public:
    static constexpr int kMaxRecords = 30;

    explicit UndoFile(QString path) : path_(std::move(path)) {}
    const QString& path() const { return path_; }

    // Appends one record, creating the file when missing.
    bool append(const UndoImageRecord& record) const;
    // Record n, found by skipping n records by their length fields; nothing when it is not there whole.
    std::optional<UndoImageRecord> read(int number) const;
    // How many complete records the file holds.
    int count() const;
    // Rewrites the file with records 0 to last only (last -1 leaves it empty).
    bool keepFirst(int last) const;
    // Rewrites the file without record `number`.
    bool drop(int number) const;
    void remove() const;

private:
    // Copies the chosen records to path + "Update" and renames that over the file, so a crash never
    // leaves a history pointing at records that are gone.
    template <typename Keep> bool rewrite(Keep keep) const;

    QString path_;
};

} // namespace workspace
