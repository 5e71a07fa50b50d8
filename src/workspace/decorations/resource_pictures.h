#pragma once
// The library's full-size pictures as the workspace draws them, read once and kept while they are in
// use. The composer asks for a frame, clipart or decoration at every composition, and decoding a frame
// costs more than a whole composition may take. Entries of the library are only ever appended, so an
// entry's position always names the same picture; forget() drops everything after an import all the
// same. What cannot be read is not kept, so it is tried again next time.
//
// Documents may share one set (a recipe's photos, edited on several threads, each read a frame once
// for the whole run): pictures are handed out as shared, read-only values, under a lock.

#include "imaging/codecs/raster.h"

#include <QImage>
#include <QString>
#include <list>
#include <memory>
#include <mutex>
#include <variant>

namespace resources {
class ResourceLibrary;
}

namespace workspace {

class ResourcePictures {
public:
    // Pictures beyond this many bytes in all are let go, least recently used first.
    static constexpr std::int64_t kBudgetBytes = std::int64_t{384} << 20;

    explicit ResourcePictures(const resources::ResourceLibrary* library) : library_(library) {}

    const resources::ResourceLibrary* library() const { return library_; }
    // Whether the category file exists (a missing file is not an error to report).
    bool fileExists(const QString& fileName) const;

    // Entry `index` of "photoframes" or "decorate", decoded (32-bit, straight alpha); null when unreadable.
    QImage encoded(const QString& fileName, int index);
    // Entry `index` of a raw list ("cliparts"); null when unreadable.
    QImage raw(const QString& fileName, int index);
    // Entry `index` of "photomasks" as B,G,R,A pixels; null when unreadable.
    std::shared_ptr<const imaging::RasterImage> mask(int index);

    void forget();

private:
    using Picture = std::variant<QImage, std::shared_ptr<const imaging::RasterImage>>;
    struct Entry {
        QString fileName;
        int index = 0;
        Picture picture;
        std::int64_t bytes = 0;
    };
    template <typename Read> Picture find(const QString& fileName, int index, Read read);

    const resources::ResourceLibrary* library_;
    std::mutex mutex_;
    std::list<Entry> entries_; // most recently used first
};

} // namespace workspace
