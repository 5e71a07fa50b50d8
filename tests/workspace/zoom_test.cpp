#include "recorded_document.h"

#include <gtest/gtest.h>
#include <cmath>
#include <random>

using namespace workspace;

namespace {

imaging::PhotoBuffer noisyPhoto(int width, int height) {
    imaging::PhotoBuffer photo;
    photo.width = width;
    photo.height = height;
    photo.bgr.resize(static_cast<std::size_t>(width) * height * 3);
    std::mt19937 random(7);
    for (std::uint8_t& byte : photo.bgr)
        byte = static_cast<std::uint8_t>(random());
    return photo;
}

// An opaque 40 × 40 clipart of pixels the document keeps.
std::vector<std::uint8_t> greenSquare() {
    std::vector<std::uint8_t> pixels(40 * 40 * 4, 0);
    for (std::size_t i = 0; i < pixels.size(); i += 4)
        pixels[i + 1] = pixels[i + 3] = 255;
    return pixels;
}

// A 1200 × 900 photo in the 820 × 620 window: fitted, the view is 800 × 600, a zoom of two thirds.
struct Zoom : ::testing::Test, RecordedDocument {
    void SetUp() override { load(noisyPhoto(1200, 900)); }

    // Where a canvas point lies in the window.
    QPointF windowPoint(double canvasX, double canvasY) const {
        const Rect& view = document->viewRect();
        return {view.left + canvasX * view.width() / document->canvasWidth(),
                view.top + canvasY * view.height() / document->canvasHeight()};
    }
    const ClipartObject& clipart() const { return *document->objects().get<ClipartObject>(0); }
};

TEST_F(Zoom, AnObjectIsHitAndDraggedAtTheSamePhotoPointsAtEveryZoom) {
    ASSERT_TRUE(document->PlaceMemoryClipart(greenSquare(), 40, 40, 410, 310));
    document->ClearSelection();
    for (const double zoom : {0.5, 0.0, 1.0, 4.0}) { // 0: fitted
        SCOPED_TRACE(zoom);
        const QPointF centre(600.0 + clipart().offsetX, 450.0 + clipart().offsetY);
        const QPoint anchor = windowPoint(centre.x(), centre.y()).toPoint();
        if (zoom == 0)
            document->fitToWindow();
        else
            document->setZoom(zoom, anchor);
        EXPECT_NEAR(document->zoom(), zoom == 0 ? 2.0 / 3 : zoom, 1e-3);

        // 25 photo pixels off the centre is on the clipart; 25 off its edge is not.
        const QPoint inside = windowPoint(centre.x() - 15, centre.y() + 15).toPoint();
        const QPoint beside = windowPoint(centre.x() + 45, centre.y()).toPoint();
        EXPECT_FALSE(document->ButtonDown(beside.x(), beside.y()));
        ASSERT_TRUE(document->ButtonDown(inside.x(), inside.y()));
        const int startX = clipart().offsetX;
        const int startY = clipart().offsetY;
        document->MouseMove(inside.x() + 20, inside.y() - 12);
        document->ButtonUp();
        const double perWindowPixel = 1.0 / document->zoom();
        EXPECT_NEAR(clipart().offsetX - startX, 20 * perWindowPixel, 1.0);
        EXPECT_NEAR(clipart().offsetY - startY, -12 * perWindowPixel, 1.0);
        document->ClearSelection();
    }

    // A text recorded in the fitted view comes back by Redo where the zoomed view shows it.
    document->fitToWindow();
    document->SetTool(ToolText);
    document->textTemplate().font = text::makeLogFont(u"DejaVu Sans", 40);
    document->PlaceText(200, 150);
    document->setZoom(2.0, QPoint(100, 100));
    const text::TextObject zoomed = *document->objects().get<text::TextObject>(0);
    document->undo();
    document->redo();
    ASSERT_EQ(document->objects().size(), 1);
    EXPECT_EQ(document->objects().get<text::TextObject>(0)->left, zoomed.left);
    EXPECT_EQ(document->objects().get<text::TextObject>(0)->top, zoomed.top);
    // A text added without a place goes to the middle of what the window shows, not of the whole photo.
    document->PlaceText();
    const text::TextObject& added = *document->objects().get<text::TextObject>(1);
    EXPECT_NEAR((added.left + added.right) / 2, 410, 1);
    EXPECT_NEAR((added.top + added.bottom) / 2, 310, 1);
}

TEST_F(Zoom, ASmallPhotoOpensFittedAndTheViewFollowsTheZoom) {
    load(noisyPhoto(16, 12));
    // Fitted into the window less 20 pixels, enlarged: 800 × 600, centred.
    EXPECT_EQ(document->viewRect(), (Rect{10, 10, 810, 610}));
    EXPECT_TRUE(document->viewFitted());
    document->setZoom(1.0, QPoint(410, 310));
    EXPECT_EQ(document->viewRect(), (Rect{402, 304, 418, 316}));

    // A large photo at 100 % is larger than the window: it covers it and pans only to its edges.
    load(noisyPhoto(1600, 1200));
    document->setZoom(1.0, QPoint(410, 310));
    EXPECT_EQ(document->viewRect(), (Rect{-390, -290, 1210, 910}));
    document->panBy(1000, -5);
    EXPECT_EQ(document->viewRect(), (Rect{0, -295, 1600, 905}));
    // The crop rectangle keeps its place on the photo.
    document->SetTool(ToolCrop);
    document->fitToWindow();
    const Rect fittedCrop = document->cropRect();
    document->setZoom(2.0, QPoint(100, 100));
    document->fitToWindow();
    EXPECT_EQ(document->cropRect(), fittedCrop);

    // A window resize keeps a fitted view fitted and a zoomed one at its zoom.
    document->resizeClient(QSize(420, 320));
    EXPECT_EQ(document->viewRect(), (Rect{10, 10, 410, 310}));
    document->setZoom(3.0, QPoint(0, 0));
    document->resizeClient(QSize(820, 620));
    EXPECT_DOUBLE_EQ(document->zoom(), 3.0);
    EXPECT_FALSE(document->viewFitted());

    // Preview shows the whole picture, and the zoomed view comes back where it was after it.
    const Rect zoomed = document->viewRect();
    document->setPreviewing(true);
    document->resizeClient(QSize(1000, 700));
    EXPECT_EQ(document->viewRect(), fittedViewRect(1600, 1200, 1000, 700));
    document->zoomBy(2.0, QPoint(10, 10));
    document->panBy(30, 30);
    EXPECT_EQ(document->viewRect(), fittedViewRect(1600, 1200, 1000, 700));
    document->setPreviewing(false);
    document->resizeClient(QSize(820, 620));
    EXPECT_EQ(document->viewRect(), zoomed);
}

// Exports render at canvas size: whatever the zoom, the same pixels; also after a brush stroke painted at
// that zoom, which first flattens the objects there.
TEST_F(Zoom, AnExportIsTheSameAtEveryZoom) {
    auto exported = [&](double zoom, bool wholeImage, bool paint) {
        RecordedDocument fresh;
        fresh.load(noisyPhoto(1200, 900));
        WorkspaceDocument& shown = *fresh.document;
        EXPECT_TRUE(shown.PlaceMemoryClipart(greenSquare(), 40, 40, 300, 200));
        shown.SetTool(ToolText);
        text::TextObject& style = shown.textTemplate();
        style.font = text::makeLogFont(u"DejaVu Sans", 60);
        text::setText(style, u"Zoom");
        shown.PlaceText(420, 330);
        EXPECT_TRUE(shown.PlaceMemoryClipart(greenSquare(), 40, 40, 500, 380)); // kept as an object
        if (zoom > 0)
            shown.setZoom(zoom, QPoint(430, 340));
        shown.panBy(-37, 21);
        if (paint) {
            QImage tip(16, 16, QImage::Format_ARGB32);
            tip.fill(Qt::black);
            shown.setBrushPictures({tip});
            shown.brush() = {0, true, 0, 255, 24, 0x0000ff};
            shown.ClearSelection();
            // From photo pixel (300, 300) to (780, 540): window pixels at every zoom tried here.
            const Rect view = shown.viewRect();
            auto at = [&](int x, int y) {
                return QPoint(view.left + x * view.width() / 1200, view.top + y * view.height() / 900);
            };
            EXPECT_TRUE(shown.ButtonDown(at(300, 300).x(), at(300, 300).y()));
            shown.MouseMove(at(780, 540).x(), at(780, 540).y());
            shown.ButtonUp();
        }
        return shown.flattenForExport(wholeImage);
    };
    for (const bool paint : {false, true}) {
        for (const bool whole : {false, true}) {
            const auto fitted = exported(0, whole, paint);
            ASSERT_TRUE(fitted);
            for (const double zoom : {0.5, 1.0, 8.0}) {
                const auto zoomed = exported(zoom, whole, paint);
                ASSERT_TRUE(zoomed);
                EXPECT_EQ(zoomed->width, fitted->width);
                EXPECT_TRUE(zoomed->bgr == fitted->bgr)
                    << "zoom " << zoom << (whole ? " whole" : " photo area") << (paint ? " painted" : "");
            }
        }
    }
}

} // namespace
