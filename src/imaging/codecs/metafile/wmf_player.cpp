// Playing Windows metafile (WMF) records. Parameters are stored last-first (y before x, bottom before
// top), 16-bit words; every record's size is checked against the data before its parameters are read.

#include "imaging/codecs/byte_reader.h"
#include "imaging/codecs/metafile/metafile_players.h"

namespace imaging::codecs {
namespace {

constexpr std::size_t kRecordHeader = 6;

enum WmfFunction : std::uint16_t {
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kRealizePalette = 0x0035,
    kCreatePalette = 0x00F7,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetRop2 = 0x0104,
    kSetPolyFillMode = 0x0106,
    kRestoreDc = 0x0127,
    kSelectClipRegion = 0x012C,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDibCreatePatternBrush = 0x0142,
    kDeleteObject = 0x01F0,
    kCreatePatternBrush = 0x01F9,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kOffsetWindowOrg = 0x020F,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kOffsetClipRgn = 0x0220,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kScaleWindowExt = 0x0410,
    kExcludeClipRect = 0x0415,
    kIntersectClipRect = 0x0416,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kSetPixel = 0x041F,
    kTextOut = 0x0521,
    kPolyPolygon = 0x0538,
    kRoundRect = 0x061C,
    kPatBlt = 0x061D,
    kCreateRegion = 0x06FF,
    kArc = 0x0817,
    kPie = 0x081A,
    kChord = 0x0830,
    kDibBitBlt = 0x0940,
    kExtTextOut = 0x0A32,
    kDibStretchBlt = 0x0B41,
    kSetDibToDev = 0x0D33,
    kStretchDib = 0x0F43,
};

class Params {
public:
    explicit Params(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool has(std::size_t words) const { return bytes_.size() / 2 >= words; }
    std::int16_t s16(std::size_t word) const { return le16s(bytes_.data() + word * 2); }
    std::uint16_t u16(std::size_t word) const { return le16(bytes_.data() + word * 2); }
    std::uint32_t u32(std::size_t word) const { return le32(bytes_.data() + word * 2); }
    QPointF point(std::size_t word) const { return {double(s16(word + 1)), double(s16(word))}; } // y, x
    // left, top, right, bottom stored as bottom, right, top, left
    QRectF rect(std::size_t word) const {
        return QRectF(QPointF(s16(word + 3), s16(word + 2)), QPointF(s16(word + 1), s16(word)));
    }
    std::span<const std::uint8_t> from(std::size_t byte) const {
        return byte <= bytes_.size() ? bytes_.subspan(byte) : std::span<const std::uint8_t>{};
    }
    std::size_t size() const { return bytes_.size(); }

private:
    std::span<const std::uint8_t> bytes_;
};

// Points stored x, y from byte `at`; nothing when they do not fit.
std::optional<QPolygonF> points(const Params& p, std::size_t at, std::size_t count) {
    if (!fitsIn(p.size(), at, static_cast<std::uint64_t>(count) * 4))
        return std::nullopt;
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(count));
    const auto bytes = p.from(at);
    for (std::size_t i = 0; i < count; ++i)
        poly.append(QPointF(le16s(bytes.data() + i * 4), le16s(bytes.data() + i * 4 + 2)));
    return poly;
}

QString latin1(std::span<const std::uint8_t> bytes) {
    return QString::fromLatin1(reinterpret_cast<const char*>(bytes.data()),
                               static_cast<qsizetype>(bytes.size()));
}

std::optional<GdiObject> readRegion(const Params& p) {
    if (!p.has(11))
        return std::nullopt;
    const std::size_t scanCount = p.u16(5);
    GdiRegion region;
    std::size_t at = 22;
    for (std::size_t s = 0; s < scanCount; ++s) {
        if (!fitsIn(p.size(), at, 6))
            break;
        const auto scan = p.from(at);
        const std::size_t count = le16(scan.data());
        const int top = le16s(scan.data() + 2), bottom = le16s(scan.data() + 4);
        if (!fitsIn(p.size(), at + 6, count * 2 + 2))
            break;
        for (std::size_t i = 0; i + 1 < count; i += 2) {
            const int left = le16s(scan.data() + 6 + i * 2), right = le16s(scan.data() + 8 + i * 2);
            if (right > left && bottom > top)
                region.region += QRect(left, top, right - left, bottom - top);
        }
        at += 6 + count * 2 + 2;
    }
    return region;
}

class WmfPlayer {
public:
    explicit WmfPlayer(GdiCanvas& canvas) : canvas_(canvas), objects_(kMaxMetafileObjects) {}

    void play(std::uint16_t function, const Params& p, std::uint32_t sizeWords) {
        switch (function) {
        case kSaveDc:
            canvas_.saveDc();
            break;
        case kRestoreDc:
            if (p.has(1))
                canvas_.restoreDc(p.s16(0));
            break;
        case kSetBkColor:
            if (p.has(2))
                canvas_.setBkColor(colorRef(p.u32(0)));
            break;
        case kSetTextColor:
            if (p.has(2))
                canvas_.setTextColor(colorRef(p.u32(0)));
            break;
        case kSetBkMode:
            if (p.has(1))
                canvas_.setBkOpaque(p.u16(0) == 2);
            break;
        case kSetMapMode:
            // The picture always fills its frame; only the isotropic mode changes how.
            if (p.has(1))
                canvas_.setMapMode(p.u16(0) == kMmIsotropic ? kMmIsotropic : kMmAnisotropic);
            break;
        case kSetRop2:
            if (p.has(1))
                canvas_.setRop2(p.u16(0));
            break;
        case kSetPolyFillMode:
            if (p.has(1))
                canvas_.setPolyFillWinding(p.u16(0) == 2);
            break;
        case kSetTextAlign:
            if (p.has(1))
                canvas_.setTextAlign(p.u16(0));
            break;
        case kSetWindowOrg:
            if (p.has(2))
                canvas_.setWindowOrg(p.point(0));
            break;
        case kSetWindowExt:
            if (p.has(2))
                canvas_.setWindowExt(QSizeF(p.s16(1), p.s16(0)));
            break;
        case kOffsetWindowOrg:
            if (p.has(2))
                canvas_.offsetWindowOrg(p.point(0));
            break;
        case kScaleWindowExt:
            if (p.has(4))
                canvas_.scaleWindowExt(p.s16(3), p.s16(2), p.s16(1), p.s16(0));
            break;
        case kMoveTo:
            if (p.has(2))
                canvas_.moveTo(p.point(0));
            break;
        case kLineTo:
            if (p.has(2))
                canvas_.lineTo(p.point(0));
            break;
        case kExcludeClipRect:
            if (p.has(4))
                canvas_.excludeClipRect(p.rect(0));
            break;
        case kIntersectClipRect:
            if (p.has(4))
                canvas_.intersectClipRect(p.rect(0));
            break;
        case kOffsetClipRgn:
            if (p.has(2))
                canvas_.offsetClip(p.point(0));
            break;
        case kRectangle:
            if (p.has(4))
                canvas_.rectangle(p.rect(0));
            break;
        case kEllipse:
            if (p.has(4))
                canvas_.ellipse(p.rect(0));
            break;
        case kRoundRect:
            if (p.has(6))
                canvas_.roundRect(p.rect(2), QSizeF(p.s16(1), p.s16(0)));
            break;
        case kArc:
        case kPie:
        case kChord:
            if (p.has(8))
                canvas_.arc(p.rect(4), p.point(2), p.point(0),
                            function == kArc   ? kArcOpen
                            : function == kPie ? kArcPie
                                               : kArcChord);
            break;
        case kSetPixel:
            if (p.has(4))
                canvas_.setPixel(p.point(2), colorRef(p.u32(0)));
            break;
        case kPatBlt:
            if (p.has(6))
                canvas_.patternBlt(QRectF(p.s16(5), p.s16(4), p.s16(3), p.s16(2)), p.u32(0));
            break;
        case kPolygon:
        case kPolyline:
            if (p.has(1))
                if (auto poly = points(p, 2, p.u16(0)))
                    function == kPolygon ? canvas_.polygon(*poly) : canvas_.polyline(*poly);
            break;
        case kPolyPolygon:
            polyPolygon(p);
            break;
        case kTextOut:
            textOut(p);
            break;
        case kExtTextOut:
            extTextOut(p);
            break;
        case kSelectObject:
            if (p.has(1))
                if (const GdiObject* object = objects_.get(p.u16(0)))
                    canvas_.select(*object);
            break;
        case kSelectClipRegion:
            if (p.has(1)) {
                const GdiObject* object = objects_.get(p.u16(0));
                if (const auto* region = object ? std::get_if<GdiRegion>(object) : nullptr)
                    canvas_.selectLogicalClipRegion(region->region);
                else
                    canvas_.selectClipRegion(std::nullopt, kRgnCopy);
            }
            break;
        case kDeleteObject:
            if (p.has(1))
                objects_.remove(p.u16(0));
            break;
        case kCreatePenIndirect:
            if (p.has(5))
                objects_.addAtLowestFree(GdiPen{p.u16(0), double(p.s16(1)), colorRef(p.u32(3))});
            break;
        case kCreateBrushIndirect:
            if (p.has(4))
                objects_.addAtLowestFree(GdiBrush{p.u16(0), colorRef(p.u32(1)), p.u16(3), {}});
            break;
        case kCreateFontIndirect:
            createFont(p);
            break;
        case kDibCreatePatternBrush:
            createPatternBrush(p);
            break;
        case kCreatePatternBrush: // a device-dependent pattern we cannot read: it paints nothing
            objects_.addAtLowestFree(GdiBrush{kBsNull, Qt::black, 0, {}});
            break;
        case kCreatePalette:
            objects_.addAtLowestFree(GdiPalette{});
            break;
        case kCreateRegion:
            if (auto region = readRegion(p))
                objects_.addAtLowestFree(std::move(*region));
            else
                objects_.addAtLowestFree(GdiRegion{});
            break;
        case kStretchDib:
            if (p.has(11)) {
                const QImage image = dibImage(p.from(22), {}, false);
                const QRectF src = bottomUpSource(image, p.s16(6), p.s16(5), p.s16(4), p.s16(3));
                canvas_.drawImage(QRectF(p.s16(10), p.s16(9), p.s16(8), p.s16(7)), image, src, p.u32(0));
            }
            break;
        case kDibStretchBlt:
            if (sizeWords == (function >> 8) + 3u) { // no bitmap: a pattern operation
                if (p.has(11))
                    canvas_.patternBlt(QRectF(p.s16(10), p.s16(9), p.s16(8), p.s16(7)), p.u32(0));
            } else if (p.has(10)) {
                const QImage image = dibImage(p.from(20), {}, false);
                canvas_.drawImage(QRectF(p.s16(9), p.s16(8), p.s16(7), p.s16(6)), image,
                                  QRectF(p.s16(5), p.s16(4), p.s16(3), p.s16(2)), p.u32(0));
            }
            break;
        case kDibBitBlt:
            if (sizeWords == (function >> 8) + 3u) {
                if (p.has(9))
                    canvas_.patternBlt(QRectF(p.s16(8), p.s16(7), p.s16(6), p.s16(5)), p.u32(0));
            } else if (p.has(8)) {
                const QImage image = dibImage(p.from(16), {}, false);
                canvas_.drawImage(QRectF(p.s16(7), p.s16(6), p.s16(5), p.s16(4)), image,
                                  QRectF(p.s16(3), p.s16(2), p.s16(5), p.s16(4)), p.u32(0));
            }
            break;
        case kSetDibToDev:
            if (p.has(9)) {
                const QImage image = dibImage(p.from(18), {}, false);
                const QRectF src = bottomUpSource(image, p.s16(4), p.s16(3), p.s16(6), p.s16(5));
                canvas_.drawImage(QRectF(p.s16(8), p.s16(7), p.s16(6), p.s16(5)), image, src, 0x00CC0020);
            }
            break;
        default: // palettes, escapes and the rest change nothing on a true-colour raster
            break;
        }
    }

private:
    // StretchDIBits counts the source rectangle from the bitmap's bottom row.
    static QRectF bottomUpSource(const QImage& image, int x, int y, int w, int h) {
        return QRectF(x, image.height() - y - h, w, h);
    }

    void polyPolygon(const Params& p) {
        if (!p.has(1))
            return;
        const std::size_t count = p.u16(0);
        if (!p.has(1 + count))
            return;
        std::vector<QPolygonF> polygons;
        std::size_t at = 2 + count * 2;
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t n = p.u16(1 + i);
            auto poly = points(p, at, n);
            if (!poly)
                return;
            polygons.push_back(std::move(*poly));
            at += n * 4;
        }
        canvas_.polyPolygon(polygons);
    }

    void textOut(const Params& p) {
        if (!p.has(1))
            return;
        const std::size_t length = p.u16(0);
        const std::size_t padded = (length + 1) & ~std::size_t{1};
        if (!fitsIn(p.size(), 2, padded + 4))
            return;
        const Params tail(p.from(2 + padded));
        TextRequest request;
        request.reference = tail.point(0);
        request.text = latin1(p.from(2).first(length));
        canvas_.text(request);
    }

    void extTextOut(const Params& p) {
        if (!p.has(4))
            return;
        TextRequest request;
        request.reference = p.point(0);
        const std::size_t length = p.u16(2);
        request.options = p.u16(3);
        std::size_t at = 8;
        if (request.options & (kEtoOpaque | kEtoClipped)) {
            if (!p.has(8))
                return;
            request.rect = QRectF(QPointF(p.s16(4), p.s16(5)), QPointF(p.s16(6), p.s16(7)));
            at = 16;
        }
        if (!fitsIn(p.size(), at, length))
            return;
        request.text = latin1(p.from(at).first(length));
        at += (length + 1) & ~std::size_t{1};
        if (fitsIn(p.size(), at, length * 2)) {
            for (std::size_t i = 0; i < length; ++i)
                request.dx.push_back(le16s(p.from(at + i * 2).data()));
        }
        canvas_.text(request);
    }

    void createFont(const Params& p) {
        GdiFont font;
        if (p.has(9)) {
            font.height = p.s16(0);
            font.width = p.s16(1);
            font.escapement = p.s16(2);
            font.weight = p.s16(4);
            const auto bytes = p.from(10);
            font.italic = bytes[0] != 0;
            font.underline = bytes[1] != 0;
            font.strikeOut = bytes[2] != 0;
            const auto face = p.from(18).first(std::min<std::size_t>(32, p.from(18).size()));
            std::size_t n = 0;
            while (n < face.size() && face[n] != 0)
                ++n;
            font.face = latin1(face.first(n));
        }
        objects_.addAtLowestFree(std::move(font)); // even a short record takes its slot
    }

    void createPatternBrush(const Params& p) {
        GdiBrush brush{kBsNull, Qt::black, 0, {}};
        if (p.has(2) && p.u16(0) != kBsPattern) { // BS_PATTERN here carries a device-dependent bitmap
            brush.pattern = dibImage(p.from(4), {}, false);
            if (!brush.pattern.isNull())
                brush.style = kBsDibPatternPt;
        }
        objects_.addAtLowestFree(std::move(brush));
    }

    GdiCanvas& canvas_;
    ObjectTable objects_;
};

} // namespace

std::optional<QRectF> wmfWindow(std::span<const std::uint8_t> records) {
    std::optional<QPointF> org;
    std::optional<QSizeF> ext;
    std::size_t pos = 0;
    for (std::size_t n = 0; n < kMaxMetafileRecords && pos + kRecordHeader <= records.size(); ++n) {
        const std::uint64_t size = static_cast<std::uint64_t>(le32(records.data() + pos)) * 2;
        const std::uint16_t function = le16(records.data() + pos + 4);
        if (size < kRecordHeader || !fitsIn(records.size(), pos, size) || function == kEof)
            break;
        const Params p(records.subspan(pos + kRecordHeader, static_cast<std::size_t>(size) - kRecordHeader));
        if (function == kSetWindowOrg && !org && p.has(2))
            org = p.point(0);
        if (function == kSetWindowExt && !ext && p.has(2) && p.s16(0) != 0 && p.s16(1) != 0)
            ext = QSizeF(p.s16(1), p.s16(0));
        pos += static_cast<std::size_t>(size);
    }
    if (!ext)
        return std::nullopt;
    return QRectF(org.value_or(QPointF()), *ext);
}

PlayEnd playWmf(std::span<const std::uint8_t> records, GdiCanvas& canvas) {
    WmfPlayer player(canvas);
    std::size_t pos = 0;
    for (std::size_t n = 0; n < kMaxMetafileRecords && pos < records.size(); ++n) {
        if (pos + kRecordHeader > records.size())
            return PlayEnd::Truncated;
        const std::uint32_t sizeWords = le32(records.data() + pos);
        const std::uint64_t size = static_cast<std::uint64_t>(sizeWords) * 2;
        const std::uint16_t function = le16(records.data() + pos + 4);
        if (function == kEof)
            return PlayEnd::Complete;
        if (size < kRecordHeader)
            return PlayEnd::Corrupt;
        if (!fitsIn(records.size(), pos, size))
            return PlayEnd::Truncated;
        player.play(
            function,
            Params(records.subspan(pos + kRecordHeader, static_cast<std::size_t>(size) - kRecordHeader)),
            sizeWords);
        pos += static_cast<std::size_t>(size);
    }
    return PlayEnd::Complete;
}

} // namespace imaging::codecs
