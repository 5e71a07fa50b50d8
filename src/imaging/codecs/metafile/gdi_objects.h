#pragma once
// The drawing objects of a metafile (pens, brushes, fonts, regions) and the table that holds them by
// index while the metafile plays.

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QString>
#include <cstdint>
#include <optional>
#include <set>
#include <variant>
#include <vector>

namespace imaging::codecs {

// Pen styles, brush styles and hatch codes as the metafile records store them.
enum PenStyle : std::uint32_t {
    kPsSolid = 0,
    kPsDash = 1,
    kPsDot = 2,
    kPsDashDot = 3,
    kPsDashDotDot = 4,
    kPsNull = 5,
    kPsInsideFrame = 6,
    kPsStyleMask = 0x0F,
    kPsEndCapMask = 0x0F00,
    kPsEndCapSquare = 0x0100,
    kPsEndCapFlat = 0x0200,
    kPsJoinMask = 0xF000,
    kPsJoinBevel = 0x1000,
    kPsJoinMiter = 0x2000,
};
enum BrushStyle : std::uint32_t {
    kBsSolid = 0,
    kBsNull = 1,
    kBsHatched = 2,
    kBsPattern = 3,
    kBsDibPattern = 5,
    kBsDibPatternPt = 6
};

struct GdiPen {
    std::uint32_t style = kPsSolid;
    double width = 0; // logical units; 0 draws one pixel wide
    QColor colour = Qt::black;
};

struct GdiBrush {
    std::uint32_t style = kBsSolid;
    QColor colour = Qt::white;
    std::uint32_t hatch = 0;
    QImage pattern; // for the DIB pattern styles
};

struct GdiFont {
    int height = 0; // logical units; negative: character height, positive: cell height
    int width = 0;
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face;
};

struct GdiRegion {
    QRegion region; // logical units
};

// A palette takes a slot in the table but means nothing to a true-colour raster.
struct GdiPalette {};

using GdiObject = std::variant<GdiPen, GdiBrush, GdiFont, GdiRegion, GdiPalette>;

// Objects by index. WMF records put a new object in the lowest free slot; EMF records name the slot.
class ObjectTable {
public:
    explicit ObjectTable(std::size_t capacity) : capacity_(capacity) {}

    // The slot used, or nothing when the table is full.
    std::optional<std::size_t> addAtLowestFree(GdiObject object);
    bool put(std::size_t index, GdiObject object);
    const GdiObject* get(std::size_t index) const;
    void remove(std::size_t index);

private:
    std::size_t capacity_;
    std::vector<std::optional<GdiObject>> slots_;
    std::set<std::size_t> freed_; // free slots below slots_.size()
};

// The stock objects an EMF names with the high bit set (white brush … DC pen).
std::optional<GdiObject> stockObject(std::uint32_t index);

} // namespace imaging::codecs
