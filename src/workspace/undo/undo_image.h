#pragma once
// The photo of an image step as the undo file keeps it: a JPEG at quality 90.

#include "imaging/photo_buffer.h"
#include "workspace/undo/undo_file.h"

#include <optional>

namespace workspace {

// Nothing when the photo is empty or cannot be encoded. Photos from either loader are encoded the same
// way, straight from their own B,G,R rows, so no temporary picture file is needed.
std::optional<UndoImageRecord> encodeUndoImage(const imaging::PhotoBuffer& photo);
// The record's photo, or nothing when its bytes are not a readable picture.
std::optional<imaging::PhotoBuffer> decodeUndoImage(const UndoImageRecord& record);

} // namespace workspace
