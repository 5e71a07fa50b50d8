#include "imaging/files/format_codes.h"

#include <algorithm>
#include <array>
#include <utility>

namespace imaging {

int ImageTypeFromExtension(const QString& extension) {
    static constexpr std::array<std::pair<const char*, int>, 22> table{{
        {"bmp", kFormatBmp},      {"gif", kFormatGif}, {"jpg", kFormatJpeg},  {"jpeg", kFormatJpeg},
        {"png", kFormatPng},      {"ico", kFormatIco}, {"tif", kFormatTiff},  {"tiff", kFormatTiff},
        {"tga", kFormatTga},      {"pcx", kFormatPcx}, {"wbmp", kFormatWbmp}, {"wmf", kFormatMetafile},
        {"emf", kFormatMetafile}, {"jp2", kFormatJp2}, {"j2k", kFormatJp2},   {"jpc", kFormatJpc},
        {"j2c", kFormatJpc},      {"pgx", kFormatPgx}, {"pnm", kFormatPnm},   {"pgm", kFormatPnm},
        {"ppm", kFormatPnm},      {"ras", kFormatRas},
    }};
    for (const auto& [name, code] : table) {
        if (extension == QLatin1String(name))
            return code;
    }
    return kFormatUnknown;
}

QString extensionOf(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    if (slash > dot)
        return {};
    return path.mid(dot + 1);
}

} // namespace imaging
