#pragma once
// The resource library in the Data folder: reads single entries of the category files by their
// position, and whole raw lists for the browser. The package importer is the only writer.
//
// Entries are found through an offset table per file, built by one walk over the file's headers the
// first time an entry is asked for, and walked again whenever the file's size or modification time
// differs from the walked one (forgetOffsets() drops every table at once). Reading entry N thus costs one
// seek instead of N header reads, which matters to the composer that reads its cliparts at every
// composition. Every read opens and closes its file; an index outside the entries really present, a
// missing file, a damaged entry and a picture larger than a resource may be (kMaxRawSide,
// kMaxPictureSide) all give none. Safe to use from several threads.

#include "imaging/codecs/raster.h"
#include "platform/folders.h"
#include "resources/list_file.h"

#include <QImage>
#include <QString>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

class QFile;

namespace resources {

class ResourceLibrary {
public:
    explicit ResourceLibrary(platform::Folders folders);

    // The Data folder (created when missing) + the file name.
    QString pathOf(const QString& fileName) const;

    // Entry `index` of a raw list file as a 32-bit ARGB picture; null when it cannot be read.
    QImage ReadRawPicture(const QString& fileName, int index) const;
    // Entry `index` of "photoframes", "photomasks" or "decorate", decoded to a 32-bit ARGB picture of
    // the size its entry gives; null when it cannot be read or decoded. The hole is skipped in
    // "photoframes" only.
    QImage ReadEncodedPicture(const QString& fileName, int index) const;
    // Entry `index` of "photomasks" as B,G,R,A pixels of the picture's width × height.
    std::optional<imaging::RasterImage> ReadMaskPixels(int index) const;
    // The header of entry `index` of an encoded list, with the hole for "photoframes", without decoding.
    std::optional<EntryHeader> ReadEntryHeader(const QString& fileName, int index) const;

    // Every entry of a raw list file, in order, up to kMaxListEntries. `complete` is false when the file
    // is missing or unreadable, when an entry is short or damaged (the entries before it are kept) or
    // when the file counts more entries than are read. A count of 0 or less gives an empty, complete
    // list.
    struct RawList {
        std::vector<QImage> pictures;
        bool complete = false;
    };
    RawList ReadRawList(const QString& fileName) const;

    // The importer changed the files: walk them again at the next read.
    void forgetOffsets() const;

    const platform::Folders& folders() const { return folders_; }

private:
    // Opens the file and finds entry `index`; the file stays open for the payload.
    std::optional<EntryHeader> locate(QFile& file, const QString& fileName, ListLayout layout,
                                      int index) const;
    QByteArray readPayload(QFile& file, const EntryHeader& header) const;

    struct OffsetTable {
        qint64 size = 0;
        qint64 modified = 0;
        std::vector<qint64> offsets;
    };

    platform::Folders folders_;
    mutable std::mutex mutex_;
    mutable std::map<std::pair<QString, ListLayout>, OffsetTable> tables_;
};

} // namespace resources
