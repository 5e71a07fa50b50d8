#include "imaging/codecs/metafile/gdi_canvas.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace imaging::codecs {
namespace {

constexpr std::size_t kMaxSavedStates = 1024;
constexpr double kMaxDeviceWidth = 16384; // wider pens than that add nothing but stroking time
constexpr int kMaxFontPixels = 4096;
constexpr int kDefaultFontPixels = 16;
constexpr int kRopBlack = 1, kRopNotCopyPen = 4, kRopNot = 6, kRopXorPen = 7, kRopMaskPen = 9, kRopNop = 11,
              kRopMergePen = 15, kRopWhite = 16;
constexpr std::uint32_t kTaUpdateCp = 1, kTaRight = 2, kTaCenter = 6, kTaBottom = 8, kTaBaseline = 24;

double scaleOf(const QTransform& t) {
    return std::sqrt(std::abs(t.m11() * t.m22() - t.m12() * t.m21()));
}

double degreesOf(QPointF p, QPointF centre, QSizeF radii) {
    return std::atan2(-(p.y() - centre.y()) / radii.height(), (p.x() - centre.x()) / radii.width()) * 180.0 /
           M_PI;
}

bool finite(const QTransform& t) {
    return std::isfinite(t.m11()) && std::isfinite(t.m12()) && std::isfinite(t.m21()) &&
           std::isfinite(t.m22()) && std::isfinite(t.dx()) && std::isfinite(t.dy());
}

// Whether a ternary raster operation reads the source picture.
bool usesSource(std::uint32_t rop) {
    const std::uint32_t index = (rop >> 16) & 0xFF;
    return ((index >> 2) & 0x33) != (index & 0x33);
}

// Sutherland–Hodgman against one edge of `box`: keeps the part of the polygon on the inner side.
QPolygonF clipEdge(const QPolygonF& in, int edge, const QRectF& box) {
    auto inside = [&](QPointF p) {
        switch (edge) {
        case 0:
            return p.x() >= box.left();
        case 1:
            return p.x() <= box.right();
        case 2:
            return p.y() >= box.top();
        default:
            return p.y() <= box.bottom();
        }
    };
    auto cross = [&](QPointF a, QPointF b) {
        const double t = edge < 2 ? ((edge == 0 ? box.left() : box.right()) - a.x()) / (b.x() - a.x())
                                  : ((edge == 2 ? box.top() : box.bottom()) - a.y()) / (b.y() - a.y());
        return a + (b - a) * t;
    };
    QPolygonF out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QPointF a = in[i], b = in[(i + 1) % in.size()];
        if (inside(b)) {
            if (!inside(a))
                out.append(cross(a, b));
            out.append(b);
        } else if (inside(a)) {
            out.append(cross(a, b));
        }
    }
    return out;
}

// The pixels a path covers inside `bounds`. The polygon is cut to the bounds (with a margin, so the cut
// edges lie outside) first: QRegion mishandles polygons far larger than a picture.
QRegion regionOf(const QPainterPath& path, const QRect& bounds) {
    QPolygonF poly = path.toFillPolygon();
    const QRectF box = QRectF(bounds).adjusted(-2, -2, 2, 2);
    for (int edge = 0; edge < 4 && !poly.isEmpty(); ++edge)
        poly = clipEdge(poly, edge, box);
    if (poly.size() < 3)
        return {};
    return QRegion(poly.toPolygon(), path.fillRule());
}

} // namespace

GdiCanvas::GdiCanvas(QImage& target, const QTransform& deviceToImage, QSizeF pixelsPerMm)
    : target_(target), painter_(&target), deviceToImage_(deviceToImage), pixelsPerMm_(pixelsPerMm) {
    // No smooth pixmap transform: stretched bitmaps keep hard pixels, as the default stretch mode does.
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

// ---- mapping ----

QTransform GdiCanvas::pageTransform() const {
    double sx = 1, sy = 1;
    const double mmPerUnit[] = {0, 0, 0.1, 0.01, 0.254, 0.0254, 25.4 / 1440};
    switch (state_.mapMode) {
    case kMmLoMetric:
    case kMmHiMetric:
    case kMmLoEnglish:
    case kMmHiEnglish:
    case kMmTwips: // metric modes: y grows upwards
        sx = pixelsPerMm_.width() * mmPerUnit[state_.mapMode];
        sy = -pixelsPerMm_.height() * mmPerUnit[state_.mapMode];
        break;
    case kMmIsotropic:
    case kMmAnisotropic:
        sx = state_.viewportExt.width() / state_.windowExt.width();
        sy = state_.viewportExt.height() / state_.windowExt.height();
        if (state_.mapMode == kMmIsotropic) {
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(m, sx);
            sy = std::copysign(m, sy);
        }
        break;
    default:
        break;
    }
    return QTransform(sx, 0, 0, sy, state_.viewportOrg.x() - state_.windowOrg.x() * sx,
                      state_.viewportOrg.y() - state_.windowOrg.y() * sy);
}

bool GdiCanvas::usable(const QTransform& t) const {
    const double det = t.m11() * t.m22() - t.m12() * t.m21();
    return finite(t) && std::isfinite(det) && std::abs(det) > 1e-12;
}

void GdiCanvas::setMapMode(int mode) {
    if (mode >= kMmText && mode <= kMmAnisotropic)
        state_.mapMode = mode;
}
void GdiCanvas::setWindowOrg(QPointF org) {
    state_.windowOrg = org;
}
void GdiCanvas::setViewportOrg(QPointF org) {
    state_.viewportOrg = org;
}
void GdiCanvas::setWindowExt(QSizeF ext) {
    if (ext.width() != 0 && ext.height() != 0)
        state_.windowExt = ext;
}
void GdiCanvas::setViewportExt(QSizeF ext) {
    if (ext.width() != 0 && ext.height() != 0)
        state_.viewportExt = ext;
}
void GdiCanvas::offsetWindowOrg(QPointF delta) {
    state_.windowOrg += delta;
}
void GdiCanvas::offsetViewportOrg(QPointF delta) {
    state_.viewportOrg += delta;
}
void GdiCanvas::scaleWindowExt(double xNum, double xDenom, double yNum, double yDenom) {
    if (xDenom != 0 && yDenom != 0)
        setWindowExt({state_.windowExt.width() * xNum / xDenom, state_.windowExt.height() * yNum / yDenom});
}
void GdiCanvas::scaleViewportExt(double xNum, double xDenom, double yNum, double yDenom) {
    if (xDenom != 0 && yDenom != 0)
        setViewportExt(
            {state_.viewportExt.width() * xNum / xDenom, state_.viewportExt.height() * yNum / yDenom});
}
void GdiCanvas::setWorldTransform(const QTransform& world) {
    modifyWorldTransform(world, Multiply::Set);
}
void GdiCanvas::modifyWorldTransform(const QTransform& xform, Multiply how) {
    if (!finite(xform))
        return;
    switch (how) {
    case Multiply::Identity:
        state_.world = QTransform();
        break;
    case Multiply::Left: // the new transform applies first
        state_.world = xform * state_.world;
        break;
    case Multiply::Right:
        state_.world = state_.world * xform;
        break;
    case Multiply::Set:
        state_.world = xform;
        break;
    }
}

// ---- attributes and saved states ----

void GdiCanvas::select(const GdiObject& object) {
    if (const auto* pen = std::get_if<GdiPen>(&object))
        state_.pen = *pen;
    else if (const auto* brush = std::get_if<GdiBrush>(&object))
        state_.brush = *brush;
    else if (const auto* font = std::get_if<GdiFont>(&object))
        state_.font = *font;
    else if (const auto* region = std::get_if<GdiRegion>(&object))
        selectLogicalClipRegion(region->region);
}

void GdiCanvas::saveDc() {
    if (saved_.size() < kMaxSavedStates)
        saved_.push_back(state_);
}

void GdiCanvas::restoreDc(int which) {
    const auto count = static_cast<std::int64_t>(saved_.size());
    const std::int64_t index = which < 0 ? count + which : static_cast<std::int64_t>(which) - 1;
    if (index < 0 || index >= count)
        return;
    state_ = saved_[static_cast<std::size_t>(index)];
    saved_.resize(static_cast<std::size_t>(index));
}

// ---- clipping ----

QRegion GdiCanvas::toImageRegion(const QPainterPath& logical) const {
    const QTransform t = fullTransform();
    if (!usable(t))
        return {};
    return regionOf(t.map(logical), target_.rect());
}

void GdiCanvas::applyClip(const QRegion& region, std::uint32_t mode) {
    const QRegion current = state_.clip ? *state_.clip : QRegion(target_.rect());
    switch (mode) {
    case kRgnAnd:
        state_.clip = current & region;
        break;
    case kRgnOr:
        state_.clip = current | region;
        break;
    case kRgnXor:
        state_.clip = current ^ region;
        break;
    case kRgnDiff:
        state_.clip = current - region;
        break;
    case kRgnCopy:
        state_.clip = region;
        break;
    default:
        break;
    }
}

void GdiCanvas::intersectClipRect(const QRectF& r) {
    QPainterPath p;
    p.addRect(r.normalized());
    applyClip(toImageRegion(p), kRgnAnd);
}

void GdiCanvas::excludeClipRect(const QRectF& r) {
    QPainterPath p;
    p.addRect(r.normalized());
    applyClip(toImageRegion(p), kRgnDiff);
}

void GdiCanvas::offsetClip(QPointF delta) {
    const QTransform t = fullTransform();
    if (!state_.clip || !usable(t))
        return;
    const QPointF d = t.map(delta) - t.map(QPointF(0, 0));
    if (std::abs(d.x()) < 1e6 && std::abs(d.y()) < 1e6)
        state_.clip->translate(d.toPoint());
}

void GdiCanvas::selectClipRegion(const std::optional<QRegion>& deviceRegion, std::uint32_t mode) {
    if (!deviceRegion) {
        if (mode == kRgnCopy)
            state_.clip.reset();
        return;
    }
    applyClip(deviceToImage_.map(*deviceRegion), mode);
}

void GdiCanvas::selectLogicalClipRegion(const QRegion& logical) {
    QPainterPath p;
    p.addRegion(logical);
    applyClip(toImageRegion(p), kRgnCopy);
}

// ---- painter set-up ----

QPen GdiCanvas::qtPen(const QTransform& t, bool imageSpace) const {
    const std::uint32_t style = state_.pen.style & kPsStyleMask;
    if (style == kPsNull)
        return Qt::NoPen;
    QPen pen(state_.rop2 == kRopBlack   ? QColor(Qt::black)
             : state_.rop2 == kRopWhite ? QColor(Qt::white)
                                        : state_.pen.colour);
    const double scale = scaleOf(t);
    const double deviceWidth = state_.pen.width * scale;
    if (deviceWidth <= 1.0) {
        pen.setWidthF(1.0);
        pen.setCosmetic(true);
    } else {
        const double width = std::min(deviceWidth, kMaxDeviceWidth);
        pen.setWidthF(imageSpace ? width : width / scale);
    }
    switch (state_.pen.style & kPsEndCapMask) {
    case kPsEndCapSquare:
        pen.setCapStyle(Qt::SquareCap);
        break;
    case kPsEndCapFlat:
        pen.setCapStyle(Qt::FlatCap);
        break;
    default:
        pen.setCapStyle(Qt::RoundCap);
    }
    switch (state_.pen.style & kPsJoinMask) {
    case kPsJoinBevel:
        pen.setJoinStyle(Qt::BevelJoin);
        break;
    case kPsJoinMiter:
        pen.setJoinStyle(Qt::MiterJoin);
        break;
    default:
        pen.setJoinStyle(Qt::RoundJoin);
    }
    const Qt::PenStyle dashes[] = {Qt::SolidLine,      Qt::DashLine, Qt::DotLine,  Qt::DashDotLine,
                                   Qt::DashDotDotLine, Qt::NoPen,    Qt::SolidLine};
    pen.setStyle(style <= kPsInsideFrame ? dashes[style] : Qt::SolidLine);
    return pen;
}

QBrush GdiCanvas::qtBrush(const GdiBrush& b, const QTransform& t, bool imageSpace) const {
    const QColor colour = state_.rop2 == kRopBlack   ? QColor(Qt::black)
                          : state_.rop2 == kRopWhite ? QColor(Qt::white)
                                                     : b.colour;
    switch (b.style) {
    case kBsNull:
        return Qt::NoBrush;
    case kBsHatched: {
        const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                          Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(colour, b.hatch < 6 ? hatches[b.hatch] : Qt::SolidPattern);
    }
    case kBsDibPattern:
    case kBsDibPatternPt:
    case kBsPattern:
        if (!b.pattern.isNull()) {
            QBrush brush(b.pattern);
            // Patterns are aligned with the device, not stretched by the mapping.
            if (!imageSpace)
                brush.setTransform(t.inverted());
            return brush;
        }
        return QBrush(colour);
    default:
        return QBrush(colour);
    }
}

bool GdiCanvas::begin(bool withPen, bool withBrush, bool imageSpace) {
    if (state_.rop2 == kRopNop)
        return false;
    const QTransform t = fullTransform();
    if (!usable(t))
        return false;
    painter_.resetTransform();
    painter_.setOpacity(1.0);
    if (state_.clip)
        painter_.setClipRegion(*state_.clip);
    else
        painter_.setClipping(false);
    if (!imageSpace)
        painter_.setTransform(t);
    switch (state_.rop2) {
    case kRopXorPen:
        painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    case kRopMaskPen:
        painter_.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        break;
    case kRopMergePen:
        painter_.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        break;
    case kRopNotCopyPen:
        painter_.setCompositionMode(QPainter::RasterOp_NotSource);
        break;
    case kRopNot:
        painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
        break;
    default:
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    painter_.setPen(withPen ? qtPen(t, imageSpace) : QPen(Qt::NoPen));
    painter_.setBrush(withBrush ? qtBrush(state_.brush, t, imageSpace) : QBrush(Qt::NoBrush));
    painter_.setBackgroundMode(state_.bkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter_.setBackground(state_.bkColour);
    return true;
}

// ---- paths ----

void GdiCanvas::beginPath() {
    recording_ = QPainterPath();
}

void GdiCanvas::endPath() {
    if (recording_) {
        path_ = *recording_;
        recording_.reset();
    }
}

void GdiCanvas::abortPath() {
    recording_.reset();
    path_ = QPainterPath();
}

void GdiCanvas::closeFigure() {
    if (recording_)
        recording_->closeSubpath();
}

void GdiCanvas::takeRecording() {
    endPath();
}

void GdiCanvas::drawPathNow(const QPainterPath& imagePath, bool stroke, bool fill) {
    QPainterPath p = imagePath;
    p.setFillRule(state_.winding ? Qt::WindingFill : Qt::OddEvenFill);
    if (begin(stroke, fill, true))
        painter_.drawPath(p);
    path_ = QPainterPath();
}

void GdiCanvas::fillPath() {
    takeRecording();
    drawPathNow(path_, false, true);
}
void GdiCanvas::strokePath() {
    takeRecording();
    drawPathNow(path_, true, false);
}
void GdiCanvas::strokeAndFillPath() {
    takeRecording();
    drawPathNow(path_, true, true);
}

void GdiCanvas::selectClipPath(std::uint32_t mode) {
    takeRecording();
    QPainterPath p = path_;
    p.setFillRule(state_.winding ? Qt::WindingFill : Qt::OddEvenFill);
    applyClip(regionOf(p, target_.rect()), mode);
    path_ = QPainterPath();
}

void GdiCanvas::extendPath(const QPainterPath& logical) {
    const QTransform t = fullTransform();
    if (usable(t))
        recording_->addPath(t.map(logical));
}

// ---- drawing ----

void GdiCanvas::drawShape(const QPainterPath& shape, bool closed) {
    if (recording_) {
        extendPath(shape);
        return;
    }
    QPainterPath p = shape;
    p.setFillRule(state_.winding ? Qt::WindingFill : Qt::OddEvenFill);
    if (begin(true, closed))
        painter_.drawPath(p);
}

void GdiCanvas::moveTo(QPointF p) {
    state_.position = p;
    const QTransform t = fullTransform();
    if (recording_ && usable(t))
        recording_->moveTo(t.map(p));
}

void GdiCanvas::polylineTo(const QPolygonF& points) {
    if (points.isEmpty())
        return;
    const QTransform t = fullTransform();
    if (recording_) {
        if (usable(t)) {
            const QPointF start = t.map(state_.position);
            if (recording_->elementCount() == 0 || recording_->currentPosition() != start)
                recording_->moveTo(start);
            for (const QPointF& p : points)
                recording_->lineTo(t.map(p));
        }
    } else {
        QPainterPath s(state_.position);
        for (const QPointF& p : points)
            s.lineTo(p);
        drawShape(s, false);
    }
    state_.position = points.last();
}

void GdiCanvas::lineTo(QPointF p) {
    polylineTo(QPolygonF{p});
}

void GdiCanvas::polyline(const QPolygonF& points) {
    if (points.size() < 2)
        return;
    QPainterPath s;
    s.addPolygon(points);
    drawShape(s, false);
}

void GdiCanvas::polygon(const QPolygonF& points) {
    if (points.size() < 2)
        return;
    QPainterPath s;
    s.addPolygon(points);
    s.closeSubpath();
    drawShape(s, true);
}

void GdiCanvas::polyPolygon(const std::vector<QPolygonF>& polygons) {
    QPainterPath s;
    for (const QPolygonF& poly : polygons) {
        if (poly.size() < 2)
            continue;
        s.addPolygon(poly);
        s.closeSubpath();
    }
    drawShape(s, true);
}

void GdiCanvas::polyPolyline(const std::vector<QPolygonF>& polylines) {
    QPainterPath s;
    for (const QPolygonF& line : polylines)
        if (line.size() >= 2)
            s.addPolygon(line);
    drawShape(s, false);
}

void GdiCanvas::polyBezier(const QPolygonF& points) {
    if (points.size() < 4)
        return;
    QPainterPath s(points[0]);
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        s.cubicTo(points[i], points[i + 1], points[i + 2]);
    drawShape(s, false);
}

void GdiCanvas::polyBezierTo(const QPolygonF& points) {
    if (points.size() < 3)
        return;
    QPainterPath s(state_.position);
    qsizetype i = 0;
    for (; i + 2 < points.size(); i += 3)
        s.cubicTo(points[i], points[i + 1], points[i + 2]);
    const QTransform t = fullTransform();
    if (recording_) {
        if (usable(t)) {
            const QPainterPath mapped = t.map(s);
            if (recording_->elementCount() == 0 || recording_->currentPosition() != mapped.elementAt(0))
                recording_->moveTo(mapped.elementAt(0));
            recording_->connectPath(mapped);
        }
    } else {
        drawShape(s, false);
    }
    state_.position = points[i - 1];
}

void GdiCanvas::polyDraw(const QPolygonF& points, const std::vector<std::uint8_t>& types) {
    constexpr std::uint8_t kClose = 1, kLineTo = 2, kBezierTo = 4, kMoveTo = 6;
    QPainterPath s(state_.position);
    const auto n = std::min<qsizetype>(points.size(), static_cast<qsizetype>(types.size()));
    for (qsizetype i = 0; i < n; ++i) {
        const std::uint8_t kind = types[static_cast<std::size_t>(i)] & ~kClose;
        if (kind == kMoveTo) {
            s.moveTo(points[i]);
        } else if (kind == kLineTo) {
            s.lineTo(points[i]);
        } else if (kind == kBezierTo && i + 2 < n) {
            s.cubicTo(points[i], points[i + 1], points[i + 2]);
            i += 2;
        } else {
            continue; // unknown point type, or a Bézier without its three points
        }
        if (types[static_cast<std::size_t>(i)] & kClose)
            s.closeSubpath();
    }
    drawShape(s, false);
    state_.position = s.currentPosition();
}

void GdiCanvas::rectangle(const QRectF& r) {
    QPainterPath s;
    s.addRect(r.normalized());
    drawShape(s, true);
}

void GdiCanvas::roundRect(const QRectF& r, QSizeF corner) {
    QPainterPath s;
    s.addRoundedRect(r.normalized(), std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
    drawShape(s, true);
}

void GdiCanvas::ellipse(const QRectF& r) {
    QPainterPath s;
    s.addEllipse(r.normalized());
    drawShape(s, true);
}

QPainterPath GdiCanvas::arcPath(const QRectF& box, QPointF start, QPointF end, ArcKind kind,
                                bool connect) const {
    QPainterPath s;
    const QRectF r = box.normalized();
    if (r.width() <= 0 || r.height() <= 0)
        return s;
    const QSizeF radii(r.width() / 2, r.height() / 2);
    const double a0 = degreesOf(start, r.center(), radii), a1 = degreesOf(end, r.center(), radii);
    double sweep;
    if (state_.arcClockwise) {
        sweep = -std::fmod(a0 - a1 + 720.0, 360.0);
        if (sweep == 0)
            sweep = -360;
    } else {
        sweep = std::fmod(a1 - a0 + 720.0, 360.0);
        if (sweep == 0)
            sweep = 360;
    }
    if (connect) {
        s.moveTo(state_.position);
    } else if (kind == kArcPie) {
        s.moveTo(r.center());
    } else {
        s.arcMoveTo(r, a0);
    }
    s.arcTo(r, a0, sweep);
    if (kind != kArcOpen)
        s.closeSubpath();
    return s;
}

void GdiCanvas::arc(const QRectF& box, QPointF start, QPointF end, ArcKind kind) {
    drawShape(arcPath(box, start, end, kind, false), kind != kArcOpen);
}

void GdiCanvas::arcTo(const QRectF& box, QPointF start, QPointF end) {
    const QPainterPath s = arcPath(box, start, end, kArcOpen, true);
    if (s.isEmpty())
        return;
    if (recording_) {
        const QTransform t = fullTransform();
        if (usable(t))
            recording_->connectPath(t.map(s));
    } else {
        drawShape(s, false);
    }
    state_.position = s.currentPosition();
}

void GdiCanvas::angleArc(QPointF centre, double radius, double startDegrees, double sweepDegrees) {
    if (!std::isfinite(radius) || !std::isfinite(startDegrees) || !std::isfinite(sweepDegrees))
        return;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath s(state_.position);
    s.arcTo(box, startDegrees, std::clamp(sweepDegrees, -360.0, 360.0));
    if (recording_) {
        const QTransform t = fullTransform();
        if (usable(t))
            recording_->connectPath(t.map(s));
    } else {
        drawShape(s, false);
    }
    state_.position = s.currentPosition();
}

void GdiCanvas::setPixel(QPointF p, QColor c) {
    const QPointF at = fullTransform().map(p);
    if (begin(false, false, true))
        painter_.fillRect(QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1), c);
}

void GdiCanvas::fillRegion(const QRegion& deviceRegion, const std::optional<GdiObject>& brush) {
    const GdiBrush* b = brush ? std::get_if<GdiBrush>(&*brush) : &state_.brush;
    if (!b || !begin(false, true, true))
        return;
    painter_.setBrush(qtBrush(*b, fullTransform(), true));
    QPainterPath p;
    p.addRegion(deviceToImage_.map(deviceRegion));
    painter_.drawPath(p);
}

// ---- text ----

QFont GdiCanvas::qtFont(const QTransform& t) const {
    const GdiFont& f = state_.font;
    QFont font(f.face.isEmpty() ? QStringLiteral("Liberation Sans") : f.face);
    const double yScale = std::hypot(t.m21(), t.m22());
    double size = f.height == 0 ? kDefaultFontPixels : std::abs(static_cast<double>(f.height)) * yScale;
    size = std::clamp(size, 1.0, static_cast<double>(kMaxFontPixels));
    font.setPixelSize(static_cast<int>(std::lround(size)));
    if (f.height > 0) { // a cell height includes the internal leading
        const double cell = QFontMetricsF(font).height();
        if (cell > 0)
            font.setPixelSize(
                std::clamp(static_cast<int>(std::lround(size * size / cell)), 1, kMaxFontPixels));
    }
    font.setWeight(static_cast<QFont::Weight>(f.weight <= 0 ? 400 : std::clamp(f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    if (f.width != 0) {
        const double average = QFontMetricsF(font).averageCharWidth();
        const double wanted = std::abs(static_cast<double>(f.width)) * std::hypot(t.m11(), t.m12());
        if (average > 0)
            font.setStretch(std::clamp(static_cast<int>(std::lround(100 * wanted / average)), 1, 4000));
    }
    return font;
}

void GdiCanvas::text(const TextRequest& request) {
    const QTransform t = fullTransform();
    if (!usable(t) || state_.rop2 == kRopNop)
        return;
    const bool updateCp = state_.textAlign & kTaUpdateCp;
    const QPointF reference = updateCp ? state_.position : request.reference;
    const QFont font = qtFont(t);
    const QFontMetricsF metrics(font);
    const double xScale = std::hypot(t.m11(), t.m12());
    const bool glyphIndices = request.options & kEtoGlyphIndex; // indices into a font we do not have
    const QString shown = glyphIndices ? QString() : request.text;

    double width = 0;
    const bool useDx = !request.dx.empty() && request.dx.size() >= static_cast<std::size_t>(shown.size());
    if (useDx)
        width = std::accumulate(request.dx.begin(), request.dx.begin() + shown.size(), 0.0) * xScale;
    else
        width = metrics.horizontalAdvance(shown);
    if (!std::isfinite(width))
        return;
    double x = 0;
    if ((state_.textAlign & kTaCenter) == kTaCenter)
        x = -width / 2;
    else if (state_.textAlign & kTaRight)
        x = -width;
    double baseline = metrics.ascent();
    if ((state_.textAlign & kTaBaseline) == kTaBaseline)
        baseline = 0;
    else if (state_.textAlign & kTaBottom)
        baseline = -metrics.descent();

    // Text stays upright under the mapping; only the world transform and the escapement turn it.
    const double angle =
        std::atan2(state_.world.m12(), state_.world.m11()) * 180.0 / M_PI - state_.font.escapement / 10.0;
    QTransform local;
    local.translate(t.map(reference).x(), t.map(reference).y());
    local.rotate(angle);

    if (updateCp && xScale > 0) {
        const double advance = (state_.textAlign & kTaCenter) == kTaCenter ? 0
                               : (state_.textAlign & kTaRight)             ? -width / xScale
                                                                           : width / xScale;
        state_.position = reference + QPointF(advance, 0);
    }

    if (recording_) {
        QPainterPath p;
        p.addText(QPointF(x, baseline), font, shown);
        recording_->addPath(local.map(p));
        return;
    }
    if (!begin(false, false))
        return;
    if (request.rect && (request.options & kEtoOpaque))
        painter_.fillRect(*request.rect, state_.bkColour);
    painter_.setTransform(local);
    if (request.rect && (request.options & kEtoClipped)) {
        QPainterPath clip;
        clip.addRect(request.rect->normalized());
        painter_.setClipPath(local.inverted().map(t.map(clip)), Qt::IntersectClip);
    }
    if (shown.isEmpty())
        return;
    if (state_.bkOpaque)
        painter_.fillRect(QRectF(x, baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent()),
                          state_.bkColour);
    painter_.setFont(font);
    painter_.setPen(state_.textColour);
    if (!useDx) {
        painter_.drawText(QPointF(x, baseline), shown);
        return;
    }
    for (qsizetype i = 0; i < shown.size(); ++i) {
        painter_.drawText(QPointF(x, baseline), QString(shown[i]));
        x += request.dx[static_cast<std::size_t>(i)] * xScale;
    }
}

// ---- pictures ----

void GdiCanvas::drawImage(const QRectF& dest, const QImage& image, const QRectF& source, std::uint32_t rop) {
    if (!usesSource(rop)) {
        patternBlt(dest, rop);
        return;
    }
    if (image.isNull() || source.width() == 0 || source.height() == 0 || !begin(false, false))
        return;
    switch (rop) {
    case 0x008800C6: // SRCAND
        painter_.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        break;
    case 0x00EE0086: // SRCPAINT
        painter_.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        break;
    case 0x00660046: // SRCINVERT
        painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    case 0x00330008: // NOTSRCCOPY
        painter_.setCompositionMode(QPainter::RasterOp_NotSource);
        break;
    case 0x00440328: // SRCERASE
        painter_.setCompositionMode(QPainter::RasterOp_SourceAndNotDestination);
        break;
    case 0x001100A6: // NOTSRCERASE
        painter_.setCompositionMode(QPainter::RasterOp_NotSourceAndNotDestination);
        break;
    case 0x00BB0226: // MERGEPAINT
        painter_.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination);
        break;
    default: // SRCCOPY and the rarer source operations: a plain copy
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    const QTransform place(dest.width() / source.width(), 0, 0, dest.height() / source.height(), dest.x(),
                           dest.y());
    if (!usable(place * fullTransform()))
        return;
    painter_.setTransform(place * fullTransform());
    painter_.drawImage(QPointF(source.x(), source.y()), image, source);
}

void GdiCanvas::drawImageBlended(const QRectF& dest, const QImage& image, const QRectF& source,
                                 double opacity) {
    if (image.isNull() || source.width() == 0 || source.height() == 0 || !begin(false, false))
        return;
    const QTransform place(dest.width() / source.width(), 0, 0, dest.height() / source.height(), dest.x(),
                           dest.y());
    if (!usable(place * fullTransform()))
        return;
    painter_.setTransform(place * fullTransform());
    painter_.setOpacity(std::clamp(opacity, 0.0, 1.0));
    painter_.drawImage(QPointF(source.x(), source.y()), image, source);
}

void GdiCanvas::patternBlt(const QRectF& dest, std::uint32_t rop) {
    if (!begin(false, true))
        return;
    const QRectF r = dest.normalized();
    switch (rop) {
    case 0x00F00021: // PATCOPY
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter_.fillRect(r, painter_.brush());
        break;
    case 0x005A0049: // PATINVERT
        painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter_.fillRect(r, painter_.brush());
        break;
    case 0x00550009: // DSTINVERT
        painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter_.fillRect(r, Qt::white);
        break;
    case 0x00000042: // BLACKNESS
        painter_.setCompositionMode(QPainter::CompositionMode_Source);
        painter_.fillRect(r, Qt::black);
        break;
    case 0x00FF0062: // WHITENESS
        painter_.setCompositionMode(QPainter::CompositionMode_Source);
        painter_.fillRect(r, Qt::white);
        break;
    default: // the destination left alone, or an operation too rare to carry out
        break;
    }
}

} // namespace imaging::codecs
