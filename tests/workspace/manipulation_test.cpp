#include "recorded_document.h"
#include "resources/resource_types.h"
#include "support/temp_folder.h"
#include "workspace/document.h"
#include "workspace/manipulation/handle_geometry.h"
#include "workspace/decorations/resource_placement.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace workspace;
using testing_support::TempFolder;

namespace {

int code(resources::ResourceCategory category) {
    return static_cast<int>(category);
}

QPolygonF square(int left, int top, int side) {
    return QPolygonF(QRectF(left, top, side, side));
}

// A clipart whose screen hit region is the square (left, top, side × side).
ClipartObject clipartWithRegion(int left, int top, int side, int offsetX = 0, int offsetY = 0) {
    ClipartObject clipart;
    clipart.selected = 0;
    clipart.hitRegion = square(left, top, side);
    clipart.offsetX = offsetX;
    clipart.offsetY = offsetY;
    return clipart;
}

QPoint centre(const Rect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A 1600 × 1200 photo in an 820 × 620 window: the view is (10, 10)-(810, 610), one window pixel for two
// canvas pixels.
struct Manipulation : ::testing::Test, RecordedDocument {
    void SetUp() override {
        imaging::PhotoBuffer photo;
        photo.width = 1600;
        photo.height = 1200;
        photo.bgr.assign(1600u * 1200u * 3u, 0xC0);
        document->setLoadedPicture(std::move(photo), false, 0, "p.jpg");
        document->keepLoadedPhoto();
        text::TextObject& style = document->textTemplate();
        style.font = text::makeLogFont(u"DejaVu Sans", 80);
        style.colour = text::rgb(255, 0, 0);
        text::setText(style, u"Hello");
    }

    int steps() const { return document->history().stepCount(); }
    ObjectList& objects() { return document->objects(); }
    text::TextObject& textAt(int index) { return *objects().get<text::TextObject>(index); }
    ClipartObject& clipartAt(int index) { return *objects().get<ClipartObject>(index); }

    void drag(QPoint from, QPoint to) {
        document->ButtonDown(from.x(), from.y());
        document->MouseMove((from.x() + to.x()) / 2, (from.y() + to.y()) / 2);
        document->MouseMove(to.x(), to.y());
        document->ButtonUp();
    }
    int placeText(int x, int y) {
        document->SetTool(ToolText);
        document->PlaceText(x, y);
        return objects().size() - 1;
    }
};

struct RecordingPlacement : ResourcePlacement {
    std::vector<std::string> calls;
    PlaceResult PlaceFrame(int index) override { return record("frame " + std::to_string(index)); }
    PlaceResult PlaceMask(int index) override { return record("mask " + std::to_string(index)); }
    PlaceResult PlaceClipart(int index, int x, int y) override {
        return record("clipart " + std::to_string(index) + " at " + std::to_string(x) + "," +
                      std::to_string(y));
    }
    PlaceResult PlaceDecoration(int index) override { return record("decoration " + std::to_string(index)); }
    PlaceResult record(std::string call) {
        calls.push_back(std::move(call));
        return PlaceResult::Placed;
    }
};

} // namespace

TEST_F(Manipulation, PressTakesTheTopmostObjectAndAMissDropsTheSelection) {
    objects().append(clipartWithRegion(100, 100, 300)); // 0: large, at the bottom
    objects().append(ColourAdjustment{});               // never hit
    objects().append(clipartWithRegion(250, 250, 100)); // 2: over the first
    objects().append(BrushStrokeObject{});              // never hit
    document->SetTool(ToolClipart);

    EXPECT_TRUE(document->ButtonDown(300, 300)); // in both: the upper one
    document->ButtonUp();
    EXPECT_EQ(clipartAt(2).selected, 1);
    EXPECT_EQ(clipartAt(0).selected, 0);

    EXPECT_TRUE(document->ButtonDown(120, 120)); // only in the lower one
    document->ButtonUp();
    EXPECT_EQ(clipartAt(0).selected, 1);
    EXPECT_EQ(clipartAt(2).selected, 0);

    const int before = steps();
    EXPECT_FALSE(document->ButtonDown(700, 500)); // on nothing: the selection is dropped
    document->ButtonUp();
    EXPECT_EQ(clipartAt(0).selected, 0);
    EXPECT_EQ(clipartAt(2).selected, 0);
    EXPECT_EQ(steps(), before);
}

TEST_F(Manipulation, TextsAreHitByRectangleUnlessReserved) {
    const int text = placeText(300, 300);
    objects().append(clipartWithRegion(200, 200, 300)); // a clipart over the text
    textAt(text).selected = 0;
    EXPECT_TRUE(document->ButtonDown(textAt(text).left, textAt(text).top));
    document->ButtonUp();
    EXPECT_EQ(clipartAt(1).selected, 1); // the clipart lies above

    objects().move(1, 0); // now the text is on top
    EXPECT_TRUE(document->ButtonDown(textAt(1).left, textAt(1).top));
    document->ButtonUp();
    EXPECT_EQ(textAt(1).selected, 1);
    EXPECT_EQ(document->activeText(), 1);
    EXPECT_EQ(listener.editedTexts.back(), "Hello");

    textAt(1).reserved = 1;
    textAt(1).selected = 0;
    EXPECT_TRUE(document->ButtonDown(textAt(1).left, textAt(1).top));
    document->ButtonUp();
    EXPECT_EQ(clipartAt(0).selected, 1); // the reserved text is passed over
}

TEST_F(Manipulation, DraggingAPictureRecordsOneStepAndUndoPutsItBack) {
    objects().append(clipartWithRegion(100, 100, 100, 10, 20));
    document->RecordObjectStep();
    document->SetTool(ToolClipart);
    const int before = steps();

    document->ButtonDown(150, 150);
    EXPECT_EQ(document->MouseMove(160, 155), PointerCursor::Move);
    document->MouseMove(180, 170);
    EXPECT_EQ(steps(), before); // nothing recorded while moving
    // Canvas pixels: twice the window travel of (30, 20).
    EXPECT_EQ(clipartAt(0).offsetX, 70);
    EXPECT_EQ(clipartAt(0).offsetY, 60);
    document->ButtonUp();
    EXPECT_EQ(steps(), before + 1);

    document->undo();
    EXPECT_EQ(objects().get<ClipartObject>(0)->offsetX, 10);
    EXPECT_EQ(objects().get<ClipartObject>(0)->offsetY, 20);
}

TEST_F(Manipulation, PicturesDoNotMoveInTheCropTool) {
    objects().append(clipartWithRegion(100, 100, 100));
    document->SetTool(ToolClipart);
    document->ButtonDown(150, 150);
    document->SetTool(ToolCrop);
    document->MouseMove(300, 300);
    document->ButtonUp();
    EXPECT_EQ(clipartAt(0).offsetX, 0);
}

TEST_F(Manipulation, DraggingATextKeepsItInTheViewAndUndoReturnsIt) {
    const int text = placeText(100, 100);
    const Rect placed{textAt(text).left, textAt(text).top, textAt(text).right, textAt(text).bottom};
    const int before = steps();

    drag({110, 110}, {160, 140});
    EXPECT_EQ(textAt(text).left, 150);
    EXPECT_EQ(textAt(text).top, 130);
    EXPECT_EQ(steps(), before + 1);

    drag({160, 140}, {2000, 2000}); // far past the view: it stops at its right and bottom
    EXPECT_EQ(textAt(text).right, 810);
    EXPECT_EQ(textAt(text).bottom, 610);
    EXPECT_EQ(textAt(text).right - textAt(text).left, placed.width());

    document->undo();
    document->undo();
    EXPECT_EQ(textAt(text).left, placed.left);
    EXPECT_EQ(textAt(text).top, placed.top);
}

TEST_F(Manipulation, SizingATextFromEachHandleScalesItsFontAndKeepsTheOppositeEdges) {
    for (int handle = 0; handle < kHandleCount; ++handle) {
        SCOPED_TRACE(testing::Message() << "handle " << handle);
        document.reset(); // the old document's undo file goes before the new one starts
        document = std::make_unique<WorkspaceDocument>(folder.path(), listener, QSize(820, 620));
        SetUp();
        const int text = placeText(200, 200);
        const Rect start{textAt(text).left, textAt(text).top, textAt(text).right, textAt(text).bottom};
        const int startHeight = textAt(text).font.height;
        const int before = steps();

        // Pull the handle a third of the way into the text.
        const QPoint grab = centre(WorkspaceDocument::HandleRects(start)[static_cast<std::size_t>(handle)]);
        const QPoint towards = centre(start) - grab;
        ASSERT_TRUE(document->ButtonDown(grab.x(), grab.y()));
        EXPECT_EQ(document->MouseMove(grab.x(), grab.y()), handleCursor(handle));
        document->MouseMove(grab.x() + towards.x() / 3, grab.y() + towards.y() / 3);
        document->ButtonUp();

        const text::TextObject& sized = textAt(text);
        EXPECT_LT(sized.font.height, startHeight);
        EXPECT_GT(sized.font.height, startHeight / 3);
        // The edges opposite the handle stay; the right and bottom edges otherwise follow the text's new
        // measured size.
        const bool movesLeft = handle <= 2;
        const bool movesTop = handle == 0 || handle == 6 || handle == 7;
        EXPECT_TRUE(movesLeft || sized.left == start.left);
        EXPECT_TRUE(!movesLeft || sized.right == start.right);
        EXPECT_TRUE(movesTop || sized.top == start.top);
        EXPECT_TRUE(!movesTop || sized.bottom == start.bottom);

        EXPECT_EQ(steps(), before + 1);
        document->undo();
        EXPECT_EQ(textAt(text).font.height, startHeight);
        EXPECT_EQ(textAt(text).left, start.left);
    }
}

TEST_F(Manipulation, ATextHandlePressedWithoutMovingRecordsNothing) {
    const int text = placeText(200, 200);
    const Rect start{textAt(text).left, textAt(text).top, textAt(text).right, textAt(text).bottom};
    const int before = steps();
    const QPoint grab = centre(WorkspaceDocument::HandleRects(start)[4]);
    document->ButtonDown(grab.x(), grab.y());
    document->ButtonUp();
    EXPECT_EQ(steps(), before);
}

TEST_F(Manipulation, ConstrainedCropKeepsItsRatioFromEveryCornerAndHidesEdgeHandles) {
    document->SetTool(ToolCrop);
    const std::pair<float, float> ratios[] = {{4, 3}, {4, 6}, {5, 7}, {6, 8}, {7, 10}, {10, 8}, {12, 10}};
    for (const auto& [a, b] : ratios) {
        document->SetCropAspect(a, b);
        for (int handle : {0, 2, 4, 6}) {
            for (const QPoint& to : {QPoint(300, 250), QPoint(-100, 900), QPoint(900, -100)}) {
                const Rect start = document->cropRect();
                const QPoint grab =
                    centre(WorkspaceDocument::HandleRects(start)[static_cast<std::size_t>(handle)]);
                drag(grab, to);
                const Rect crop = document->cropRect();
                SCOPED_TRACE(testing::Message() << a << ":" << b << " handle " << handle);
                EXPECT_NEAR(crop.width() * b, crop.height() * a, std::max(a, b));
                EXPECT_GE(crop.left, 10);
                EXPECT_GE(crop.top, 10);
                EXPECT_LE(crop.right, 810);
                EXPECT_LE(crop.bottom, 610);
            }
            document->SetCropAspect(a, b); // a fresh seat for the next corner
        }
        // The edge handles can be neither grabbed nor hovered.
        const Rect before = document->cropRect();
        const QPoint edge = centre(WorkspaceDocument::HandleRects(before)[5]);
        EXPECT_NE(document->MouseMove(edge.x(), edge.y()), PointerCursor::SizeHorizontal);
        EXPECT_FALSE(document->ButtonDown(edge.x(), edge.y()));
        document->MouseMove(edge.x() + 100, edge.y());
        document->ButtonUp();
        EXPECT_EQ(document->cropRect(), before);
    }

    document->setCropRect({200, 150, 500, 400});
    document->SetCropAspect(0, 0); // the constraint goes, the rectangle stays
    const Rect kept = document->cropRect();
    EXPECT_FALSE(document->cropAspect().constrained);
    EXPECT_EQ(kept, (Rect{200, 150, 500, 400}));
    const QPoint edge = centre(WorkspaceDocument::HandleRects(kept)[5]);
    EXPECT_EQ(document->MouseMove(edge.x(), edge.y()), PointerCursor::SizeHorizontal);
    drag(edge, {edge.x() + 40, edge.y() + 70});
    // The handle's centre lies 4 pixels right of the edge.
    EXPECT_EQ(document->cropRect(), (Rect{kept.left, kept.top, kept.right + 44, kept.bottom}));
}

TEST_F(Manipulation, MovingTheCropStaysInTheViewAndIsNoUndoStep) {
    document->SetTool(ToolCrop);
    const Rect start = document->cropRect();
    const int before = steps();
    const QPoint inside = centre(start);
    EXPECT_EQ(document->MouseMove(inside.x(), inside.y()), PointerCursor::Move);
    drag(inside, {inside.x() - 30, inside.y() + 20});
    EXPECT_EQ(document->cropRect(),
              (Rect{start.left - 30, start.top + 20, start.right - 30, start.bottom + 20}));
    drag(inside, {-500, -500});
    EXPECT_EQ(document->cropRect().left, 10);
    EXPECT_EQ(document->cropRect().top, 10);
    EXPECT_EQ(document->cropRect().width(), start.width());
    EXPECT_EQ(steps(), before);
}

TEST_F(Manipulation, BrushStrokeStampsTheFirstPointThenAlongTheWay) {
    document->setBrushPictures({QImage(20, 10, QImage::Format_ARGB32)});
    document->brush().paintingEnabled = true;
    document->brush().size = 40;
    document->brush().angle = 30;
    document->brush().opacity = 200;

    EXPECT_FALSE(document->ButtonDown(400, 300)); // no tip chosen yet: nothing to paint with
    document->brush().tipIndex = 0;
    EXPECT_EQ(document->MouseMove(400, 300), PointerCursor::Brush);
    ASSERT_TRUE(document->ButtonDown(420, 330));
    ASSERT_EQ(objects().size(), 1);
    const auto& stroke = *objects().get<BrushStrokeObject>(0);
    // From the canvas centre in canvas pixels: (420 - 400 - 10) × 2, (330 - 300 - 10) × 2.
    EXPECT_EQ(stroke.xs.front(), 20);
    EXPECT_EQ(stroke.ys.front(), 40);
    EXPECT_FLOAT_EQ(stroke.scales.front(), 2.0f);
    EXPECT_FLOAT_EQ(stroke.angles.front(), 30.0f);
    EXPECT_EQ(stroke.opacities.front(), 200);
    EXPECT_EQ(stroke.tipWidth, 20);
    EXPECT_TRUE(document->modified());

    // 23 window pixels are 46 canvas pixels: four more stamps, a quarter of the size (10) apart.
    for (int i = 1; i <= 23; ++i)
        document->MouseMove(420 + i, 330);
    EXPECT_EQ(stroke.xs.size(), 5u);
    EXPECT_EQ(stroke.xs[1], 30);
    document->ButtonUp();

    // The stroke flattened first; one Undo takes back both steps.
    EXPECT_TRUE(document->history().step(document->history().position() - 1).imageStep);
    document->undo();
    EXPECT_TRUE(objects().empty());
    EXPECT_FALSE(document->canUndo());
}

TEST_F(Manipulation, TheBrushCursorIsTheChosenTipAsTheViewShowsIt) {
    EXPECT_TRUE(document->brushCursorImage().isNull()); // no tip chosen
    QImage tip(20, 10, QImage::Format_ARGB32);
    tip.fill(qRgba(0, 0, 0, 255));
    document->setBrushPictures({tip});
    document->brush().tipIndex = 0;
    document->brush().size = 40; // canvas pixels: 20 on screen at half size
    EXPECT_EQ(document->brushCursorImage().width(), (20 + 4) | 1);
    document->brush().tipIndex = 1; // a tip whose picture is not known
    EXPECT_TRUE(document->brushCursorImage().isNull());
}

TEST_F(Manipulation, AFastDragLaysStampsAQuarterOfTheSizeApartAndARecipeStampOnlyWhereAsked) {
    document->setBrushPictures({QImage(10, 10, QImage::Format_ARGB32)});
    document->brush() = {0, true, 0, 255, 40, 0};
    document->ButtonDown(110, 310); // canvas offset (-600, 0)
    const auto& stroke = *objects().get<BrushStrokeObject>(0);
    // One report 100 window pixels on: 200 canvas pixels filled with a stamp every 10.
    document->MouseMove(210, 310);
    ASSERT_EQ(stroke.xs.size(), 21u);
    for (std::size_t i = 0; i < stroke.xs.size(); ++i) {
        EXPECT_EQ(stroke.xs[i], -600 + 10 * static_cast<int>(i)) << "stamp " << i;
        EXPECT_EQ(stroke.ys[i], 0);
    }
    // The next is measured from the last stamp, also where the way bends: none until it is 10 away.
    for (int x = 211; x <= 212; ++x)
        document->MouseMove(x, 310);
    EXPECT_EQ(stroke.xs.size(), 21u);
    document->MouseMove(212, 313);
    document->MouseMove(215, 313);
    ASSERT_EQ(stroke.xs.size(), 22u);
    // A stamp beyond the canvas would paint nothing: a drag out of the window lays none there.
    document->MouseMove(-2000, 313);
    EXPECT_LT(stroke.xs.size(), 22u + 80u);
    EXPECT_GT(*std::min_element(stroke.xs.begin(), stroke.xs.end()), -800 - 30);

    // A recipe's stamps go where they are asked and nowhere between, however close or far apart.
    const std::size_t before = stroke.xs.size();
    document->StampStroke(410, 310);
    document->StampStroke(411, 310);
    document->StampStroke(810, 310);
    ASSERT_EQ(stroke.xs.size(), before + 3);
    EXPECT_EQ(stroke.xs[before], 0);
    EXPECT_EQ(stroke.xs[before + 1], 2);
    EXPECT_EQ(stroke.xs[before + 2], 800);
    document->ButtonUp();
    document->StampStroke(410, 310); // no stroke in progress
    EXPECT_EQ(stroke.xs.size(), before + 3);
}

TEST_F(Manipulation, StackingCommandsOnFourObjects) {
    // clipart, text, clipart, text; the lower clipart selected.
    objects().append(clipartWithRegion(0, 0, 10));
    objects().append(text::TextObject{});
    objects().append(clipartWithRegion(0, 0, 10));
    objects().append(text::TextObject{});
    clipartAt(0).selected = 1;
    clipartAt(0).resourceIndex = 7;
    auto selectedAt = [&]() {
        for (int i = 0; i < objects().size(); ++i)
            if (auto* c = objects().get<ClipartObject>(i); c && c->resourceIndex == 7)
                return i;
        return -1;
    };

    document->SetTool(ToolFrame); // other tools only recompose
    document->BringToFront();
    EXPECT_EQ(selectedAt(), 0);
    EXPECT_EQ(steps(), 0);

    document->SetTool(ToolClipart);
    document->BringForward();
    EXPECT_EQ(selectedAt(), 1);
    EXPECT_EQ(objects().kinds(), (std::vector<int>{Text, Clipart, Clipart, Text}));
    document->BringToFront();
    EXPECT_EQ(selectedAt(), 3);
    const int afterFront = steps();
    document->BringForward(); // already on top: nothing moves, nothing is recorded
    EXPECT_EQ(steps(), afterFront);
    document->SendBackward();
    EXPECT_EQ(selectedAt(), 2);
    document->SendToBack();
    EXPECT_EQ(selectedAt(), 0);
    EXPECT_EQ(objects().size(), 4);
    EXPECT_EQ(objects().kinds().size(), 4u);
    EXPECT_EQ(objects().kinds(), (std::vector<int>{Clipart, Text, Clipart, Text}));
    EXPECT_EQ(steps(), 4);

    document->undo(); // back to where SendToBack found it
    EXPECT_EQ(selectedAt(), 2);
}

TEST_F(Manipulation, TheActiveTextFollowsItsObjectWhenTheOrderChanges) {
    placeText(100, 100);
    placeText(300, 300);
    objects().append(clipartWithRegion(0, 0, 10));
    ASSERT_EQ(document->activeText(), 1);
    document->SendToBack();
    EXPECT_EQ(document->activeText(), 0);
    EXPECT_EQ(textAt(0).selected, 1);
    document->BringToFront();
    EXPECT_EQ(document->activeText(), 2);
}

TEST_F(Manipulation, DeleteRemovesASelectedTextOrClipartButNeverAFrame) {
    FrameObject frame;
    frame.selected = 1;
    objects().append(frame);
    document->DeleteSelected();
    EXPECT_EQ(objects().size(), 1);
    EXPECT_EQ(steps(), 0); // nothing deleted, nothing recorded

    objects().append(clipartWithRegion(0, 0, 10));
    clipartAt(1).selected = 1;
    document->SetTool(ToolClipart);
    document->DeleteSelected();
    EXPECT_EQ(objects().kinds(), (std::vector<int>{Frame}));
    EXPECT_EQ(steps(), 1);

    const int text = placeText(100, 100);
    ASSERT_EQ(document->activeText(), text);
    document->DeleteSelected();
    EXPECT_EQ(document->activeText(), -1);
    EXPECT_FALSE(objects().contains(Text));
}

TEST_F(Manipulation, ArrowNudgesAreOneUndoStepPerSeries) {
    objects().append(clipartWithRegion(100, 100, 50, 5, 5));
    clipartAt(0).selected = 1;
    document->RecordObjectStep();
    document->SetTool(ToolClipart);
    const int before = steps();

    EXPECT_TRUE(document->NudgeSelected(1, 0));
    EXPECT_TRUE(document->NudgeSelected(1, 0));
    EXPECT_TRUE(document->NudgeSelected(0, -10));
    EXPECT_EQ(steps(), before);
    document->EndNudge();
    document->EndNudge(); // a second release without a move records nothing
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(clipartAt(0).offsetX, 7);
    EXPECT_EQ(clipartAt(0).offsetY, -5);
    document->undo();
    EXPECT_EQ(clipartAt(0).offsetX, 5);

    document->SetTool(ToolCrop); // the crop tool drags no objects, so nudges none
    EXPECT_FALSE(document->NudgeSelected(1, 1));
}

TEST_F(Manipulation, ANudgedTextMovesAtLeastOneWindowPixel) {
    const int text = placeText(100, 100);
    EXPECT_TRUE(document->NudgeSelected(1, 0)); // half a window pixel: one
    EXPECT_EQ(textAt(text).left, 101);
    EXPECT_TRUE(document->NudgeSelected(0, 10)); // five window pixels
    EXPECT_EQ(textAt(text).top, 105);
    document->EndNudge();
    document->undo();
    EXPECT_EQ(textAt(text).left, 100);
}

TEST_F(Manipulation, ContextMenuSelectsATextByItsLabelSquareWithoutStartingADrag) {
    const int text = placeText(200, 200);
    const int left = textAt(text).left;
    const int centreX = (left + textAt(text).right) / 2;
    document->ClearSelection();
    document->ContextMenuAt(centreX, 200 - 16); // the square above the top edge
    EXPECT_EQ(textAt(text).selected, 1);
    EXPECT_FALSE(document->dragging());
    document->MouseMove(centreX + 100, 300);
    EXPECT_EQ(textAt(text).left, left);

    document->ContextMenuAt(700, 500);
    EXPECT_EQ(textAt(text).selected, 0);

    document->SetTool(ToolClipart);
    document->ContextMenuAt(centreX, 200 - 16);
    EXPECT_EQ(textAt(text).selected, 0); // the text tool only
}

TEST_F(Manipulation, DroppedThumbnailsGoToTheirPlacingOperation) {
    document->DropThumbnail(code(resources::ResourceCategory::Cliparts), 1, 50,
                            60); // no library to place from: no effect
    RecordingPlacement placement;
    document->setResourcePlacement(&placement);
    document->DropThumbnail(code(resources::ResourceCategory::Frames), 3, 50, 60);
    document->DropThumbnail(code(resources::ResourceCategory::Masks), 4, 50, 60);
    document->DropThumbnail(code(resources::ResourceCategory::Cliparts), 5, 50, 60);
    document->DropThumbnail(code(resources::ResourceCategory::Decorations), 6, 50, 60);
    document->DropThumbnail(code(resources::ResourceCategory::Brushes), 7, 50, 60);
    document->DropThumbnail(42, 8, 50, 60);
    EXPECT_EQ(placement.calls,
              (std::vector<std::string>{"frame 3", "mask 4", "clipart 5 at 50,60", "decoration 6"}));
}
