// Edits saved as a recipe and run again on the same photo, on a library of the test's own.
#include "../resources/library_fixture.h"
#include "recipe/recipe_runner.h"
#include "recipe/recipe_writer.h"
#include "workspace/decorations/decoration_geometry.h"
#include "workspace/document.h"
#include "workspace/manipulation/picture_handles.h"

#include <gtest/gtest.h>

using namespace recipe;
using namespace workspace;
namespace files = resources::files;

namespace {

QImage solid(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

struct SavedRecipe : resources_test::LibraryTest {
    RecipeLibrary library;
    UnwatchedDocument listener;

    void SetUp() override {
        const resources::PhotoHole hole{0.2f, 0.2f, 0.8f, 0.8f};
        writeData(files::kFrames, resources_test::encodedList({solid(200, 150, qRgb(200, 0, 0))}, {hole}));
        writeData(files::kMasks, resources_test::encodedList({resources_test::testPicture(64, 48, 3)}));
        writeData(files::kDecorations, resources_test::encodedList({solid(100, 75, qRgba(0, 0, 0, 60))}));
        writeData(files::kCliparts, resources_test::rawList({solid(40, 20, qRgb(0, 200, 0)),
                                                             solid(10, 10, qRgba(0, 0, 200, 128))}));
        writeData(files::kBrushTips, resources_test::rawList({solid(4, 4, qRgba(0, 0, 0, 255))}));
        library = openRecipeLibrary(platform::Folders(root_.path()));
    }

    // A photo of colour ramps (1600 × 1200 unless told) in the default 1280 × 800 view, where the view
    // skips photo pixels.
    std::unique_ptr<WorkspaceDocument> photoDocument(QSize size = {1600, 1200}) {
        auto document = std::make_unique<WorkspaceDocument>(root_.path(), listener, QSize(1280, 800),
                                                            library.library.get());
        document->shareResourcePictures(library.pictures);
        document->setBrushPictures(library.brushTips);
        imaging::PhotoBuffer photo;
        photo.width = size.width();
        photo.height = size.height();
        photo.bgr.resize(static_cast<std::size_t>(size.width()) * size.height() * 3u);
        for (int y = 0; y < photo.height; ++y)
            for (int x = 0; x < photo.width; ++x) {
                std::uint8_t* pixel = photo.row(y) + x * 3;
                pixel[0] = static_cast<std::uint8_t>(x * 7);
                pixel[1] = static_cast<std::uint8_t>(y);
                pixel[2] = static_cast<std::uint8_t>((x + y) / 12);
            }
        document->setLoadedPicture(std::move(photo), false, 0, QStringLiteral("photo.jpg"));
        document->keepLoadedPhoto();
        return document;
    }

    imaging::Outcome run(const QByteArray& json, WorkspaceDocument& document) {
        const ReadRecipe read = readRecipe(json);
        EXPECT_TRUE(read.recipe) << read.problem.toStdString();
        if (!read.recipe)
            return imaging::Outcome::failure("unreadable");
        return runSteps(*read.recipe, RunSettings{QStringLiteral("DejaVu Sans"), library}, document);
    }

    static void placeText(WorkspaceDocument& document, const char* words, int x, int y,
                          bool centred = false) {
        text::TextObject& panel = document.textTemplate();
        text::setFaceName(panel.font, u"DejaVu Sans");
        panel.font.height = 0;
        panel.style = 3;
        panel.colour = text::rgb(250, 240, 10);
        panel.secondColour = text::rgb(10, 20, 200);
        text::setText(panel, QString::fromUtf8(words));
        document.SetTool(ToolText);
        if (centred)
            document.PlaceTextCentred(x, y);
        else
            document.PlaceText(x, y);
    }
};

// A press, the mouse moved there in two reports, and the release.
void drag(WorkspaceDocument& document, QPointF from, QPointF to) {
    const QPoint a = from.toPoint();
    const QPoint b = to.toPoint();
    document.ButtonDown(a.x(), a.y());
    document.MouseMove((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
    document.MouseMove(b.x(), b.y());
    document.ButtonUp();
}

// The handles of the first clipart on the photo.
PictureHandles clipartHandles(const WorkspaceDocument& document, int index) {
    const ClipartObject& clipart = *document.objects().get<ClipartObject>(index);
    return pictureHandles(
        clipartTransform(clipart, document.viewRect(), document.canvasWidth(), document.canvasHeight()),
        clipart.width, clipart.height);
}

} // namespace

TEST_F(SavedRecipe, RunOnTheSamePhotoItGivesTheExportsPixelsAndWhatItCannotStateIsRefused) {
    std::unique_ptr<WorkspaceDocument> edited = photoDocument();
    auto steps = [](const char* list) { return QByteArray(R"({"recipe": 1, "steps": [)") + list + "]}"; };
    ASSERT_TRUE(run(steps(R"({"op": "frame", "index": 0, "scale": 0.75, "angle": 10, "offset": [31, -17]})"),
                    *edited));
    // Placed, moved, sized and turned as the mouse, the arrow keys and the dials do, at window points
    // between the photo pixels a step can name.
    edited->SetTool(ToolClipart);
    ASSERT_EQ(edited->PlaceClipart(0, 333, 211), PlaceResult::Placed);
    ASSERT_TRUE(edited->NudgeSelected(3, -7));
    ASSERT_TRUE(edited->SetSelectedScale(37));
    ASSERT_TRUE(edited->SetSelectedAngle(-25));
    ASSERT_EQ(edited->PlaceClipart(1, 901, 645), PlaceResult::Placed);
    placeText(*edited, "Summer", 401, 377);
    ASSERT_TRUE(run(steps(R"({"op": "stroke", "tip": 0, "colour": "#20C040", "size": 24, "opacity": 180,
                              "points": [[300, 900], [333, 917], [371, 950]]},
                             {"op": "adjust", "contrast": 130, "hue": 20},
                             {"op": "filter", "menu": "linear", "name": "Sharpen"})"),
                    *edited));
    edited->SetTool(ToolCrop);
    edited->setCropRect({157, 91, 1003, 707});
    ASSERT_TRUE(edited->FlattenIntoPhoto(true));
    placeText(*edited, "at the sea", 513, 600);

    const WrittenRecipe written = writeRecipe(*edited);
    ASSERT_TRUE(written.problem.isEmpty()) << written.problem.toStdString();
    const std::optional<imaging::PhotoBuffer> exported = edited->flattenForExport(false);
    ASSERT_TRUE(exported);

    std::unique_ptr<WorkspaceDocument> again = photoDocument();
    ASSERT_TRUE(run(written.json, *again));
    const std::optional<imaging::PhotoBuffer> replayed = again->flattenForExport(false);
    ASSERT_TRUE(replayed);
    EXPECT_EQ(replayed->width, exported->width);
    EXPECT_EQ(replayed->height, exported->height);
    EXPECT_TRUE(replayed->bgr == exported->bgr);

    // A calendar is drawn again from its month; a pasted picture is the document's own and no step names
    // it, so nothing is written.
    ASSERT_TRUE(run(steps(R"({"op": "calendar", "year": 2026, "month": 5, "offset": [7, 3]})"), *edited));
    EXPECT_TRUE(writeRecipe(*edited).json.contains(R"("op": "calendar")"));
    const std::vector<std::uint8_t> pasted(16u * 16u * 4u, 200);
    ASSERT_TRUE(edited->PlaceMemoryClipart(pasted, 16, 16, 600, 400));
    const WrittenRecipe refused = writeRecipe(*edited);
    EXPECT_TRUE(refused.json.isEmpty());
    EXPECT_TRUE(refused.problem.contains(QStringLiteral("pasted"))) << refused.problem.toStdString();
}

TEST_F(SavedRecipe, InFractionsOfThePhotoACaptionKeepsItsPlaceOnLandscapePortraitAndSquarePhotos) {
    std::unique_ptr<WorkspaceDocument> edited = photoDocument();
    placeText(*edited, "Happy birthday", 640, 700, true); // bottom middle of the 1040 × 780 view
    const WrittenRecipe written = writeRecipe(*edited);
    ASSERT_TRUE(written.problem.isEmpty()) << written.problem.toStdString();
    // The text's rectangle as fractions of the photo.
    const auto placeOf = [](const WorkspaceDocument& document) {
        const text::TextObject& text = *document.objects().get<text::TextObject>(0);
        const Rect& view = document.viewRect();
        const auto x = [&](int window) { return double(window - view.left) / view.width(); };
        const auto y = [&](int window) { return double(window - view.top) / view.height(); };
        return QRectF(QPointF(x(text.left), y(text.top)), QPointF(x(text.right), y(text.bottom)));
    };
    const QRectF landscape = placeOf(*edited);

    for (const QSize size : {QSize(1600, 1200), QSize(900, 1600), QSize(1000, 1000)}) {
        SCOPED_TRACE(size.width());
        std::unique_ptr<WorkspaceDocument> photo = photoDocument(size);
        ASSERT_TRUE(run(written.json, *photo));
        const QRectF place = placeOf(*photo);
        EXPECT_NEAR(place.center().x(), landscape.center().x(), 0.02);
        EXPECT_NEAR(place.center().y(), landscape.center().y(), 0.02);
        EXPECT_TRUE(QRectF(0, 0, 1, 1).contains(place)) << place.left() << " " << place.right();
        // Its height is the same share of the shorter side.
        EXPECT_NEAR(photo->objects().get<text::TextObject>(0)->font.height,
                    120.0 * std::min(size.width(), size.height()) / 1200, 1);
    }
}

// Everything done with the mouse, the zoom keys and the menus, the way a user decorates, in a view that
// skips photo pixels, zoomed in where it shows every one, and on a photo cropped small enough to be
// shown enlarged.
TEST_F(SavedRecipe, MouseEditsZoomedInOrNotGiveTheExportsPixelsAgain) {
    std::unique_ptr<WorkspaceDocument> edited = photoDocument();
    edited->SetTool(ToolClipart);
    // One clipart sized down by a corner handle as far as it goes, another sized up and turned.
    ASSERT_EQ(edited->PlaceClipart(0, 333, 211), PlaceResult::Placed);
    drag(*edited, clipartHandles(*edited, 0).points[2], {333, 211});
    EXPECT_EQ(edited->objects().get<ClipartObject>(0)->scale, kMinimumObjectScale);
    ASSERT_EQ(edited->PlaceClipart(1, 700, 300), PlaceResult::Placed);
    drag(*edited, clipartHandles(*edited, 1).points[1], {731, 262});
    drag(*edited, clipartHandles(*edited, 1).points[kTurnHandle], {741, 289});
    // An export between two cliparts fixes the first ones into the photo.
    ASSERT_TRUE(edited->flattenForExport(false));
    ASSERT_EQ(edited->PlaceClipart(0, 500, 500), PlaceResult::Placed);
    // A decoration dragged off its place.
    edited->SetTool(ToolDecoration);
    ASSERT_EQ(edited->PlaceDecoration(0), PlaceResult::Placed);
    drag(*edited, {640, 400}, {657, 389});
    // A long scribble, more stamps than a step holds, and a short stroke.
    edited->SetBrush(0, true, 30, 180, 16, text::rgb(20, 200, 90));
    edited->ButtonDown(200, 150);
    for (int sweep = 0; sweep < 36; ++sweep)
        edited->MouseMove(sweep % 2 == 0 ? 1003 : 201, 150 + sweep * 13);
    edited->ButtonUp();
    EXPECT_GT(edited->objects().get<BrushStrokeObject>(0)->xs.size(), std::size_t{kMaxPoints});
    edited->SetBrush(0, true, 0, 255, 40, text::rgb(200, 20, 90));
    drag(*edited, {700, 600}, {911, 517});
    edited->SetBrush(0, false, 0, 255, 40, 0);
    // A mask over a background colour, then over the picture set as the background.
    edited->SetBackgroundColour(text::rgb(30, 90, 160));
    edited->SetTool(ToolMask);
    ASSERT_EQ(edited->PlaceMask(0), PlaceResult::Placed);
    ASSERT_TRUE(edited->SetImageAsBackground());
    ASSERT_EQ(edited->PlaceMask(0), PlaceResult::Placed);
    // A text placed and dragged while zoomed in, cropped in that view, and zoomed in again for Set Current
    // Image as Background in the crop tool, which cuts the photo to the rectangle as well.
    edited->setZoom(1.3, {500, 400});
    placeText(*edited, "Summer", 401, 377);
    drag(*edited, {420, 390}, {473, 402});
    edited->SetTool(ToolCrop);
    edited->setCropRect({151, 103, 1149, 751});
    ASSERT_TRUE(edited->FlattenIntoPhoto(true));
    edited->setZoom(2.0, {640, 400});
    edited->setCropRect({101, 61, 1181, 741});
    ASSERT_TRUE(edited->SetImageAsBackground());
    ASSERT_GT(edited->viewRect().width(), edited->canvasWidth()); // fitted, it is shown enlarged
    // A text placed in that view, another placed and dragged while zoomed in.
    placeText(*edited, "Lake", 401, 377);
    edited->setZoom(3.1, {600, 420});
    placeText(*edited, "at the sea", 513, 600);
    drag(*edited, {530, 610}, {601, 583});

    const WrittenRecipe written = writeRecipe(*edited);
    ASSERT_TRUE(written.problem.isEmpty()) << written.problem.toStdString();
    const std::optional<imaging::PhotoBuffer> exported = edited->flattenForExport(false);
    ASSERT_TRUE(exported);
    std::unique_ptr<WorkspaceDocument> again = photoDocument();
    ASSERT_TRUE(run(written.json, *again));
    const std::optional<imaging::PhotoBuffer> replayed = again->flattenForExport(false);
    ASSERT_TRUE(replayed);
    EXPECT_EQ(replayed->width, exported->width);
    EXPECT_EQ(replayed->height, exported->height);
    EXPECT_TRUE(replayed->bgr == exported->bgr);

    // A background picture kept from before the photo's edits (as in collage mode) is not stated.
    edited->keepLoadedPhoto();
    edited->SetTool(ToolMask);
    ASSERT_EQ(edited->PlaceMask(0), PlaceResult::Placed);
    EXPECT_TRUE(writeRecipe(*edited).problem.contains(QStringLiteral("background sheet is a picture")));
}
