#include "app/photos/photo_thumbs.h"

#include "imaging/files/jpeg_thumbnail.h"

#include <QFileInfo>

namespace app {

void remakeMissingThumbs(PhotoList& list) {
    list.thumbs.resize(list.records.size());
    for (std::size_t i = 0; i < list.records.size(); ++i) {
        if (!list.thumbs[i].jpeg.isEmpty() || !QFileInfo::exists(list.records[i].fullPath()))
            continue;
        const imaging::CompressedJpeg thumb = imaging::MakeThumbnailJpeg(list.records[i].fullPath());
        if (thumb.ok())
            list.thumbs[i].jpeg = QByteArray(reinterpret_cast<const char*>(thumb.bytes.data()),
                                             static_cast<qsizetype>(thumb.bytes.size()));
    }
}

} // namespace app
