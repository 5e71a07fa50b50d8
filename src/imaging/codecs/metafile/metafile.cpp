// Recognising WMF and EMF files, finding their natural size, and rasterising them.

#include "imaging/codecs/metafile/metafile.h"

#include "imaging/codecs/byte_reader.h"
#include "imaging/codecs/metafile/metafile_players.h"

#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace imaging::codecs {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr std::size_t kPlaceableSize = 22, kWmfHeaderSize = 18, kEmfHeaderMin = 88;
constexpr double kScreenDpi = 96.0;
constexpr double kMmPerInch = 25.4;

enum class Kind { None, Placeable, PlainWmf, Emf };

bool wmfHeaderAt(std::span<const std::uint8_t> file, std::size_t at) {
    if (!fitsIn(file.size(), at, kWmfHeaderSize))
        return false;
    const std::uint16_t type = le16(file.data() + at), words = le16(file.data() + at + 2),
                        version = le16(file.data() + at + 4);
    return (type == 1 || type == 2) && words == 9 && (version == 0x0100 || version == 0x0300);
}

Kind kindOf(std::span<const std::uint8_t> file) {
    if (file.size() >= 4 && le32(file.data()) == kPlaceableKey)
        return Kind::Placeable;
    if (file.size() >= kEmfHeaderMin && le32(file.data()) == 1 && le32(file.data() + 40) == kEmfSignature)
        return Kind::Emf;
    if (wmfHeaderAt(file, 0))
        return Kind::PlainWmf;
    return Kind::None;
}

DecodeResult fail(CodecError e, const char* why) {
    return DecodeResult::failure(e, why);
}

// Scales a natural size down into maxSide × maxSide keeping its aspect; sides are at least 1.
QSize capped(double width, double height, int maxSide) {
    const double scale = std::min({1.0, maxSide / width, maxSide / height});
    return QSize(std::max(1, static_cast<int>(std::lround(width * scale))),
                 std::max(1, static_cast<int>(std::lround(height * scale))));
}

struct Plan {
    QSize size;
    QTransform deviceToImage;
    QSizeF pixelsPerMm{kScreenDpi / kMmPerInch, kScreenDpi / kMmPerInch};
    std::optional<QRectF> window; // WMF: the logical rectangle that fills the picture
    std::span<const std::uint8_t> records;
};

std::optional<DecodeResult> planWmf(std::span<const std::uint8_t> file, Kind kind, int maxSide, Plan& plan) {
    if (kind == Kind::Placeable) {
        if (file.size() < kPlaceableSize)
            return fail(CodecError::Truncated, "truncated placeable metafile header");
        const QRectF box(QPointF(le16s(file.data() + 6), le16s(file.data() + 8)),
                         QPointF(le16s(file.data() + 10), le16s(file.data() + 12)));
        const double inch = le16(file.data() + 14) == 0 ? 1440 : le16(file.data() + 14);
        if (box.width() == 0 || box.height() == 0)
            return fail(CodecError::Corrupt, "empty metafile bounding box");
        if (!wmfHeaderAt(file, kPlaceableSize))
            return fail(file.size() < kPlaceableSize + kWmfHeaderSize ? CodecError::Truncated
                                                                      : CodecError::Corrupt,
                        "bad metafile header");
        plan.window = box;
        plan.size = capped(std::abs(box.width()) * kScreenDpi / inch,
                           std::abs(box.height()) * kScreenDpi / inch, maxSide);
        plan.records = file.subspan(kPlaceableSize + kWmfHeaderSize);
        return std::nullopt;
    }
    plan.records = file.subspan(kWmfHeaderSize);
    plan.window = wmfWindow(plan.records);
    if (!plan.window)
        return fail(CodecError::Corrupt, "metafile without a window extent");
    plan.size = capped(std::abs(plan.window->width()), std::abs(plan.window->height()), maxSide);
    return std::nullopt;
}

std::optional<DecodeResult> planEmf(std::span<const std::uint8_t> file, int maxSide, Plan& plan) {
    const std::uint32_t headerSize = le32(file.data() + 4);
    if (headerSize < kEmfHeaderMin || headerSize > file.size())
        return fail(headerSize > file.size() ? CodecError::Truncated : CodecError::Corrupt, "bad EMF header");
    const auto rect = [&](std::size_t at) {
        return QRectF(QPointF(le32s(file.data() + at), le32s(file.data() + at + 4)),
                      QPointF(le32s(file.data() + at + 8), le32s(file.data() + at + 12)));
    };
    const QRectF bounds = rect(8), frame = rect(24); // device pixels; hundredths of a millimetre
    const double devW = le32s(file.data() + 72), devH = le32s(file.data() + 76);
    const double mmW = le32s(file.data() + 80), mmH = le32s(file.data() + 84);
    if (devW > 0 && devH > 0 && mmW > 0 && mmH > 0)
        plan.pixelsPerMm = QSizeF(devW / mmW, devH / mmH);

    QRectF source; // the picture's area in reference-device pixels
    double naturalW = 0, naturalH = 0;
    if (frame.width() > 0 && frame.height() > 0) {
        source = QRectF(
            frame.x() / 100 * plan.pixelsPerMm.width(), frame.y() / 100 * plan.pixelsPerMm.height(),
            frame.width() / 100 * plan.pixelsPerMm.width(), frame.height() / 100 * plan.pixelsPerMm.height());
        naturalW = frame.width() / 100 / kMmPerInch * kScreenDpi;
        naturalH = frame.height() / 100 / kMmPerInch * kScreenDpi;
    } else if (bounds.width() >= 0 && bounds.height() >= 0) { // inclusive bounds
        source = QRectF(bounds.x(), bounds.y(), bounds.width() + 1, bounds.height() + 1);
        naturalW = source.width();
        naturalH = source.height();
    } else {
        return fail(CodecError::Corrupt, "EMF without a frame or bounds");
    }
    if (!std::isfinite(naturalW) || !std::isfinite(naturalH) || source.width() <= 0 || source.height() <= 0)
        return fail(CodecError::Corrupt, "EMF without a frame or bounds");
    plan.size = capped(std::max(naturalW, 1.0), std::max(naturalH, 1.0), maxSide);
    plan.deviceToImage =
        QTransform::fromTranslate(-source.x(), -source.y()) *
        QTransform::fromScale(plan.size.width() / source.width(), plan.size.height() / source.height());
    plan.records = file;
    return std::nullopt;
}

} // namespace

bool looksLikeMetafile(std::span<const std::uint8_t> file) {
    return kindOf(file) != Kind::None;
}

DecodeResult decodeMetafile(std::span<const std::uint8_t> file) {
    return decodeMetafile(file, kMaxMetafileSide);
}

DecodeResult decodeMetafile(std::span<const std::uint8_t> file, int maxSide) {
    const Kind kind = kindOf(file);
    if (kind == Kind::None)
        return fail(CodecError::NotThisFormat, "not a metafile");
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return fail(CodecError::Unsupported, "metafiles need a running QGuiApplication");
    maxSide = std::clamp(maxSide, 1, kMaxMetafileSide);
    Plan plan;
    if (auto failure = kind == Kind::Emf ? planEmf(file, maxSide, plan) : planWmf(file, kind, maxSide, plan))
        return std::move(*failure);

    QImage canvasImage(plan.size, QImage::Format_ARGB32_Premultiplied);
    if (canvasImage.isNull())
        return fail(CodecError::TooLarge, "no memory for the metafile raster");
    canvasImage.fill(Qt::transparent);
    PlayEnd end;
    {
        GdiCanvas canvas(canvasImage, plan.deviceToImage, plan.pixelsPerMm);
        if (kind == Kind::Emf) {
            end = playEmf(plan.records, canvas);
        } else {
            // The window fills the picture; records may move it, the viewport stays the picture.
            canvas.setMapMode(kMmAnisotropic);
            canvas.setWindowOrg(plan.window->topLeft());
            canvas.setWindowExt(plan.window->size());
            canvas.setViewportExt(QSizeF(plan.size));
            end = playWmf(plan.records, canvas);
        }
    }
    if (end != PlayEnd::Complete)
        return fail(end == PlayEnd::Truncated ? CodecError::Truncated : CodecError::Corrupt,
                    end == PlayEnd::Truncated ? "truncated metafile record"
                                              : "impossible metafile record size");

    const QImage straight = canvasImage.convertToFormat(QImage::Format_ARGB32);
    RasterImage raster;
    raster.width = straight.width();
    raster.height = straight.height();
    raster.bgra.resize(raster.stride() * static_cast<std::size_t>(raster.height));
    for (int y = 0; y < raster.height; ++y)
        std::copy_n(straight.constScanLine(y), raster.stride(), raster.row(y));
    // The background is transparent: a drawing that covers every pixel is the only opaque one.
    for (std::size_t i = 3; i < raster.bgra.size() && !raster.hasAlpha; i += 4)
        raster.hasAlpha = raster.bgra[i] != 255;
    return {std::move(raster), CodecError::None, {}};
}

} // namespace imaging::codecs
