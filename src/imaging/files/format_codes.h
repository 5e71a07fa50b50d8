#pragma once

#include <QString>

namespace imaging {

// The image library's picture format codes.
enum FormatCode : int {
    kFormatUnknown = 0,
    kFormatBmp = 1,
    kFormatGif = 2,
    kFormatJpeg = 3,
    kFormatPng = 4,
    kFormatIco = 5,
    kFormatTiff = 6,
    kFormatTga = 7,
    kFormatPcx = 8,
    kFormatWbmp = 9,
    kFormatMetafile = 10,
    kFormatJp2 = 11,
    kFormatJpc = 12,
    kFormatPgx = 13,
    kFormatPnm = 14,
    kFormatRas = 15,
};

// The format code of a lower-case extension without its dot ("jpg" -> kFormatJpeg). The comparison is
// exact, so "JPG" is unknown: callers lower-case first.
int ImageTypeFromExtension(const QString& extension);

// The text after the last "." of a file name or path, or empty when there is none (also when the last
// "." belongs to a folder name).
QString extensionOf(const QString& path);

} // namespace imaging
