// Results at the original picture's size: the record of edits replayed on the original.
#include "../resources/library_fixture.h"
#include "imaging/files/photo_loading.h"
#include "imaging/filters/image_commands.h"
#include "imaging/reduce_by_area.h"
#include "recording_listener.h"
#include "resources/resource_library.h"
#include "resources/resource_types.h"
#include "text/calendar/calendar_picture.h"
#include "workspace/full_size_result.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

using namespace workspace;
using resources_test::encodedList;
using resources_test::rawList;
namespace files = resources::files;

namespace {

// A 4800 × 1200 original: opened as a 1600 × 400 working copy, a third of its size each way. In the
// 820 × 620 window the working copy shows at half size, in the view (10, 210)-(810, 410).
constexpr int kOriginalWidth = 4800;
constexpr int kOriginalHeight = 1200;

QImage originalPicture() {
    QImage image(kOriginalWidth, kOriginalHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, kOriginalWidth, kOriginalHeight);
    sky.setColorAt(0, QColor(60, 110, 190));
    sky.setColorAt(1, QColor(200, 170, 90));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 24; ++i) {
        painter.setBrush(QColor::fromHsv(i * 15, 160, 90 + i * 6));
        painter.drawEllipse(QPoint(150 + i * 200, 300 + (i % 5) * 160), 140, 110);
    }
    return image;
}

QImage solid(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

QImage framePicture(const resources::PhotoHole& hole) {
    QImage image = solid(400, 100, qRgb(150, 30, 40));
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(QRectF(hole.left * 400, hole.top * 100, (hole.right - hole.left) * 400,
                            (hole.bottom - hole.top) * 100),
                     Qt::transparent);
    return image;
}

QImage clipartPicture() {
    QImage image = solid(120, 120, qRgba(0, 0, 0, 0));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(250, 220, 40));
    painter.setPen(QPen(QColor(40, 40, 40), 6));
    painter.drawEllipse(QRect(10, 10, 100, 100));
    return image;
}

imaging::PhotoBuffer reducedTo(const imaging::PhotoBuffer& source, int width, int height) {
    imaging::PhotoBuffer reduced;
    reduced.width = width;
    reduced.height = height;
    reduced.bgr.resize(reduced.stride() * static_cast<std::size_t>(height));
    const imaging::SourceRows rows = [&source](int y) { return source.row(y); };
    EXPECT_TRUE(imaging::ReduceByArea(rows, imaging::SourceLayout{3, {0, 1, 2}}, source.width, source.height,
                                      reduced.bgr.data(), width, height));
    return reduced;
}

double psnrOfSquares(double squares, std::size_t count) {
    const double mean = squares / double(count);
    return mean == 0 ? 100.0 : 10.0 * std::log10(255.0 * 255.0 / mean);
}

double psnr(const imaging::PhotoBuffer& a, const imaging::PhotoBuffer& b) {
    double squares = 0;
    for (std::size_t i = 0; i < a.bgr.size(); ++i) {
        const double d = double(a.bgr[i]) - double(b.bgr[i]);
        squares += d * d;
    }
    return psnrOfSquares(squares, a.bgr.size());
}

// The same, over the pixels of `box` only.
double psnr(const imaging::PhotoBuffer& a, const imaging::PhotoBuffer& b, const QRect& box) {
    double squares = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int i = box.left() * 3; i < (box.right() + 1) * 3; ++i) {
            const double d = double(a.row(y)[i]) - double(b.row(y)[i]);
            squares += d * d;
        }
    }
    return psnrOfSquares(squares, std::size_t(box.width()) * box.height() * 3);
}

QRgb at(const imaging::PhotoBuffer& buffer, int x, int y) {
    const std::uint8_t* p = buffer.row(y) + x * 3;
    return qRgb(p[2], p[1], p[0]);
}

// The middle length of the runs of red outline pixels along the rows of `box`: how wide a text's
// outline is drawn.
int outlineWidth(const imaging::PhotoBuffer& picture, const QRect& box) {
    std::vector<int> runs;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        int run = 0;
        for (int x = box.left(); x <= box.right() + 1; ++x) {
            const QRgb p = x <= box.right() ? at(picture, x, y) : 0;
            if (x <= box.right() && qRed(p) > 170 && qGreen(p) < 110 && qBlue(p) < 110) {
                ++run;
            } else if (run > 0) {
                runs.push_back(run);
                run = 0;
            }
        }
    }
    if (runs.empty())
        return -1;
    std::nth_element(runs.begin(), runs.begin() + runs.size() / 2, runs.end());
    return runs[runs.size() / 2];
}

struct FullSize : resources_test::LibraryTest {
    RecordingListener listener;
    resources::ResourceLibrary library{folders()};
    testing_support::TempFolder scratch;
    std::unique_ptr<WorkspaceDocument> document;
    QString original;

    void SetUp() override {
        const resources::PhotoHole hole{0.1f, 0.2f, 0.9f, 0.8f};
        writeData(files::kFrames, encodedList({framePicture(hole)}, {hole}));
        writeData(files::kCliparts, rawList({clipartPicture()}));
        original = scratch.file(QStringLiteral("original.bmp"));
        ASSERT_TRUE(originalPicture().save(original));
        document = std::make_unique<WorkspaceDocument>(root_.path(), listener, QSize(820, 620), &library);
        open(*document, original);
        document->setBrushPictures({solid(16, 16, qRgba(0, 0, 0, 255))});
    }

    static void open(WorkspaceDocument& target, const QString& path) {
        imaging::LoadedPicture loaded;
        ASSERT_TRUE(imaging::LoadPhoto(path, loaded));
        const QSize working(loaded.photo.width, loaded.photo.height);
        target.setLoadedPicture(std::move(loaded.photo), loaded.libraryDecoded, loaded.formatCode, path);
        target.setOriginal(originalPictureOf(path, loaded.sourceSize, working));
        target.keepLoadedPhoto();
        target.Recompose(false);
    }

    static void addText(WorkspaceDocument& target, int height, QPoint window) {
        text::TextObject& style = target.textTemplate();
        style.font = text::makeLogFont(u"DejaVu Sans", height);
        style.style = 6; // a 2-pixel outline in the first colour over a glow of the second
        style.colour = text::rgb(255, 0, 0);
        style.secondColour = text::rgb(255, 255, 255);
        text::setText(style, u"Wide");
        target.SetTool(ToolText);
        target.PlaceText(window.x(), window.y());
    }

    // A document of the original at its own size, as if it had been opened that large.
    void openNatively(WorkspaceDocument& native) {
        imaging::LoadedPicture loaded;
        ASSERT_TRUE(imaging::LoadOriginalPhoto(original, loaded));
        native.setLoadedPicture(std::move(loaded.photo), false, 0, original);
        native.keepLoadedPhoto();
        native.Recompose(false);
    }

    FullSizeResult full(bool wholeImage = false) {
        return renderFullSize(*document, wholeImage, scratch.path());
    }
};

} // namespace

// A frame, a clipart, a text, a brush stroke and a colour adjustment: the full-size export, reduced to the
// working size, is the working-size export (the same composer drew both); the whole image grows alike.
TEST_F(FullSize, ReducedToTheWorkingSizeItMatchesTheWorkingExport) {
    ASSERT_EQ(document->canvasWidth(), 1600);
    ASSERT_EQ(document->canvasHeight(), 400);
    ASSERT_TRUE(document->hasLargerOriginal());
    ASSERT_EQ(document->PlaceFrame(0), PlaceResult::Placed);
    ASSERT_EQ(document->PlaceClipart(0, 600, 300), PlaceResult::Placed);
    ASSERT_TRUE(document->SetSelectedScale(-60));
    ASSERT_TRUE(document->SetSelectedAngle(20));
    addText(*document, 40, QPoint(120, 240));
    document->SetBrush(0, true, 0, 200, 24, text::rgb(20, 200, 60));
    ASSERT_TRUE(document->ButtonDown(300, 330));
    for (int i = 1; i <= 30; ++i)
        document->MouseMove(300 + 8 * i, 330 + (i % 7) * 4);
    document->ButtonUp();
    document->SetColourAdjustment({1.2f, 0.05f, 1.3f, 0.0f, 0.9f, 0.0f});

    const FullSizeResult result = full();
    ASSERT_TRUE(result.pixels) << fullSizeProblemText(result, *document).toStdString();
    EXPECT_EQ(QSize(result.pixels->width, result.pixels->height), QSize(kOriginalWidth, kOriginalHeight));
    const auto working = document->flattenForExport(false);
    ASSERT_TRUE(working);
    EXPECT_GE(psnr(reducedTo(*result.pixels, working->width, working->height), *working), 30.0);

    const QSize workingWhole = document->outputAreaSize();
    const FullSizeResult whole = full(true);
    ASSERT_TRUE(whole.pixels);
    EXPECT_EQ(QSize(whole.pixels->width, whole.pixels->height), fullSizeOf(*document, true));
    EXPECT_NEAR(whole.pixels->width, workingWhole.width() * 3, 4);
    EXPECT_NEAR(whole.pixels->height, workingWhole.height() * 3, 3);
}

// A text of the full-size export is drawn at the full size, not enlarged from the working copy: its
// 2-pixel outline stays as wide as a text drawn at that size on the original itself.
TEST_F(FullSize, TextsAreDrawnAtTheFullSize) {
    addText(*document, 40, QPoint(100, 250));
    const FullSizeResult result = full();
    ASSERT_TRUE(result.pixels);

    WorkspaceDocument native(scratch.file(QStringLiteral("native")), listener, QSize(820, 620));
    openNatively(native);
    addText(native, 120, QPoint(100, 250));
    const auto drawn = native.flattenForExport(false);
    ASSERT_TRUE(drawn);

    // The text's place on the original: (90, 40) view pixels from the view's corner, 6 original pixels each.
    const QRect box(520, 220, 600, 220);
    const int exported = outlineWidth(*result.pixels, box);
    const int expected = outlineWidth(*drawn, box);
    ASSERT_GT(expected, 0);
    EXPECT_LE(std::abs(exported - expected), 2) << exported << " against " << expected;
}

// A calendar of the full-size export is drawn at the full size, not enlarged from its 260-pixel picture:
// its lettering matches a calendar three times as large placed on the original itself. The document
// tells which month its calendar shows, and that other in-memory pictures are no calendars.
TEST_F(FullSize, CalendarsAreDrawnAtTheFullSize) {
    const text::CalendarMonth month{2028, 2};
    const std::vector<std::uint8_t> picture = text::calendarPictureOf(month);
    document->SetTool(ToolClipart);
    ASSERT_TRUE(document->PlaceMemoryClipart(picture, 260, 260, 300, 310, month));
    ASSERT_TRUE(document->PlaceMemoryClipart(picture, 260, 260, 500, 310));
    EXPECT_EQ(document->memoryClipartCalendar(0), month);
    EXPECT_EQ(document->memoryClipartCalendar(1), std::nullopt);
    EXPECT_EQ(document->memoryClipartCalendar(2), std::nullopt);
    const FullSizeResult result = full();
    ASSERT_TRUE(result.pixels);

    WorkspaceDocument native(scratch.file(QStringLiteral("native")), listener, QSize(820, 620));
    openNatively(native);
    const QImage large = text::scaledCalendarPicture(month, 3);
    ASSERT_EQ(large.size(), QSize(780, 780));
    native.SetTool(ToolClipart);
    ASSERT_TRUE(native.PlaceMemoryClipart(std::span(large.constBits(), std::size_t(large.sizeInBytes())), 780,
                                          780, 300, 310));
    const auto drawn = native.flattenForExport(false);
    ASSERT_TRUE(drawn);

    // The calendar's place on the original: centred (290, 100) view pixels from the view's corner, 6
    // original pixels each.
    const QRect box(1740 - 390, 600 - 390, 780, 780);
    EXPECT_GE(psnr(*result.pixels, *drawn, box), 40.0);
}

// An undone filter is not made again once a new edit has dropped it, and the edits go on being
// replayed when the history has dropped its oldest photos to make room.
TEST_F(FullSize, OnlyTheEditsOfTheCurrentStateAreReplayed) {
    const QRgb corner = originalPicture().pixel(kOriginalWidth - 1, kOriginalHeight - 1);
    ASSERT_TRUE(document->ApplyImageCommand(imaging::kCommandEmboss));
    document->undo();
    ASSERT_EQ(document->PlaceClipart(0, 300, 250), PlaceResult::Placed);
    FullSizeResult result = full();
    ASSERT_TRUE(result.pixels);
    EXPECT_EQ(at(*result.pixels, kOriginalWidth - 1, kOriginalHeight - 1), corner);

    ASSERT_TRUE(document->ApplyImageCommand(imaging::kCommandEmboss));
    for (int i = 0; i < UndoHistory::kMaxImageRecords; ++i)
        ASSERT_TRUE(document->FlattenIntoPhoto(false));
    result = full();
    ASSERT_TRUE(result.pixels);
    EXPECT_NE(at(*result.pixels, kOriginalWidth - 1, kOriginalHeight - 1), corner); // embossed grey
}

TEST_F(FullSize, AnOriginalThatChangedOrVanishedIsNotUsed) {
    QImage changed = originalPicture();
    changed.setPixel(0, 0, qRgb(1, 2, 3));
    ASSERT_TRUE(changed.save(original, "PNG")); // another length, another time
    EXPECT_EQ(full().problem, FullSizeResult::Problem::Changed);
    ASSERT_TRUE(QFile::remove(original));
    const FullSizeResult gone = full();
    EXPECT_EQ(gone.problem, FullSizeResult::Problem::Vanished);
    EXPECT_TRUE(fullSizeProblemText(gone, *document).contains(QStringLiteral("is no longer there")));
}
