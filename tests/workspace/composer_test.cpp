#include "recorded_document.h"
#include "text/style_samples.h"
#include "support/temp_folder.h"
#include "workspace/document.h"

#include <gtest/gtest.h>

using namespace workspace;
using testing_support::TempFolder;

namespace {

const QRgb kHandle = qRgb(150, 200, 255);

bool isRed(const std::uint8_t* bgr) {
    return bgr[2] > 200 && bgr[1] < 80 && bgr[0] < 80;
}

// The box of strongly red pixels of a buffer, or an empty box.
QRect redBox(const imaging::PhotoBuffer& buffer) {
    QRect box;
    for (int y = 0; y < buffer.height; ++y)
        for (int x = 0; x < buffer.width; ++x)
            if (isRed(buffer.row(y) + x * 3))
                box |= QRect(x, y, 1, 1);
    return box;
}

int countColour(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
    return count;
}

struct Composer : ::testing::Test, RecordedDocument {
    void SetUp() override {
        imaging::PhotoBuffer photo;
        photo.width = 1600;
        photo.height = 1200;
        photo.bgr.assign(1600u * 1200u * 3u, 0xFF);
        document->setLoadedPicture(std::move(photo), false, 0, "p.jpg");
        document->keepLoadedPhoto();
        document->SetTool(ToolText);
        text::TextObject& style = document->textTemplate();
        style.font = text::makeLogFont(u"DejaVu Sans", 80);
        style.style = 0;
        style.colour = text::rgb(255, 0, 0);
        style.secondColour = text::rgb(255, 0, 0);
        text::setText(style, u"HH");
    }
};

} // namespace

TEST_F(Composer, ExportedTextIsPlacedByItsAnchorAtCanvasScale) {
    document->PlaceText(110, 110); // 100 view pixels in: 200 canvas pixels at half scale
    document->RenderPhotoArea();
    const QRect box = redBox(document->photo());
    ASSERT_FALSE(box.isEmpty());
    EXPECT_NEAR(box.left(), 200, 20);
    EXPECT_NEAR(box.top(), 200, 30);
    // The font is the canvas height (80), so the ink is about twice what the half-size view shows.
    EXPECT_GT(box.height(), 40);
}

TEST_F(Composer, TextKeepsItsPlaceInTheViewWhenTheWindowIsResized) {
    document->PlaceText(110, 110);
    const text::TextObject before = *document->objects().get<text::TextObject>(0);
    document->resizeClient(QSize(1220, 920)); // the view grows to 1200 × 900 at (10, 10)
    const text::TextObject after = *document->objects().get<text::TextObject>(0);
    EXPECT_EQ(document->viewRect(), (Rect{10, 10, 1210, 910}));
    EXPECT_EQ(after.left, 10 + (before.left - 10) * 1200 / 800);
    EXPECT_EQ(after.top, 10 + (before.top - 10) * 1200 / 800);
}

TEST_F(Composer, SelectedTextShowsHandlesOnScreenButNotInPreview) {
    document->PlaceText(110, 110);
    EXPECT_GT(countColour(document->backBuffer(), kHandle), 8 * 8 * 4);
    document->setPreviewing(true);
    document->resizeClient(QSize(820, 620));
    EXPECT_EQ(countColour(document->backBuffer(), kHandle), 0);
}

TEST_F(Composer, CropToolShowsTheOverlayOnlyOnScreen) {
    document->SetTool(ToolCrop);
    document->Recompose(false);
    const QImage& screen = document->backBuffer();
    // Inside the view, outside the crop rectangle: white photo tinted towards RGB(50, 100, 150).
    const QColor tinted = screen.pixelColor(20, 20);
    EXPECT_LT(tinted.red(), tinted.blue());
    EXPECT_GT(countColour(screen, kHandle), 0);
    // The same corner of the photo area stays white.
    document->RenderPhotoArea();
    EXPECT_EQ(document->photo().row(10)[0], 255);
}

TEST_F(Composer, MarginAroundTheViewIsTintedOnScreen) {
    document->Recompose(false);
    const QColor margin = document->backBuffer().pixelColor(2, 300);
    const QColor inside = document->backBuffer().pixelColor(400, 300);
    EXPECT_EQ(inside, QColor(Qt::white));
    EXPECT_LT(margin.red(), 255);
    EXPECT_GT(margin.red(), 150);
}

TEST_F(Composer, EveryStyleDrawsItsLettersInsideTheTextsSelectionBox) {
    // The box of clearly visible ink inside the view's frame; the faint edge of a glow spreads further.
    auto inkBox = [](const QImage& image, const Rect& view) {
        QRect box;
        for (int y = view.top + 2; y < view.bottom - 2; ++y)
            for (int x = view.left + 2; x < view.right - 2; ++x) {
                const QRgb p = image.pixel(x, y);
                if (std::max({255 - qRed(p), 255 - qGreen(p), 255 - qBlue(p)}) > 64)
                    box |= QRect(x, y, 1, 1);
            }
        return box;
    };
    for (int style = 0; style <= text::kStyleCount; ++style) { // the last is the fallback style
        document->objects().clear();
        text::TextObject& look = document->textTemplate();
        look.style = style;
        if (style < text::kStyleCount) {
            look.colour = text::kStyleSampleColours[static_cast<std::size_t>(style)].first;
            look.secondColour = text::kStyleSampleColours[static_cast<std::size_t>(style)].second;
        }
        text::setText(look, u"Beach Day");
        document->PlaceText(110, 110);
        document->ClearSelection(); // no handles
        document->Recompose(false);
        const text::TextObject& placed = *document->objects().get<text::TextObject>(0);
        const QRect selection(QPoint(placed.left, placed.top), QPoint(placed.right - 1, placed.bottom - 1));
        const QRect ink = inkBox(document->backBuffer(), document->viewRect());
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(selection.contains(ink)) << "style " << style;
        // Every letter can be clicked: the press at the right end of the ink takes the text.
        document->ButtonDown(ink.right(), ink.center().y());
        document->ButtonUp();
        EXPECT_EQ(placed.selected, 1) << "style " << style;
    }
}
