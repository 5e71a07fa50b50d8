// Frames, masks, cliparts, decorations and brush strokes placed from a library and composed.
#include "../resources/library_fixture.h"
#include "recording_listener.h"
#include "resources/resource_library.h"
#include "resources/resource_types.h"
#include "text/calendar/calendar_picture.h"
#include "workspace/composer_painting.h"
#include "workspace/decorations/decoration_geometry.h"
#include "workspace/document.h"
#include "workspace/manipulation/hit_testing.h"

#include <QPainter>
#include <functional>

using namespace workspace;
using resources_test::encodedList;
using resources_test::rawList;
namespace files = resources::files;

namespace {

const QRgb kPhoto = qRgb(0xC0, 0x80, 0x40);
const QRgb kWhite = qRgb(255, 255, 255);

QImage solid(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// An opaque frame of the colour with a transparent opening where the hole says.
QImage framePicture(int width, int height, QRgb colour, const resources::PhotoHole& hole) {
    QImage image = solid(width, height, colour);
    const QRectF opening(hole.left * width, hole.top * height, (hole.right - hole.left) * width,
                         (hole.bottom - hole.top) * height);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(opening, Qt::transparent);
    return image;
}

// Four quadrants: red top-left, green top-right, blue bottom-left, yellow bottom-right.
QImage quadrants(int side) {
    QImage image(side, side, QImage::Format_ARGB32);
    const int half = side / 2;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image.setPixel(x, y,
                           y < half ? (x < half ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                    : (x < half ? qRgb(0, 0, 255) : qRgb(255, 255, 0)));
    return image;
}

QRgb at(const imaging::PhotoBuffer& buffer, int x, int y) {
    const std::uint8_t* p = buffer.row(y) + x * 3;
    return qRgb(p[2], p[1], p[0]);
}

bool near(QRgb a, QRgb b, int tolerance = 3) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The largest difference of any colour channel between two pictures of one size.
int largestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

// Whether a press at the window point would reach the object: it lies in its hit area.
bool holds(const ObjectList& objects, int index, QPoint point) {
    if (const text::TextObject* text = objects.get<text::TextObject>(index))
        return textRect(*text).contains(point.x(), point.y());
    bool hit = false;
    visitPicture(objects.at(index),
                 [&](const auto& picture) { hit = regionHolds(picture.hitRegion, point.x(), point.y()); });
    return hit;
}

// A point where a press takes the object: in it and in nothing above it.
std::optional<QPoint> grabPoint(const ObjectList& objects, int index) {
    for (int y = 0; y < 620; y += 3)
        for (int x = 0; x < 820; x += 3) {
            bool covered = !holds(objects, index, {x, y});
            for (int above = index + 1; above < objects.size() && !covered; ++above)
                covered = holds(objects, above, {x, y});
            if (!covered)
                return QPoint(x, y);
        }
    return std::nullopt;
}

// A 1600 × 1200 photo in an 820 × 620 window: the view is (10, 10)-(810, 610), one window pixel for two
// canvas pixels. The library holds:
//   frames       0: 400 × 300 red, hole (0.25, 0.25)-(0.75, 0.75); 1: 300 × 400 blue, the same hole;
//                2: as 0 in blue, but its recorded hole has no height
//   masks        0: 64 × 48 black (the photo shows); 1: 32 × 32 white
//   cliparts     0: 40 × 40 quadrants; 1: 10 × 10 green
//   decorations  0: 400 × 100 (wider than the view); 1: 200 × 150 (smaller)
struct Decorations : resources_test::LibraryTest {
    RecordingListener listener;
    resources::ResourceLibrary library{folders()};
    std::unique_ptr<WorkspaceDocument> document;
    const resources::PhotoHole hole{0.25f, 0.25f, 0.75f, 0.75f};

    void SetUp() override {
        writeData(files::kFrames, encodedList({framePicture(400, 300, qRgb(255, 0, 0), hole),
                                               framePicture(300, 400, qRgb(0, 0, 255), hole),
                                               framePicture(400, 300, qRgb(0, 0, 255), hole)},
                                              {hole, hole, {0.25f, 0.5f, 0.75f, 0.5f}}));
        writeData(files::kMasks, encodedList({solid(64, 48, qRgb(0, 0, 0)), solid(32, 32, kWhite)}));
        writeData(files::kCliparts, rawList({quadrants(40), solid(10, 10, qRgb(0, 255, 0))}));
        writeData(files::kDecorations, encodedList({solid(400, 100, qRgb(255, 0, 255)),
                                                    solid(200, 150, qRgba(0, 255, 255, 128))}));
        document = std::make_unique<WorkspaceDocument>(root_.path(), listener, QSize(820, 620), &library);
        imaging::PhotoBuffer photo;
        photo.width = 1600;
        photo.height = 1200;
        photo.bgr.resize(1600u * 1200u * 3u);
        for (std::size_t i = 0; i < photo.bgr.size(); i += 3) {
            photo.bgr[i] = qBlue(kPhoto);
            photo.bgr[i + 1] = qGreen(kPhoto);
            photo.bgr[i + 2] = qRed(kPhoto);
        }
        document->setLoadedPicture(std::move(photo), false, 0, "p.jpg");
        document->keepLoadedPhoto();
    }

    ObjectList& objects() { return document->objects(); }
    int steps() const { return document->history().stepCount(); }
    QRgb screen(int x, int y) const { return document->backBuffer().pixel(x, y); }
    // The composition at canvas resolution, as flattening would make it.
    imaging::PhotoBuffer rendered() {
        document->RenderPhotoArea();
        return document->photo();
    }
};

} // namespace

TEST_F(Decorations, AFrameShowsThePhotoThroughItsHoleAndASecondFrameReplacesIt) {
    EXPECT_EQ(document->PlaceFrame(0), PlaceResult::Placed);
    ASSERT_EQ(objects().size(), 1);
    const FrameObject frame = *objects().get<FrameObject>(0);
    EXPECT_EQ(frame.selected, 1);
    EXPECT_EQ(frame.width, 400);
    EXPECT_EQ(frame.hole.right, 0.75f);
    // Fitted into the 800 × 600 view and times 0.6.
    EXPECT_EQ(frame.displayWidth, 480);
    EXPECT_EQ(frame.displayHeight, 360);
    EXPECT_EQ(steps(), 2); // the flattening and the frame
    EXPECT_EQ(listener.selections.back(), 1);
    EXPECT_TRUE(document->modified());

    // On screen the frame is 480 × 360 around the view's centre (410, 310), its hole 240 × 180.
    EXPECT_TRUE(near(screen(410, 310), kPhoto));        // the photo in the hole
    EXPECT_EQ(screen(410 - 200, 310), qRgb(255, 0, 0)); // the frame
    EXPECT_EQ(screen(410 - 260, 310), kWhite);          // the background around it: no plain photo
    EXPECT_FALSE(objects().get<FrameObject>(0)->hitRegion.isEmpty());

    const int images = document->history().imageCounter();
    EXPECT_EQ(document->PlaceFrame(1), PlaceResult::Placed);
    ASSERT_EQ(objects().size(), 1);
    EXPECT_EQ(objects().get<FrameObject>(0)->resourceIndex, 1);
    EXPECT_EQ(document->history().imageCounter(), images); // replaced, not flattened
    EXPECT_EQ(screen(410, 310 - 150), qRgb(0, 0, 255));

    // One Undo takes the second frame back, the next one the first frame with its flattening.
    document->undo();
    EXPECT_EQ(objects().get<FrameObject>(0)->resourceIndex, 0);
    document->undo();
    EXPECT_TRUE(objects().empty());
    EXPECT_FALSE(document->canUndo());
    document->redo();
    EXPECT_EQ(objects().get<FrameObject>(0)->resourceIndex, 0);

    // Turned into pixels, the frame (960 × 720 canvas pixels) lies on the background sheet's colour.
    document->SetBackgroundColour(text::rgb(0x20, 0x60, 0xA0));
    const imaging::PhotoBuffer canvas = rendered();
    EXPECT_EQ(at(canvas, 800 - 500, 600), qRgb(0x20, 0x60, 0xA0));
    EXPECT_EQ(at(canvas, 800 - 400, 600), qRgb(255, 0, 0));
}

TEST_F(Decorations, AFrameSizedAndTurnedKeepsThePhotoInItsHoleAndAHoleWithoutHeightShowsNone) {
    document->PlaceFrame(0);
    EXPECT_TRUE(document->SetSelectedScale(-90)); // half size
    EXPECT_TRUE(document->SetSelectedAngle(90));
    // Turned a quarter, the 240 × 180 frame stands 180 wide and 240 high.
    EXPECT_TRUE(near(screen(410, 310), kPhoto));
    EXPECT_EQ(screen(410, 310 - 100), qRgb(255, 0, 0));
    EXPECT_EQ(screen(410 - 100, 310), kWhite);
    const QRectF box = objects().get<FrameObject>(0)->hitRegion.boundingRect();
    EXPECT_NEAR(box.width(), 180, 1);
    EXPECT_NEAR(box.height(), 240, 1);

    // Without a hole to crop it to, the whole photo lies under the frame.
    document->PlaceFrame(2);
    EXPECT_TRUE(near(screen(410, 310), kPhoto));
    EXPECT_TRUE(near(screen(20, 20), kPhoto));
    EXPECT_EQ(screen(410 - 200, 310), qRgb(0, 0, 255));
}

TEST_F(Decorations, AMaskShowsThePhotoWhereItIsBlackAndTheBackgroundElsewhere) {
    document->SetBackgroundColour(text::rgb(0, 0, 255));
    EXPECT_EQ(document->PlaceMask(0), PlaceResult::Placed);
    const MaskObject mask = *objects().get<MaskObject>(0);
    EXPECT_FLOAT_EQ(mask.baseFactor, 1600.0f / 1024.0f);
    EXPECT_EQ(mask.width, 64);
    EXPECT_EQ(listener.selections.back(), 1);

    // 64 × 1.5625 = 100 canvas pixels wide, 75 high, around the canvas centre.
    const imaging::PhotoBuffer canvas = rendered();
    EXPECT_EQ(at(canvas, 800, 600), kPhoto);
    EXPECT_EQ(at(canvas, 751, 563), kPhoto);
    EXPECT_EQ(at(canvas, 748, 600), qRgb(0, 0, 255));
    EXPECT_EQ(at(canvas, 10, 10), qRgb(0, 0, 255));
}

TEST_F(Decorations, ASecondMaskReplacesTheFirstAndTheSmallestScaleIsATenth) {
    document->PlaceMask(0);
    const int images = document->history().imageCounter();
    document->PlaceMask(1);
    ASSERT_EQ(objects().size(), 1);
    EXPECT_EQ(objects().get<MaskObject>(0)->resourceIndex, 1);
    EXPECT_EQ(document->history().imageCounter(), images);
    document->SetSelectedScale(-180);
    EXPECT_FLOAT_EQ(objects().get<MaskObject>(0)->scale, 0.1f);
}

TEST_F(Decorations, AClipartTurnedAQuarterAtHalfSizeMatchesAReferenceDrawing) {
    document->PlaceClipart(0, 410, 310); // the view's centre: the canvas's centre
    ASSERT_EQ(objects().get<ClipartObject>(0)->offsetX, 0);
    ASSERT_EQ(objects().get<ClipartObject>(0)->offsetY, 0);
    document->SetSelectedAngle(90);
    document->SetSelectedScale(-90);
    const imaging::PhotoBuffer canvas = rendered();

    // The reference: the 40 × 40 clipart turned clockwise and halved, centred on (800, 600).
    const QImage turned = quadrants(40).transformed(QTransform().rotate(90)).scaled(20, 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            // Pixels where two quadrants or the picture and the photo meet are blended.
            if (x == 0 || y == 0 || x == 19 || y == 19 || x == 9 || x == 10 || y == 9 || y == 10)
                continue;
            EXPECT_EQ(at(canvas, 790 + x, 590 + y), turned.pixel(x, y) | 0xFF000000) << x << "," << y;
        }
    }
    EXPECT_EQ(at(canvas, 805, 595), qRgb(255, 0, 0)); // the top-left quadrant is now top-right
    EXPECT_EQ(at(canvas, 788, 600), kPhoto);
    EXPECT_EQ(at(canvas, 812, 600), kPhoto);
}

// The mask made ready at one scale is kept while it is turned; a new scale makes it again.
TEST_F(Decorations, AMaskTurnedThenScaledOnTheDialsLooksAsIfDrawnAfresh) {
    document->PlaceMask(0);
    document->SetSelectedAngle(30);
    document->SetSelectedScale(60);
    const QImage dialled = document->backBuffer().copy();
    document->forgetResourcePictures();
    document->Recompose(false);
    EXPECT_EQ(dialled, document->backBuffer());
}

TEST_F(Decorations, TheHandlesOfATurnedClipartSizeItAboutItsCentreAndTurnItOneUndoStepADrag) {
    document->PlaceClipart(0, 410, 310); // 40 × 40 at the canvas centre
    document->SetSelectedAngle(30);
    document->SetSelectedScale(90); // 1.5: 30 × 30 window pixels
    document->RecordObjectStep();
    const int before = steps();
    auto handles = [&] {
        const ClipartObject& placed = *objects().get<ClipartObject>(0);
        return pictureHandles(clipartTransform(placed, document->viewRect(), 1600, 1200), 40, 40);
    };
    // A window point at the centre plus `along` × (handle − centre) turned by `degrees`.
    auto around = [&](int handle, double along, double degrees) {
        const PictureHandles h = handles();
        QTransform turn;
        turn.rotate(degrees);
        const QPointF d = turn.map(h.points[static_cast<std::size_t>(handle)] - h.centre) * along;
        return (h.centre + d - QPointF(0.5, 0.5)).toPoint();
    };

    // Turned 30°, the bottom-right corner lies 75° below the horizontal and the top-right one 15° above.
    const QPoint corner = around(2, 1, 0);
    EXPECT_EQ(document->MouseMove(corner.x(), corner.y()), PointerCursor::SizeVertical);
    EXPECT_EQ(document->MouseMove(around(1, 1, 0).x(), around(1, 1, 0).y()), PointerCursor::SizeHorizontal);
    const QPoint turnHandle = around(kTurnHandle, 1, 0);
    EXPECT_EQ(document->MouseMove(turnHandle.x(), turnHandle.y()), PointerCursor::Turn);

    // Pulled out to 1.2 times its distance from the centre, the corner makes the clipart 1.2 times as
    // large, about the same centre; beyond twice the size the scale dial's limit holds.
    ASSERT_TRUE(document->ButtonDown(corner.x(), corner.y()));
    const ClipartObject& clipart = *objects().get<ClipartObject>(0);
    const QPoint farther = around(2, 1.2, 0);
    document->MouseMove(farther.x(), farther.y());
    EXPECT_NEAR(clipart.scale, 1.8, 0.02);
    EXPECT_EQ(clipart.scale, scaleFromDial(scaleDialFor(clipart.scale))); // a value the dial can show
    const QPoint outside = around(2, 3, 0);
    document->MouseMove(outside.x(), outside.y());
    EXPECT_EQ(clipart.scale, 2.0f);
    EXPECT_EQ(clipart.offsetX, 0);
    EXPECT_EQ(clipart.offsetY, 0);
    EXPECT_EQ(clipart.angle, 30.0f);
    EXPECT_EQ(listener.selections.back(), 1); // the dials are told as it changes
    EXPECT_EQ(steps(), before);
    document->ButtonUp();
    EXPECT_EQ(steps(), before + 1);

    // Swept 37° clockwise about the centre the turn handle turns it by as much; with Shift to the nearest
    // multiple of 15°.
    const QPoint top = around(kTurnHandle, 1, 0);
    ASSERT_TRUE(document->ButtonDown(top.x(), top.y()));
    const QPoint swept = around(kTurnHandle, 1, 37);
    document->MouseMove(swept.x(), swept.y(), true);
    EXPECT_EQ(clipart.angle, 60.0f);
    document->MouseMove(swept.x(), swept.y());
    EXPECT_NEAR(clipart.angle, 67, 1);
    EXPECT_EQ(clipart.scale, 2.0f);
    document->ButtonUp();
    EXPECT_EQ(steps(), before + 2);

    // Each drag is undone on its own; a press on a handle that does not move records nothing.
    document->undo();
    EXPECT_EQ(objects().get<ClipartObject>(0)->angle, 30.0f);
    EXPECT_EQ(objects().get<ClipartObject>(0)->scale, 2.0f);
    document->undo();
    EXPECT_EQ(objects().get<ClipartObject>(0)->scale, 1.5f);
    const QPoint still = around(0, 1, 0);
    document->ButtonDown(still.x(), still.y());
    document->ButtonUp();
    EXPECT_EQ(steps(), before + 2);
    EXPECT_EQ(document->history().position(), before - 1);
}

TEST_F(Decorations, TheFirstClipartFlattensTextsAndLaterOnesAreAddedBesideIt) {
    document->SetTool(ToolText);
    document->textTemplate().font = text::makeLogFont(u"DejaVu Sans", 60);
    text::setText(document->textTemplate(), u"Hi");
    document->PlaceText(100, 100);
    ASSERT_EQ(objects().size(), 1);

    document->SetTool(ToolClipart);
    document->PlaceClipart(1, 410, 310);
    ASSERT_EQ(objects().size(), 1);
    EXPECT_EQ(objects().kind(0), Clipart);
    const int images = document->history().imageCounter();
    // Dropped at a window point: centred on it, in canvas pixels from the canvas centre.
    EXPECT_EQ(document->DropThumbnail(static_cast<int>(resources::ResourceCategory::Cliparts), 0, 110, 60),
              PlaceResult::Placed);
    ASSERT_EQ(objects().size(), 2);
    EXPECT_EQ(document->history().imageCounter(), images);
    const ClipartObject& dropped = *objects().get<ClipartObject>(1);
    EXPECT_EQ(dropped.offsetX, (110 - 400 - 10) * 2);
    EXPECT_EQ(dropped.offsetY, (60 - 300 - 10) * 2);
    EXPECT_EQ(dropped.selected, 1);
    EXPECT_EQ(objects().get<ClipartObject>(0)->selected, 0);

    document->undo();
    EXPECT_EQ(objects().size(), 1);
    document->undo(); // the first clipart and its flattening go together
    ASSERT_EQ(objects().size(), 1);
    EXPECT_EQ(objects().kind(0), Text);
}

TEST_F(Decorations, ADecorationCoversTheWholeCanvasWhateverItsShapeAndIsReplacedByTheNext) {
    EXPECT_EQ(document->PlaceDecoration(0), PlaceResult::Placed);
    EXPECT_EQ(listener.selections.back(), 0); // the object dials do not apply
    // 400 × 100 on the 800 × 600 view: every edge is reached, not only the top 200 rows.
    EXPECT_EQ(objects().get<DecorationObject>(0)->hitRegion.boundingRect(), QRectF(10, 10, 800, 600));
    EXPECT_EQ(screen(20, 200), qRgb(255, 0, 255));
    EXPECT_EQ(screen(20, 220), qRgb(255, 0, 255));
    EXPECT_EQ(screen(805, 605), qRgb(255, 0, 255));

    document->SetSelectedScale(180); // not a decoration's
    document->PlaceDecoration(1);
    ASSERT_EQ(objects().size(), 1);
    // 200 × 150 is enlarged to the whole canvas.
    EXPECT_EQ(objects().get<DecorationObject>(0)->hitRegion.boundingRect(), QRectF(10, 10, 800, 600));
    const imaging::PhotoBuffer canvas = rendered();
    EXPECT_TRUE(near(at(canvas, 1590, 1190), qRgb(0x60, 0xC0, 0xA0)));
}

TEST_F(Decorations, DamagedOrMissingEntriesPlaceNothing) {
    document->PlaceClipart(1, 300, 300);
    const int before = steps();

    EXPECT_EQ(document->PlaceFrame(7), PlaceResult::Unreadable); // past the entries there
    QByteArray frames = encodedList({framePicture(400, 300, qRgb(255, 0, 0), hole)}, {hole});
    frames.chop(10); // the picture ends early
    writeData(files::kFrames, frames);
    EXPECT_EQ(document->PlaceFrame(0), PlaceResult::Unreadable);

    // A decoration whose picture bytes are no picture at all.
    QByteArray decorations = encodedList({solid(20, 20, kWhite)});
    decorations.replace(16, 8, QByteArray(8, 'x'));
    writeData(files::kDecorations, decorations);
    EXPECT_EQ(document->PlaceDecoration(0), PlaceResult::Unreadable);

    QFile::remove(dataPath(files::kMasks));
    EXPECT_EQ(document->PlaceMask(0), PlaceResult::NotFound);

    EXPECT_EQ(steps(), before);
    ASSERT_EQ(objects().size(), 1);
    EXPECT_EQ(objects().kind(0), Clipart);

    WorkspaceDocument withoutLibrary(root_.path() + "/other", listener, QSize(820, 620));
    EXPECT_EQ(withoutLibrary.PlaceClipart(0, 10, 10), PlaceResult::NotFound);
    EXPECT_TRUE(withoutLibrary.objects().empty());
}

TEST_F(Decorations, InMemoryClipartsAreCopiedAndKeptUntilANewPhoto) {
    std::vector<std::uint8_t> pixels(4 * 3 * 4, 0);
    for (std::size_t i = 0; i < pixels.size(); i += 4)
        pixels[i + 2] = pixels[i + 3] = 255;                            // opaque red
    EXPECT_FALSE(document->PlaceMemoryClipart(pixels, 4, 4, 410, 310)); // too few pixels for 4 × 4
    EXPECT_TRUE(document->PlaceMemoryClipart(pixels, 4, 3, 410, 310));
    pixels.assign(pixels.size(), 0); // the document has its own copy
    const ClipartObject clipart = *objects().get<ClipartObject>(0);
    EXPECT_EQ(clipart.inMemory, 1);
    EXPECT_EQ(document->memoryCliparts().size(), 1u);
    EXPECT_EQ(at(rendered(), 800, 600), qRgb(255, 0, 0));

    document->keepLoadedPhoto();
    EXPECT_TRUE(document->memoryCliparts().empty());
    EXPECT_TRUE(document->regions().empty());
}

TEST_F(Decorations, AStrokeComposedStampByStampLooksExactlyAsComposedAtOnce) {
    QImage tip = solid(9, 9, qRgba(0, 0, 0, 200));
    document->setBrushPictures({tip});
    document->SetBrush(0, true, 30, 255, 40, text::rgb(255, 0, 0));
    ASSERT_TRUE(document->ButtonDown(200, 200));
    for (int i = 1; i <= 60; ++i)
        document->MouseMove(200 + 4 * i, 200 + i);
    document->ButtonUp();
    const BrushStrokeObject& stroke = *objects().get<BrushStrokeObject>(0);
    EXPECT_EQ(stroke.xs.size(), 50u); // the press and one every 10 canvas pixels of the 495 travelled
    const QImage incremental = document->backBuffer().copy();
    // W = 200 / 255 per stamp: red over the photo's 0xC0, 0x80, 0x40, at least as red as one stamp makes it
    // where the overlapping stamps of the start lie.
    const QRgb start = incremental.pixel(200, 200);
    EXPECT_GE(qRed(start), 240);
    EXPECT_LE(qGreen(start), 28);
    EXPECT_LE(qBlue(start), 14);

    document->forgetResourcePictures(); // drops every kept layer
    document->Recompose(false);
    EXPECT_EQ(document->backBuffer(), incremental);
}

namespace {

struct Busy : Decorations {
    // Every kind of object, from the bottom: a brush stroke, a mask over the view (the stroke under it is
    // hidden), the decoration over the lower right quarter of the view, a frame, a clipart, the month
    // calendar, a second clipart and two overlapping texts.
    void SetUp() override {
        Decorations::SetUp();
        std::vector<ObjectRecord> records;
        // The placing rules flatten much of what lies on the photo: the records are gathered instead.
        auto take = [&](int count) {
            for (int i = objects().size() - count; i < objects().size(); ++i)
                records.push_back(objects().at(i));
        };
        document->setBrushPictures({solid(9, 9, qRgba(0, 0, 0, 200))});
        document->SetBrush(0, true, 30, 255, 40, text::rgb(255, 0, 0));
        document->ButtonDown(200, 200);
        for (int i = 1; i <= 60; ++i)
            document->MouseMove(200 + 4 * i, 200 + i);
        document->ButtonUp();
        take(1);
        document->PlaceMask(0);
        document->SetSelectedScale(180);
        objects().get<MaskObject>(0)->offsetX = -500;
        objects().get<MaskObject>(0)->offsetY = -300;
        take(1);
        document->PlaceDecoration(1);
        objects().get<DecorationObject>(0)->offsetX = 800;
        objects().get<DecorationObject>(0)->offsetY = 600;
        take(1);
        document->PlaceFrame(0);
        document->SetSelectedScale(-90);
        objects().get<FrameObject>(0)->offsetX = -200;
        objects().get<FrameObject>(0)->offsetY = 300;
        take(1);
        document->PlaceClipart(0, 600, 150);
        document->PlaceClipart(1, 640, 170);
        take(2);
        document->SetTool(ToolText);
        document->textTemplate().font = text::makeLogFont(u"DejaVu Sans", 60);
        document->textTemplate().colour = text::rgb(0, 90, 200);
        text::setText(document->textTemplate(), u"HH");
        document->PlaceText(150, 380);
        document->textTemplate().style = 3;
        document->PlaceText(150, 470);
        ASSERT_EQ(objects().size(), 2); // the first text flattened the cliparts
        objects().get<text::TextObject>(1)->left = 175;
        objects().get<text::TextObject>(1)->top = 395;
        take(2);
        ASSERT_EQ(records.size(), 8u);

        document->keepLoadedPhoto();
        for (std::size_t i = 0; i + 3 < records.size(); ++i)
            objects().append(records[i]);
        // The calendar's pixels are the document's own, which a new photo forgets: it is placed now.
        const std::vector<std::uint8_t> calendar = text::calendarPictureOf({2026, 12});
        ASSERT_TRUE(document->PlaceMemoryClipart(calendar, text::kCalendarPictureSide,
                                                 text::kCalendarPictureSide, 700, 260));
        for (std::size_t i = records.size() - 3; i < records.size(); ++i)
            objects().append(records[i]);
        document->ClearSelection();
        document->RecordObjectStep();
        document->Recompose(false);
    }

    int position(ObjectKind kind, int nth = 0) {
        for (int i = 0; i < objects().size(); ++i)
            if (objects().kind(i) == kind && nth-- == 0)
                return i;
        return -1;
    }
};

} // namespace

TEST_F(Busy, DragAndDialStepsFromKeptLayersLookLikeAFullComposition) {
    struct Case {
        const char* what;
        int tool;
        std::function<int()> dragged; // the object pressed, or -1 for the crop rectangle
        bool dial = false;            // turned by the rotation dial after the press, not moved
    };
    const Case cases[] = {
        {"clipart", ToolClipart, [&] { return position(Clipart); }},
        {"calendar", ToolClipart, [&] { return position(Clipart, 1); }},
        {"mask", ToolMask, [&] { return position(Mask); }},
        {"frame", ToolFrame, [&] { return position(Frame); }},
        {"decoration", ToolDecoration, [&] { return position(Decoration); }},
        {"text under a text", ToolText, [&] { return position(Text); }},
        {"crop rectangle", ToolCrop, [] { return -1; }},
        {"frame on the dial", ToolFrame, [&] { return position(Frame); }, true},
        {"mask on the dial", ToolMask, [&] { return position(Mask); }, true},
    };
    ASSERT_EQ(objects().get<ClipartObject>(position(Clipart, 1))->inMemory, 1);
    ASSERT_GE(position(BrushStroke), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        document->SetTool(c.tool);
        document->Recompose(false);
        const int index = c.dragged();
        QPoint grab;
        if (index < 0) {
            const Rect crop = document->cropRect();
            grab = QPoint(crop.left + 20, crop.top + 20);
        } else {
            const std::optional<QPoint> point = grabPoint(objects(), index);
            ASSERT_TRUE(point);
            grab = *point;
        }
        const QImage before = document->backBuffer().copy();
        ASSERT_TRUE(document->ButtonDown(grab.x(), grab.y()));
        if (c.tool == ToolText)
            ASSERT_EQ(document->activeText(), index);
        else if (index >= 0)
            visitPicture(objects().at(index), [](const auto& picture) { ASSERT_EQ(picture.selected, 1); });
        if (c.dial)
            document->ButtonUp();
        // Three steps from the same kept layers, then the picture a full composition makes.
        for (int step = 1; step <= 3; ++step) {
            if (c.dial)
                document->SetSelectedAngle(25 * step);
            else
                document->MouseMove(grab.x() + 9 * step, grab.y() + 5 * step);
        }
        const QImage stepped = document->backBuffer().copy();
        EXPECT_NE(stepped, before);
        document->Recompose(false);
        EXPECT_LE(largestDifference(stepped, document->backBuffer()), 2);
        if (!c.dial)
            document->ButtonUp();
    }
}

TEST_F(Decorations, PicturesAreDecodedOnceWhilePlacedAndAfreshWhenTheLibraryChanges) {
    document->PlaceFrame(0); // red, its left edge from 170 to 290
    ASSERT_EQ(screen(215, 315), qRgb(255, 0, 0));
    // The library's files change under the document: what was decoded stays in use, at every
    // composition and drag step, until the document is told.
    writeData(files::kFrames, encodedList({framePicture(400, 300, qRgb(0, 0, 255), hole)}, {hole}));
    for (int i = 0; i < 5; ++i)
        document->Recompose(false);
    ASSERT_TRUE(document->ButtonDown(200, 310));
    document->MouseMove(205, 315);
    EXPECT_EQ(screen(215, 315), qRgb(255, 0, 0));
    document->MouseMove(210, 315);
    document->ButtonUp();
    EXPECT_EQ(screen(215, 315), qRgb(255, 0, 0));
    document->forgetResourcePictures();
    document->Recompose(false);
    EXPECT_EQ(screen(215, 315), qRgb(0, 0, 255));
}
