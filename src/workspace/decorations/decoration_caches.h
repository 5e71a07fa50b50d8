#pragma once
// What the composer keeps between compositions of frames, masks, decorations and brush strokes. The
// canvas is recomposed at every mouse move; these hold the dear parts that a move leaves as they were:
// the pictures read from the library, the photo a frame shows, the background masks blend into, the
// masked photo, the frame layer, the decoration at its fitted size and the stroke with its stamps laid.
// Each is rebuilt from scratch as soon as anything it was made from differs, so a cached composition
// always has exactly the pixels of a fresh one.

#include "imaging/photo_buffer.h"
#include "workspace/decorations/decoration_pixels.h"
#include "workspace/decorations/resource_pictures.h"
#include "workspace/object_records.h"
#include "workspace/view_geometry.h"

#include <QImage>
#include <QRect>
#include <QTransform>
#include <cstdint>
#include <list>
#include <memory>
#include <vector>

namespace workspace {

// A picture stretched over a rectangle of the window (`over`), kept only where the window shows it
// (`part`): a zoomed-in view never needs a buffer of its whole size.
struct StretchedPart {
    QImage picture;
    Rect over;
    QRect part;
    bool matches(const Rect& o, const QRect& p) const { return !picture.isNull() && over == o && part == p; }
};

// A canvas-sized B,G,R buffer as the screen shows it: a 32-bit copy (stretching from 3-byte pixels
// takes five times as long) and that copy stretched over the view, where the window shows it.
struct ShownBuffer {
    QImage copy;
    StretchedPart shown;
};

struct DecorationCaches {
    explicit DecorationCaches(const resources::ResourceLibrary* library)
        : pictures(std::make_shared<ResourcePictures>(library)) {}

    // Never null; shared with other documents when they are given the same set.
    std::shared_ptr<ResourcePictures> pictures;

    // Raised whenever the photo or the background sheet is replaced.
    std::uint64_t photoGeneration = 0;
    std::uint64_t backgroundGeneration = 0;

    // The photo frames show: the undo record of the current photo, decoded; and the crop last cut from it.
    struct FramePhoto {
        bool valid = false;
        int counter = -1;
        std::uint64_t photoGeneration = 0;
        imaging::PhotoBuffer photo; // empty when frames show the photo buffer itself
        QRect cropRect;
        QImage crop;
    } framePhoto;

    // The BackgroundCache: the background at the view area in canvas pixels, cut to the canvas; empty when
    // that is plain white.
    struct Background {
        bool valid = false;
        QSize area;
        QSize canvas;
        std::uint64_t backgroundGeneration = 0;
        imaging::PhotoBuffer buffer;
    } background;

    struct MaskKey {
        int index = -1;
        MaskPlacement placement;
        std::uint64_t photoGeneration = 0;
        std::uint64_t backgroundGeneration = 0;
        QSize area;
        friend bool operator==(const MaskKey& a, const MaskKey& b) {
            return a.index == b.index && a.placement.scale == b.placement.scale &&
                   a.placement.angle == b.placement.angle && a.placement.offsetX == b.placement.offsetX &&
                   a.placement.offsetY == b.placement.offsetY && a.photoGeneration == b.photoGeneration &&
                   a.backgroundGeneration == b.backgroundGeneration && a.area == b.area;
        }
    };
    struct Masked {
        bool valid = false;
        MaskKey key;
        QImage picture; // the WorkingBuffer the mask rule wrote, 32-bit
        StretchedPart shown; // that picture stretched over the view, where the window shows it
        // The mask made ready at its scale, kept while it is only moved or turned.
        std::shared_ptr<const imaging::RasterImage> scaledFrom;
        float scaledAt = 0;
        bool scaledSmoothly = false;
        ScaledMask scaled;
    } mask;

    // A frame drawn over its photo, on screen: one layer of the frame's box within the shown view.
    struct FrameLayerKey {
        int index = -1;
        float angle = 0;
        float scale = 0;
        int width = 0;
        int height = 0;
        PhotoHole hole;
        int offsetX = 0;
        int offsetY = 0;
        Rect view;
        QRect part; // of the view, that the window shows
        int canvasWidth = 0;
        int canvasHeight = 0;
        int photoCounter = -1;
        std::uint64_t photoGeneration = 0;
        friend bool operator==(const FrameLayerKey& a, const FrameLayerKey& b) {
            return a.index == b.index && a.angle == b.angle && a.scale == b.scale && a.width == b.width &&
                   a.height == b.height && a.hole.left == b.hole.left && a.hole.top == b.hole.top &&
                   a.hole.right == b.hole.right && a.hole.bottom == b.hole.bottom && a.offsetX == b.offsetX &&
                   a.offsetY == b.offsetY && a.view == b.view && a.part == b.part && a.canvasWidth == b.canvasWidth &&
                   a.canvasHeight == b.canvasHeight && a.photoCounter == b.photoCounter &&
                   a.photoGeneration == b.photoGeneration;
        }
    };
    struct FrameLayer {
        bool valid = false;
        FrameLayerKey key;
        QPoint origin;
        QImage layer; // premultiplied, transparent around the frame
    } frame;

    // The decoration picture at the size it is drawn, or the part of it the window shows.
    struct FittedDecoration {
        int index = -1;
        QSize size;
        QRect part;
        QImage picture;
    } decoration;

    // The stroke being shown: the photo with the stamps laid so far, and that buffer over the view.
    struct PaintedStroke {
        bool valid = false;
        std::uint64_t photoGeneration = 0;
        int tipIndex = -1;
        qint64 tipKey = 0;
        std::uint32_t colour = 0;
        std::vector<BrushStamp> laid;
        imaging::PhotoBuffer buffer;
        ShownBuffer screen;
        QRect changed; // canvas pixels laid since the screen copy was made
    } stroke;

    // Pictures reduced by area averaging to the size they are drawn at (see drawTransformed), most
    // recently used first.
    struct Reduced {
        qint64 source = 0; // QImage::cacheKey of the full-size picture
        QSize size;
        QImage picture;
    };
    static constexpr std::size_t kReducedPictures = 48;
    std::list<Reduced> reduced;

    // Cliparts as the screen shows them, each drawn once into its own box: a clipart that neither moved
    // nor changed is then one blend. Most recently used first.
    struct Sprite {
        qint64 source = 0;
        QTransform transform;
        Rect view; // the part of the view the window shows, which the sprite is cut to
        QPoint origin;
        QImage picture; // premultiplied
    };
    static constexpr std::size_t kSprites = 64;
    std::list<Sprite> sprites;

    // Everything made from the photo, the background or the library goes.
    void forgetLayers() {
        reduced.clear();
        sprites.clear();
        framePhoto = {};
        background = {};
        mask = {};
        frame = {};
        decoration = {};
        stroke = {};
    }
};

} // namespace workspace
