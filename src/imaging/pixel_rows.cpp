#include "imaging/pixel_rows.h"

#include <QtEndian>

namespace imaging {

// Both take four pixels at a time as three little-endian words: B,G,R,B G,R,B,G R,B,G,R.

void rgb32RowToBgr(const QRgb* from, std::uint8_t* to, int width) {
    int x = 0;
    for (; x + 4 <= width; x += 4, to += 12) {
        const quint32 a = from[x];
        const quint32 b = from[x + 1];
        const quint32 c = from[x + 2];
        const quint32 d = from[x + 3];
        qToLittleEndian<quint32>((a & 0xFFFFFF) | (b << 24), to);
        qToLittleEndian<quint32>(((b >> 8) & 0xFFFF) | (c << 16), to + 4);
        qToLittleEndian<quint32>(((c >> 16) & 0xFF) | (d << 8), to + 8);
    }
    for (; x < width; ++x, to += 3) {
        to[0] = static_cast<std::uint8_t>(qBlue(from[x]));
        to[1] = static_cast<std::uint8_t>(qGreen(from[x]));
        to[2] = static_cast<std::uint8_t>(qRed(from[x]));
    }
}

void bgrRowToRgb32(const std::uint8_t* from, QRgb* to, int width) {
    constexpr quint32 opaque = 0xFF000000;
    int x = 0;
    for (; x + 4 <= width; x += 4, from += 12) {
        const quint32 a = qFromLittleEndian<quint32>(from);
        const quint32 b = qFromLittleEndian<quint32>(from + 4);
        const quint32 c = qFromLittleEndian<quint32>(from + 8);
        to[x] = opaque | (a & 0xFFFFFF);
        to[x + 1] = opaque | (a >> 24) | ((b & 0xFFFF) << 8);
        to[x + 2] = opaque | (b >> 16) | ((c & 0xFF) << 16);
        to[x + 3] = opaque | (c >> 8);
    }
    for (; x < width; ++x, from += 3)
        to[x] = qRgb(from[2], from[1], from[0]);
}

} // namespace imaging
