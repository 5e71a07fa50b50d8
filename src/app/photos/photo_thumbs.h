#pragma once

#include "app/photos/photo_list_store.h"

namespace app {

// The list's 80 × 80 JPEG thumbnail of a photo file; empty when it cannot be made.
QByteArray makeListThumb(const QString& path);

// Makes the thumbnail of every record that has none (lost from a damaged store) again from its photo file,
// where the file is still there; the others keep an empty thumbnail, which the list shows as a bare frame.
void remakeMissingThumbs(PhotoList& list);

} // namespace app
