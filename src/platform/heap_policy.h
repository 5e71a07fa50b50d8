#pragma once

namespace platform {

// Photo-sized buffers are made and dropped at every composition, filter and conversion. Left to its
// defaults the C library maps each such block afresh and hands it back on release, so the system clears
// new pages for the next one: on a 1600 × 1200 photo that clearing costs more than the drawing. Called
// once at start-up, before any thread starts, it keeps blocks up to 32 MB in the heap and lets up to
// 64 MB of free heap stay for the next buffer. Does nothing where the C library has no such settings.
void keepPictureBuffersInHeap();

} // namespace platform
