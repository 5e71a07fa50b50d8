// Playing enhanced metafile (EMF) records: 32-bit little-endian fields at fixed offsets from each record's
// start, checked against the record size before they are read.

#include "imaging/codecs/byte_reader.h"
#include "imaging/codecs/metafile/metafile_players.h"

#include <bit>

namespace imaging::codecs {
namespace {

enum EmfType : std::uint32_t {
    kPolyBezier = 2,
    kPolygon = 3,
    kPolyline = 4,
    kPolyBezierTo = 5,
    kPolylineTo = 6,
    kPolyPolyline = 7,
    kPolyPolygon = 8,
    kSetWindowExtEx = 9,
    kSetWindowOrgEx = 10,
    kSetViewportExtEx = 11,
    kSetViewportOrgEx = 12,
    kEof = 14,
    kSetPixelV = 15,
    kSetMapMode = 17,
    kSetBkMode = 18,
    kSetPolyFillMode = 19,
    kSetRop2 = 20,
    kSetTextAlign = 22,
    kSetTextColor = 24,
    kSetBkColor = 25,
    kOffsetClipRgn = 26,
    kMoveToEx = 27,
    kSetMetaRgn = 28,
    kExcludeClipRect = 29,
    kIntersectClipRect = 30,
    kScaleViewportExtEx = 31,
    kScaleWindowExtEx = 32,
    kSaveDc = 33,
    kRestoreDc = 34,
    kSetWorldTransform = 35,
    kModifyWorldTransform = 36,
    kSelectObject = 37,
    kCreatePen = 38,
    kCreateBrushIndirect = 39,
    kDeleteObject = 40,
    kAngleArc = 41,
    kEllipse = 42,
    kRectangle = 43,
    kRoundRect = 44,
    kArc = 45,
    kChord = 46,
    kPie = 47,
    kCreatePalette = 49,
    kLineTo = 54,
    kArcTo = 55,
    kPolyDraw = 56,
    kSetArcDirection = 57,
    kBeginPath = 59,
    kEndPath = 60,
    kCloseFigure = 61,
    kFillPath = 62,
    kStrokeAndFillPath = 63,
    kStrokePath = 64,
    kSelectClipPath = 67,
    kAbortPath = 68,
    kFillRgn = 71,
    kPaintRgn = 74,
    kExtSelectClipRgn = 75,
    kBitBlt = 76,
    kStretchBlt = 77,
    kSetDiBitsToDevice = 80,
    kStretchDiBits = 81,
    kExtCreateFontIndirectW = 82,
    kExtTextOutA = 83,
    kExtTextOutW = 84,
    kPolyBezier16 = 85,
    kPolygon16 = 86,
    kPolyline16 = 87,
    kPolyBezierTo16 = 88,
    kPolylineTo16 = 89,
    kPolyPolyline16 = 90,
    kPolyPolygon16 = 91,
    kPolyDraw16 = 92,
    kCreateMonoBrush = 93,
    kCreateDibPatternBrushPt = 94,
    kExtCreatePen = 95,
    kAlphaBlend = 114,
};

constexpr std::uint32_t kStockObject = 0x80000000u;
constexpr std::int32_t kRegionLimit = 1 << 24; // keeps QRect arithmetic far from overflow

class Record {
public:
    explicit Record(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool has(std::size_t bytes) const { return bytes_.size() >= bytes; }
    std::uint32_t u32(std::size_t at) const { return le32(bytes_.data() + at); }
    std::int32_t s32(std::size_t at) const { return le32s(bytes_.data() + at); }
    float f32(std::size_t at) const { return std::bit_cast<float>(u32(at)); }
    QPointF point(std::size_t at) const { return {double(s32(at)), double(s32(at + 4))}; }
    QSizeF size(std::size_t at) const { return {double(s32(at)), double(s32(at + 4))}; }
    QRectF rect(std::size_t at) const { return QRectF(point(at), point(at + 8)); }
    QTransform xform(std::size_t at) const {
        return QTransform(f32(at), f32(at + 4), f32(at + 8), f32(at + 12), f32(at + 16), f32(at + 20));
    }
    // A part of the record named by an offset and a length field; empty when it does not fit.
    std::span<const std::uint8_t> part(std::uint64_t offset, std::uint64_t length) const {
        if (!fitsIn(bytes_.size(), offset, length))
            return {};
        return bytes_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
    }
    std::size_t length() const { return bytes_.size(); }

private:
    std::span<const std::uint8_t> bytes_;
};

std::optional<QPolygonF> readPoints(const Record& r, std::size_t at, std::uint64_t count, bool small) {
    const std::size_t each = small ? 4 : 8;
    const auto bytes = r.part(at, count * each);
    if (bytes.empty() && count != 0)
        return std::nullopt;
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = bytes.data() + i * each;
        poly.append(small ? QPointF(le16s(p), le16s(p + 2)) : QPointF(le32s(p), le32s(p + 4)));
    }
    return poly;
}

// RGNDATA: a 32-byte header (size, type, count, size, bounds) and `count` rectangles in device pixels.
std::optional<QRegion> readRegion(std::span<const std::uint8_t> data) {
    if (data.size() < 32)
        return std::nullopt;
    const std::uint64_t count = le32(data.data() + 8);
    if (!fitsIn(data.size(), 32, count * 16))
        return std::nullopt;
    QRegion region;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = data.data() + 32 + i * 16;
        const auto clampCoord = [](std::int32_t v) { return std::clamp(v, -kRegionLimit, kRegionLimit); };
        const int left = clampCoord(le32s(p)), top = clampCoord(le32s(p + 4));
        const int right = clampCoord(le32s(p + 8)), bottom = clampCoord(le32s(p + 12));
        if (right > left && bottom > top)
            region += QRect(left, top, right - left, bottom - top);
    }
    return region;
}

class EmfPlayer {
public:
    explicit EmfPlayer(GdiCanvas& canvas) : canvas_(canvas), objects_(kMaxMetafileObjects) {}

    void play(std::uint32_t type, const Record& r) {
        switch (type) {
        case kPolyBezier:
        case kPolygon:
        case kPolyline:
        case kPolyBezierTo:
        case kPolylineTo:
            poly(type, r, false);
            break;
        case kPolyBezier16:
        case kPolygon16:
        case kPolyline16:
        case kPolyBezierTo16:
        case kPolylineTo16:
            poly(type - (kPolyBezier16 - kPolyBezier), r, true);
            break;
        case kPolyPolyline:
        case kPolyPolygon:
            polyPoly(type == kPolyPolygon, r, false);
            break;
        case kPolyPolyline16:
        case kPolyPolygon16:
            polyPoly(type == kPolyPolygon16, r, true);
            break;
        case kPolyDraw:
        case kPolyDraw16:
            polyDraw(r, type == kPolyDraw16);
            break;
        case kSetWindowExtEx:
            if (r.has(16))
                canvas_.setWindowExt(r.size(8));
            break;
        case kSetWindowOrgEx:
            if (r.has(16))
                canvas_.setWindowOrg(r.point(8));
            break;
        case kSetViewportExtEx:
            if (r.has(16))
                canvas_.setViewportExt(r.size(8));
            break;
        case kSetViewportOrgEx:
            if (r.has(16))
                canvas_.setViewportOrg(r.point(8));
            break;
        case kScaleViewportExtEx:
        case kScaleWindowExtEx:
            if (r.has(24)) {
                const double xNum = r.s32(8), xDenom = r.s32(12), yNum = r.s32(16), yDenom = r.s32(20);
                if (type == kScaleWindowExtEx)
                    canvas_.scaleWindowExt(xNum, xDenom, yNum, yDenom);
                else
                    canvas_.scaleViewportExt(xNum, xDenom, yNum, yDenom);
            }
            break;
        case kSetPixelV:
            if (r.has(20))
                canvas_.setPixel(r.point(8), colorRef(r.u32(16)));
            break;
        case kSetMapMode:
            if (r.has(12))
                canvas_.setMapMode(r.s32(8));
            break;
        case kSetBkMode:
            if (r.has(12))
                canvas_.setBkOpaque(r.u32(8) == 2);
            break;
        case kSetPolyFillMode:
            if (r.has(12))
                canvas_.setPolyFillWinding(r.u32(8) == 2);
            break;
        case kSetRop2:
            if (r.has(12))
                canvas_.setRop2(r.s32(8));
            break;
        case kSetTextAlign:
            if (r.has(12))
                canvas_.setTextAlign(r.u32(8));
            break;
        case kSetTextColor:
            if (r.has(12))
                canvas_.setTextColor(colorRef(r.u32(8)));
            break;
        case kSetBkColor:
            if (r.has(12))
                canvas_.setBkColor(colorRef(r.u32(8)));
            break;
        case kSetArcDirection:
            if (r.has(12))
                canvas_.setArcClockwise(r.u32(8) == 2);
            break;
        case kOffsetClipRgn:
            if (r.has(16))
                canvas_.offsetClip(r.point(8));
            break;
        case kSetMetaRgn:
            canvas_.selectClipRegion(std::nullopt, kRgnCopy);
            break;
        case kExcludeClipRect:
            if (r.has(24))
                canvas_.excludeClipRect(r.rect(8));
            break;
        case kIntersectClipRect:
            if (r.has(24))
                canvas_.intersectClipRect(r.rect(8));
            break;
        case kExtSelectClipRgn:
            if (r.has(16)) {
                const auto data = r.part(16, r.u32(8));
                canvas_.selectClipRegion(readRegion(data), r.u32(12));
            }
            break;
        case kMoveToEx:
            if (r.has(16))
                canvas_.moveTo(r.point(8));
            break;
        case kLineTo:
            if (r.has(16))
                canvas_.lineTo(r.point(8));
            break;
        case kSaveDc:
            canvas_.saveDc();
            break;
        case kRestoreDc:
            if (r.has(12))
                canvas_.restoreDc(r.s32(8));
            break;
        case kSetWorldTransform:
            if (r.has(32))
                canvas_.setWorldTransform(r.xform(8));
            break;
        case kModifyWorldTransform:
            if (r.has(36)) {
                const std::uint32_t mode = r.u32(32);
                if (mode >= 1 && mode <= 4)
                    canvas_.modifyWorldTransform(r.xform(8), static_cast<GdiCanvas::Multiply>(mode - 1));
            }
            break;
        case kSelectObject:
            if (r.has(12))
                select(r.u32(8));
            break;
        case kDeleteObject:
            if (r.has(12))
                objects_.remove(r.u32(8));
            break;
        case kCreatePen:
            if (r.has(28))
                objects_.put(r.u32(8), GdiPen{r.u32(12), double(r.s32(16)), colorRef(r.u32(24))});
            break;
        case kExtCreatePen:
            if (r.has(52)) {
                constexpr std::uint32_t kGeometric = 0x00010000;
                const std::uint32_t style = r.u32(28);
                GdiPen pen{style, (style & kGeometric) ? double(r.u32(32)) : 0.0, colorRef(r.u32(40))};
                if (r.u32(36) == kBsNull)
                    pen.style = kPsNull;
                objects_.put(r.u32(8), pen);
            }
            break;
        case kCreateBrushIndirect:
            if (r.has(24))
                objects_.put(r.u32(8), GdiBrush{r.u32(12), colorRef(r.u32(16)), r.u32(20), {}});
            break;
        case kCreateDibPatternBrushPt:
        case kCreateMonoBrush:
            if (r.has(32)) {
                GdiBrush brush{kBsDibPatternPt, Qt::black, 0, {}};
                brush.pattern = dibImage(r.part(r.u32(16), r.u32(20)), r.part(r.u32(24), r.u32(28)), false);
                if (brush.pattern.isNull())
                    brush.style = kBsNull;
                objects_.put(r.u32(8), std::move(brush));
            }
            break;
        case kCreatePalette:
            if (r.has(12))
                objects_.put(r.u32(8), GdiPalette{});
            break;
        case kExtCreateFontIndirectW:
            createFont(r);
            break;
        case kEllipse:
            if (r.has(24))
                canvas_.ellipse(r.rect(8));
            break;
        case kRectangle:
            if (r.has(24))
                canvas_.rectangle(r.rect(8));
            break;
        case kRoundRect:
            if (r.has(32))
                canvas_.roundRect(r.rect(8), r.size(24));
            break;
        case kArc:
        case kChord:
        case kPie:
            if (r.has(40))
                canvas_.arc(r.rect(8), r.point(24), r.point(32),
                            type == kArc     ? kArcOpen
                            : type == kChord ? kArcChord
                                             : kArcPie);
            break;
        case kArcTo:
            if (r.has(40))
                canvas_.arcTo(r.rect(8), r.point(24), r.point(32));
            break;
        case kAngleArc:
            if (r.has(28))
                canvas_.angleArc(r.point(8), r.u32(16), r.f32(20), r.f32(24));
            break;
        case kBeginPath:
            canvas_.beginPath();
            break;
        case kEndPath:
            canvas_.endPath();
            break;
        case kAbortPath:
            canvas_.abortPath();
            break;
        case kCloseFigure:
            canvas_.closeFigure();
            break;
        case kFillPath:
            canvas_.fillPath();
            break;
        case kStrokePath:
            canvas_.strokePath();
            break;
        case kStrokeAndFillPath:
            canvas_.strokeAndFillPath();
            break;
        case kSelectClipPath:
            if (r.has(12))
                canvas_.selectClipPath(r.u32(8));
            break;
        case kFillRgn:
            if (r.has(32))
                if (auto region = readRegion(r.part(32, r.u32(24))))
                    canvas_.fillRegion(*region, objectAt(r.u32(28)));
            break;
        case kPaintRgn:
            if (r.has(28))
                if (auto region = readRegion(r.part(28, r.u32(24))))
                    canvas_.fillRegion(*region, std::nullopt);
            break;
        case kExtTextOutA:
        case kExtTextOutW:
            text(r, type == kExtTextOutW);
            break;
        case kBitBlt:
        case kStretchBlt:
        case kAlphaBlend:
            blit(type, r);
            break;
        case kStretchDiBits:
            if (r.has(80)) {
                const QImage image =
                    dibImage(r.part(r.u32(48), r.u32(52)), r.part(r.u32(56), r.u32(60)), false);
                const double srcH = r.s32(44);
                const QRectF src(r.s32(32), image.height() - double(r.s32(36)) - srcH, r.s32(40), srcH);
                canvas_.drawImage(QRectF(r.point(24), r.size(72)), image, src, r.u32(68));
            }
            break;
        case kSetDiBitsToDevice:
            if (r.has(76)) {
                const QImage image =
                    dibImage(r.part(r.u32(48), r.u32(52)), r.part(r.u32(56), r.u32(60)), false);
                const double srcW = r.s32(40), srcH = r.s32(44);
                const QRectF src(r.s32(32), image.height() - double(r.s32(36)) - srcH, srcW, srcH);
                canvas_.drawImage(QRectF(r.point(24), QSizeF(srcW, srcH)), image, src, 0x00CC0020);
            }
            break;
        default: // comments (EMF+ included), colour management, palettes and rarer records
            break;
        }
    }

private:
    std::optional<GdiObject> objectAt(std::uint32_t index) const {
        if (index & kStockObject)
            return stockObject(index & ~kStockObject);
        if (const GdiObject* object = objects_.get(index))
            return *object;
        return std::nullopt;
    }

    void select(std::uint32_t index) {
        if (auto object = objectAt(index))
            canvas_.select(*object);
    }

    void poly(std::uint32_t type, const Record& r, bool small) {
        if (!r.has(28))
            return;
        const auto points = readPoints(r, 28, r.u32(24), small);
        if (!points)
            return;
        switch (type) {
        case kPolyBezier:
            canvas_.polyBezier(*points);
            break;
        case kPolygon:
            canvas_.polygon(*points);
            break;
        case kPolyline:
            canvas_.polyline(*points);
            break;
        case kPolyBezierTo:
            canvas_.polyBezierTo(*points);
            break;
        default:
            canvas_.polylineTo(*points);
        }
    }

    void polyPoly(bool polygons, const Record& r, bool small) {
        if (!r.has(32))
            return;
        const std::uint64_t count = r.u32(24), total = r.u32(28);
        const auto counts = r.part(32, count * 4);
        if (counts.empty() && count != 0)
            return;
        const auto all = readPoints(r, 32 + static_cast<std::size_t>(count) * 4, total, small);
        if (!all)
            return;
        std::vector<QPolygonF> list;
        qsizetype at = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const qsizetype n = le32(counts.data() + i * 4);
            if (n > all->size() - at)
                return;
            list.push_back(all->mid(at, n));
            at += n;
        }
        polygons ? canvas_.polyPolygon(list) : canvas_.polyPolyline(list);
    }

    void polyDraw(const Record& r, bool small) {
        if (!r.has(28))
            return;
        const std::uint64_t count = r.u32(24);
        const auto points = readPoints(r, 28, count, small);
        if (!points)
            return;
        const auto types = r.part(28 + count * (small ? 4 : 8), count);
        if (types.size() != count)
            return;
        canvas_.polyDraw(*points, std::vector<std::uint8_t>(types.begin(), types.end()));
    }

    void createFont(const Record& r) {
        if (!r.has(12 + 28))
            return;
        GdiFont font;
        font.height = r.s32(12);
        font.width = r.s32(16);
        font.escapement = r.s32(20);
        font.weight = r.s32(28);
        const auto flags = r.part(32, 4);
        font.italic = flags[0] != 0;
        font.underline = flags[1] != 0;
        font.strikeOut = flags[2] != 0;
        const auto face = r.part(40, std::min<std::size_t>(64, r.length() > 40 ? r.length() - 40 : 0));
        QString name;
        for (std::size_t i = 0; i + 1 < face.size(); i += 2) {
            const char16_t c = le16(face.data() + i);
            if (c == 0)
                break;
            name.append(QChar(c));
        }
        font.face = name;
        objects_.put(r.u32(8), std::move(font));
    }

    void text(const Record& r, bool wide) {
        if (!r.has(76))
            return;
        TextRequest request;
        request.reference = r.point(36);
        const std::uint64_t count = r.u32(44);
        request.options = r.u32(52);
        const QRectF rect = r.rect(56);
        if (!rect.isEmpty() || (request.options & (kEtoOpaque | kEtoClipped)))
            request.rect = rect;
        const auto chars = r.part(r.u32(48), count * (wide ? 2 : 1));
        if (chars.size() != count * (wide ? 2 : 1))
            return;
        if (wide) {
            for (std::size_t i = 0; i < count; ++i)
                request.text.append(QChar(static_cast<char16_t>(le16(chars.data() + i * 2))));
        } else {
            request.text = QString::fromLatin1(reinterpret_cast<const char*>(chars.data()),
                                               static_cast<qsizetype>(chars.size()));
        }
        const std::size_t step = (request.options & kEtoPdy) ? 8 : 4;
        if (const std::uint32_t offDx = r.u32(72); offDx != 0) {
            const auto dx = r.part(offDx, count * step);
            if (dx.size() == count * step)
                for (std::size_t i = 0; i < count; ++i)
                    request.dx.push_back(le32s(dx.data() + i * step));
        }
        canvas_.text(request);
    }

    // BitBlt, StretchBlt and AlphaBlend share their layout; the source size follows at 100 for the last two.
    void blit(std::uint32_t type, const Record& r) {
        const bool stretch = type != kBitBlt;
        if (!r.has(stretch ? 108 : 100))
            return;
        const QRectF dest(r.point(24), r.size(32));
        const std::uint32_t cbBmi = r.u32(88);
        if (cbBmi == 0) { // no source picture: a pattern operation
            if (type != kAlphaBlend)
                canvas_.patternBlt(dest, r.u32(40));
            return;
        }
        const QSizeF srcSize = stretch ? r.size(100) : dest.size();
        const QRectF src(r.point(44), srcSize);
        if (type == kAlphaBlend) {
            constexpr std::uint8_t kSourceAlpha = 1;
            const bool perPixel = r.part(43, 1)[0] & kSourceAlpha;
            const QImage image = dibImage(r.part(r.u32(84), cbBmi), r.part(r.u32(92), r.u32(96)), perPixel);
            canvas_.drawImageBlended(dest, image, src, r.part(42, 1)[0] / 255.0);
            return;
        }
        const QImage image = dibImage(r.part(r.u32(84), cbBmi), r.part(r.u32(92), r.u32(96)), false);
        canvas_.drawImage(dest, image, src, r.u32(40));
    }

    GdiCanvas& canvas_;
    ObjectTable objects_;
};

} // namespace

PlayEnd playEmf(std::span<const std::uint8_t> file, GdiCanvas& canvas) {
    EmfPlayer player(canvas);
    std::size_t pos = 0;
    for (std::size_t n = 0; n < kMaxMetafileRecords && pos < file.size(); ++n) {
        if (!fitsIn(file.size(), pos, 8))
            return PlayEnd::Truncated;
        const std::uint32_t type = le32(file.data() + pos), size = le32(file.data() + pos + 4);
        if (size < 8)
            return PlayEnd::Corrupt;
        if (!fitsIn(file.size(), pos, size))
            return PlayEnd::Truncated;
        if (type == kEof)
            return PlayEnd::Complete;
        player.play(type, Record(file.subspan(pos, size)));
        pos += size;
    }
    return PlayEnd::Complete;
}

} // namespace imaging::codecs
