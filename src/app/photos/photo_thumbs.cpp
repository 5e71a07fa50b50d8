#include "app/photos/photo_thumbs.h"

#include "imaging/files/jpeg_thumbnail.h"

#include <QFileInfo>

namespace app {

QByteArray makeListThumb(const QString& path) {
    const imaging::CompressedJpeg thumb = imaging::MakeThumbnailJpeg(path);
    return QByteArray(reinterpret_cast<const char*>(thumb.bytes.data()),
                      static_cast<qsizetype>(thumb.bytes.size()));
}

void remakeMissingThumbs(PhotoList& list) {
    list.thumbs.resize(list.records.size());
    for (std::size_t i = 0; i < list.records.size(); ++i) {
        if (!list.thumbs[i].jpeg.isEmpty() || !QFileInfo::exists(list.records[i].fullPath()))
            continue;
        list.thumbs[i].jpeg = makeListThumb(list.records[i].fullPath());
    }
}

} // namespace app
