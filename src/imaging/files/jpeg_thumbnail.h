#pragma once
// The photo list's 80 × 80 JPEG thumbnails.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace imaging {

// A failure the user is to be told about: the message box's title (empty for the application's own
// title) and text.
struct UserMessage {
    std::string title;
    std::string text;
};

struct CompressedJpeg {
    std::vector<std::uint8_t> bytes; // empty on failure
    std::string reason;              // why it failed
    std::optional<UserMessage> message;

    bool ok() const { return !bytes.empty(); }
};

// Compresses width × height 24-bit R,G,B pixels (rows in buffer order, each becoming one scanline) with
// baseline tables at `quality`; with `colour` off, a grey copy is compressed as a one-component file.
// JPEG library errors come back with the message "JPEG Fatal Error" / the library's text; a grey copy
// that cannot be allocated with "Memory error".
CompressedJpeg CompressJpegToMemory(const std::uint8_t* pixels, int width, int height, int quality,
                                    bool colour);

// The picture stretched to 80 × 80 whatever its aspect, compressed at quality 75. The thumbnail buffer
// is R,G,B bottom row first, so the file's first scanline is the picture's bottom row: whoever decodes
// it must put the first decoded row at the bottom.
CompressedJpeg MakeThumbnailJpeg(const QString& path);

} // namespace imaging
