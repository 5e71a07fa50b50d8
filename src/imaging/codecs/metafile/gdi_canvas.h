#pragma once
// The device context a metafile draws on: the state records change (objects, colours, modes, mapping,
// world transform, clipping, path, saved states) and the drawing operations, carried out with a QPainter
// on a QImage. Coordinates passed in are logical units.

#include "imaging/codecs/metafile/gdi_objects.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <cstdint>
#include <optional>
#include <vector>

namespace imaging::codecs {

enum MapMode : int {
    kMmText = 1,
    kMmLoMetric,
    kMmHiMetric,
    kMmLoEnglish,
    kMmHiEnglish,
    kMmTwips,
    kMmIsotropic,
    kMmAnisotropic
};
enum RegionMode : std::uint32_t { kRgnAnd = 1, kRgnOr, kRgnXor, kRgnDiff, kRgnCopy };
enum ArcKind { kArcOpen, kArcChord, kArcPie };

// ExtTextOut options.
inline constexpr std::uint32_t kEtoOpaque = 0x0002, kEtoClipped = 0x0004, kEtoGlyphIndex = 0x0010,
                               kEtoPdy = 0x2000;

struct TextRequest {
    QPointF reference;
    QString text;
    std::uint32_t options = 0;
    std::optional<QRectF> rect;
    std::vector<double> dx; // advance of each character, logical units; empty for the font's own
};

class GdiCanvas {
public:
    // `deviceToImage` maps the metafile's device pixels into `target`; `pixelsPerMm` is the size of a
    // device millimetre for the metric mapping modes.
    GdiCanvas(QImage& target, const QTransform& deviceToImage, QSizeF pixelsPerMm);

    // Mapping.
    void setMapMode(int mode);
    void setWindowOrg(QPointF org);
    void setWindowExt(QSizeF ext);
    void setViewportOrg(QPointF org);
    void setViewportExt(QSizeF ext);
    void offsetWindowOrg(QPointF delta);
    void offsetViewportOrg(QPointF delta);
    void scaleWindowExt(double xNum, double xDenom, double yNum, double yDenom);
    void scaleViewportExt(double xNum, double xDenom, double yNum, double yDenom);
    void setWorldTransform(const QTransform& world);
    enum class Multiply { Identity, Left, Right, Set };
    void modifyWorldTransform(const QTransform& xform, Multiply how);
    QSizeF windowExt() const { return state_.windowExt; }

    // Attributes.
    void setBkColor(QColor c) { state_.bkColour = c; }
    void setBkOpaque(bool opaque) { state_.bkOpaque = opaque; }
    void setTextColor(QColor c) { state_.textColour = c; }
    void setTextAlign(std::uint32_t align) { state_.textAlign = align; }
    void setPolyFillWinding(bool winding) { state_.winding = winding; }
    void setRop2(int rop) { state_.rop2 = rop; }
    void setArcClockwise(bool clockwise) { state_.arcClockwise = clockwise; }
    void select(const GdiObject& object);

    void saveDc();
    void restoreDc(int which);

    // Clipping; regions given to selectClipRegion are in device pixels, the others in logical units.
    void intersectClipRect(const QRectF& r);
    void excludeClipRect(const QRectF& r);
    void offsetClip(QPointF delta);
    void selectClipRegion(const std::optional<QRegion>& deviceRegion, std::uint32_t mode);
    void selectLogicalClipRegion(const QRegion& logical);

    // Paths.
    void beginPath();
    void endPath();
    void abortPath();
    void closeFigure();
    void fillPath();
    void strokePath();
    void strokeAndFillPath();
    void selectClipPath(std::uint32_t mode);

    // Drawing.
    void moveTo(QPointF p);
    void lineTo(QPointF p);
    void polyline(const QPolygonF& points);
    void polylineTo(const QPolygonF& points);
    void polygon(const QPolygonF& points);
    void polyPolygon(const std::vector<QPolygonF>& polygons);
    void polyPolyline(const std::vector<QPolygonF>& polylines);
    void polyBezier(const QPolygonF& points);
    void polyBezierTo(const QPolygonF& points);
    void polyDraw(const QPolygonF& points, const std::vector<std::uint8_t>& types);
    void rectangle(const QRectF& r);
    void roundRect(const QRectF& r, QSizeF corner);
    void ellipse(const QRectF& r);
    void arc(const QRectF& box, QPointF start, QPointF end, ArcKind kind);
    void arcTo(const QRectF& box, QPointF start, QPointF end);
    void angleArc(QPointF centre, double radius, double startDegrees, double sweepDegrees);
    void setPixel(QPointF p, QColor c);
    void fillRegion(const QRegion& deviceRegion, const std::optional<GdiObject>& brush);
    void text(const TextRequest& request);
    // `dest` in logical units; `source` in picture pixels; `rop` a ternary raster operation.
    void drawImage(const QRectF& dest, const QImage& image, const QRectF& source, std::uint32_t rop);
    void drawImageBlended(const QRectF& dest, const QImage& image, const QRectF& source, double opacity);
    // A raster operation on `dest` without a source picture (PatBlt).
    void patternBlt(const QRectF& dest, std::uint32_t rop);

private:
    struct State {
        GdiPen pen;
        GdiBrush brush;
        GdiFont font;
        QColor bkColour = Qt::white;
        QColor textColour = Qt::black;
        bool bkOpaque = true;
        std::uint32_t textAlign = 0;
        bool winding = false;
        int rop2 = 13;
        bool arcClockwise = false;
        int mapMode = kMmText;
        QPointF windowOrg, viewportOrg;
        QSizeF windowExt{1, 1}, viewportExt{1, 1};
        QTransform world;
        std::optional<QRegion> clip; // image pixels; none: everything
        QPointF position;            // current position, logical
    };

    QTransform pageTransform() const;
    QTransform fullTransform() const { return state_.world * pageTransform() * deviceToImage_; }
    bool usable(const QTransform& t) const;
    // Sets up the painter (clip, raster operation, pen, brush); imageSpace leaves the painter untransformed
    // for shapes already mapped to image pixels. False when nothing is to be drawn.
    bool begin(bool withPen, bool withBrush, bool imageSpace = false);
    QPen qtPen(const QTransform& t, bool imageSpace) const;
    QBrush qtBrush(const GdiBrush& b, const QTransform& t, bool imageSpace) const;
    void applyClip(const QRegion& region, std::uint32_t mode);
    QRegion toImageRegion(const QPainterPath& logical) const;
    void drawShape(const QPainterPath& shape, bool closed);
    QPainterPath arcPath(const QRectF& box, QPointF start, QPointF end, ArcKind kind, bool connect) const;
    void extendPath(const QPainterPath& logical);
    QFont qtFont(const QTransform& t) const;
    void drawPathNow(const QPainterPath& imagePath, bool stroke, bool fill);
    void takeRecording();

    QImage& target_;
    QPainter painter_;
    QTransform deviceToImage_;
    QSizeF pixelsPerMm_;
    State state_;
    std::vector<State> saved_;
    std::optional<QPainterPath> recording_; // image pixels, while a path bracket is open
    QPainterPath path_;                     // the last closed path bracket, image pixels
};

} // namespace imaging::codecs
