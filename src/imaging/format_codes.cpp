#include "imaging/format_codes.h"

#include <algorithm>
#include <array>
#include <utility>

namespace imaging {

int ImageTypeFromExtension(std::string_view extension) {
    static constexpr std::array<std::pair<std::string_view, int>, 22> table{{
        {"bmp", kFormatBmp},      {"gif", kFormatGif}, {"jpg", kFormatJpeg},  {"jpeg", kFormatJpeg},
        {"png", kFormatPng},      {"ico", kFormatIco}, {"tif", kFormatTiff},  {"tiff", kFormatTiff},
        {"tga", kFormatTga},      {"pcx", kFormatPcx}, {"wbmp", kFormatWbmp}, {"wmf", kFormatMetafile},
        {"emf", kFormatMetafile}, {"jp2", kFormatJp2}, {"j2k", kFormatJp2},   {"jpc", kFormatJpc},
        {"j2c", kFormatJpc},      {"pgx", kFormatPgx}, {"pnm", kFormatPnm},   {"pgm", kFormatPnm},
        {"ppm", kFormatPnm},      {"ras", kFormatRas},
    }};
    for (const auto& [name, code] : table) {
        if (name == extension)
            return code;
    }
    return kFormatUnknown;
}

int ImageTypeFromExtension(const QString& extension) {
    const QByteArray latin = extension.toUtf8();
    return ImageTypeFromExtension(
        std::string_view(latin.constData(), static_cast<std::size_t>(latin.size())));
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
