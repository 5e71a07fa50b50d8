#include "app/command_ids.h"
#include "platform/messages.h"
#include "resources/resource_library.h"
#include "support/temp_folder.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace workspace;
using testing_support::TempFolder;

namespace {

// Stands in for the main window: records the private messages the workspace sends it.
class MessageLog : public QWidget, public platform::MessageReceiver {
public:
    std::vector<std::pair<int, platform::LParam>> received;
    platform::LResult onMessage(int message, platform::WParam, platform::LParam lParam) override {
        received.emplace_back(message, lParam);
        return 0;
    }
    int count(int message) const {
        return static_cast<int>(std::count_if(received.begin(), received.end(),
                                              [&](const auto& entry) { return entry.first == message; }));
    }

protected:
    bool event(QEvent* e) override { return dispatchMessage(e) || QWidget::event(e); }
};

// The mouse as the window system delivers it, button state included.
void mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held = Qt::LeftButton) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

struct Window : ::testing::Test {
    TempFolder folder;
    resources::ResourceLibrary library{platform::Folders(folder.path())};
    MessageLog main;
    std::unique_ptr<CWorkspaceWnd> workspace;

    void SetUp() override {
        main.resize(900, 700);
        workspace = std::make_unique<CWorkspaceWnd>(folder.path(), library, &main);
        workspace->setGeometry(0, 0, 820, 620);
        main.show();
        text::TextObject& style = workspace->document().textTemplate();
        style.font = text::makeLogFont(u"DejaVu Sans", 50);
        text::setText(style, u"Hi");
    }

    // A clipart whose screen hit region is (100, 100)-(200, 200), selected by a click.
    ClipartObject& selectedClipart() {
        WorkspaceDocument& document = workspace->document();
        ClipartObject clipart;
        clipart.hitRegion = QPolygonF(QRectF(100, 100, 100, 100));
        document.objects().append(clipart);
        document.SetTool(ToolClipart);
        mouse(workspace.get(), QEvent::MouseButtonPress, {150, 150});
        mouse(workspace.get(), QEvent::MouseButtonRelease, {150, 150}, Qt::NoButton);
        return *document.objects().get<ClipartObject>(document.objects().size() - 1);
    }
};

} // namespace

TEST_F(Window, EditsAndHistoryReachTheMainWindowAsMessages) {
    WorkspaceDocument& document = workspace->document();
    QSignalSpy edits(workspace.get(), &CWorkspaceWnd::editTextRequested);
    document.SetTool(ToolText);
    document.PlaceText(60, 60);
    EXPECT_EQ(main.count(platform::UM_UNDOSTATE), 2); // the flattening and the text
    EXPECT_EQ(main.count(platform::UM_CROPENTERED), 1);
    ASSERT_EQ(edits.count(), 1);
    EXPECT_EQ(text::textOf(edits.takeFirst().at(0).value<text::TextObject>()), "Hi");

    main.received.clear();
    document.undo();
    EXPECT_EQ(main.count(platform::UM_OBJECTSELECTED), 1);
    document.redo();
    ASSERT_EQ(main.count(platform::UM_SHOWTOOLPANEL), 1);
    const auto panel = std::find_if(main.received.begin(), main.received.end(),
                                    [](const auto& e) { return e.first == platform::UM_SHOWTOOLPANEL; });
    EXPECT_EQ(panel->second, Text);
}

TEST_F(Window, ShowsTheBackBufferAndFollowsItsSize) {
    workspace->resize(640, 480);
    EXPECT_EQ(workspace->document().clientSize(), QSize(640, 480));
    const QImage shown = workspace->grab().toImage();
    EXPECT_EQ(shown.pixelColor(320, 240), QColor(Qt::white)); // the white photo in the middle
    EXPECT_NE(shown.pixelColor(2, 2), QColor(Qt::white));     // the tinted margin
}

TEST_F(Window, AClickOrEscapeDuringPreviewEndsIt) {
    workspace->document().setPreviewing(true);
    QTest::mouseClick(workspace.get(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(main.count(platform::UM_PREVIEWEND), 1);
    QTest::keyClick(workspace.get(), Qt::Key_Escape);
    EXPECT_EQ(main.count(platform::UM_PREVIEWEND), 2);
    workspace->document().setPreviewing(false);
    QTest::mouseClick(workspace.get(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(main.count(platform::UM_PREVIEWEND), 2);
}

TEST_F(Window, AMouseDragMovesATextUnderTheMoveCursorAndRecordsOneStep) {
    WorkspaceDocument& document = workspace->document();
    document.SetTool(ToolText);
    document.PlaceText(60, 60);
    const int states = main.count(platform::UM_UNDOSTATE);
    const text::TextObject& text = *document.objects().get<text::TextObject>(0);

    mouse(workspace.get(), QEvent::MouseButtonPress, {70, 70});
    mouse(workspace.get(), QEvent::MouseMove, {100, 80});
    mouse(workspace.get(), QEvent::MouseMove, {130, 95});
    EXPECT_EQ(workspace->cursor().shape(), Qt::SizeAllCursor);
    EXPECT_EQ(main.count(platform::UM_UNDOSTATE), states); // nothing recorded mid-drag
    mouse(workspace.get(), QEvent::MouseButtonRelease, {130, 95}, Qt::NoButton);
    EXPECT_EQ(text.left, 120);
    EXPECT_EQ(text.top, 85);
    EXPECT_EQ(main.count(platform::UM_UNDOSTATE), states + 1);

    mouse(workspace.get(), QEvent::MouseMove, {5, 5}, Qt::NoButton); // off every object
    EXPECT_EQ(workspace->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Window, CropHandlesShowTheirSizingCursors) {
    WorkspaceDocument& document = workspace->document();
    document.SetTool(ToolCrop);
    const auto handles = WorkspaceDocument::HandleRects(document.cropRect());
    const Qt::CursorShape expected[8] = {Qt::SizeFDiagCursor, Qt::SizeHorCursor,   Qt::SizeBDiagCursor,
                                         Qt::SizeVerCursor,   Qt::SizeFDiagCursor, Qt::SizeHorCursor,
                                         Qt::SizeBDiagCursor, Qt::SizeVerCursor};
    for (int k = 0; k < 8; ++k) {
        const Rect& h = handles[static_cast<std::size_t>(k)];
        mouse(workspace.get(), QEvent::MouseMove, {h.left + 4, h.top + 4}, Qt::NoButton);
        EXPECT_EQ(workspace->cursor().shape(), expected[k]) << "handle " << k;
    }
    const QPoint inside((document.cropRect().left + document.cropRect().right) / 2,
                        document.cropRect().top + 30);
    mouse(workspace.get(), QEvent::MouseMove, inside, Qt::NoButton);
    EXPECT_EQ(workspace->cursor().shape(), Qt::SizeAllCursor);
}

TEST_F(Window, TheBrushCursorIsDrawnFromTheTipWithItsHotSpotInTheMiddle) {
    WorkspaceDocument& document = workspace->document();
    QImage tip(30, 30, QImage::Format_ARGB32);
    tip.fill(qRgba(0, 0, 0, 255));
    document.setBrushPictures({tip});
    document.brush() = {0, true, 0, 255, 60, 0};
    mouse(workspace.get(), QEvent::MouseMove, {300, 300}, Qt::NoButton);
    const QCursor cursor = workspace->cursor();
    ASSERT_EQ(cursor.shape(), Qt::BitmapCursor);
    // The white 800 × 600 canvas shows at 1:1: a stamp of size 60 covers 60 window pixels.
    EXPECT_EQ(cursor.pixmap().size(), QSize(65, 65));
    EXPECT_EQ(cursor.hotSpot(), QPoint(32, 32));
}

TEST_F(Window, ArrowKeysNudgeTheSelectionAndTheReleaseRecordsOneStep) {
    ClipartObject& clipart = selectedClipart();
    ASSERT_EQ(clipart.selected, 1);
    const int states = main.count(platform::UM_UNDOSTATE);
    QTest::keyPress(workspace.get(), Qt::Key_Right);
    QTest::keyPress(workspace.get(), Qt::Key_Right);
    QTest::keyPress(workspace.get(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(clipart.offsetX, 2);
    EXPECT_EQ(clipart.offsetY, 10);
    EXPECT_EQ(main.count(platform::UM_UNDOSTATE), states);
    QTest::keyRelease(workspace.get(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(main.count(platform::UM_UNDOSTATE), states + 1);
}

TEST_F(Window, DeleteEscapeAndTheStackingKeys) {
    WorkspaceDocument& document = workspace->document();
    document.objects().append(ClipartObject{});
    document.objects().get<ClipartObject>(0)->selected = 0;
    ClipartObject& clipart = selectedClipart();
    clipart.resourceIndex = 9;
    QTest::keyClick(workspace.get(), Qt::Key_Home); // already on top: no change
    QTest::keyClick(workspace.get(), Qt::Key_End);
    EXPECT_EQ(document.objects().get<ClipartObject>(0)->resourceIndex, 9);
    QTest::keyClick(workspace.get(), Qt::Key_PageUp);
    EXPECT_EQ(document.objects().get<ClipartObject>(1)->resourceIndex, 9);

    QTest::keyClick(workspace.get(), Qt::Key_Escape);
    EXPECT_EQ(document.objects().get<ClipartObject>(1)->selected, 0);
    QTest::keyClick(workspace.get(), Qt::Key_Delete); // nothing selected any more
    EXPECT_EQ(document.objects().size(), 2);
    document.objects().get<ClipartObject>(1)->selected = 1;
    QTest::keyClick(workspace.get(), Qt::Key_Delete);
    EXPECT_EQ(document.objects().size(), 1);
    EXPECT_FALSE(workspace->onCommand(app::ID_TAB_TEXT));
}

TEST_F(Window, TheContextMenuRequestSelectsATextAndShowsNoMenu) {
    WorkspaceDocument& document = workspace->document();
    document.SetTool(ToolText);
    document.PlaceText(60, 60);
    document.ClearSelection();
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(65, 65),
                              workspace->mapToGlobal(QPoint(65, 65)));
    QCoreApplication::sendEvent(workspace.get(), &request);
    EXPECT_EQ(document.objects().get<text::TextObject>(0)->selected, 1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(Window, ZoomKeysTheWheelAndTheMiddleButtonMoveTheView) {
    WorkspaceDocument& document = workspace->document();
    // The blank canvas zoomed in about its corner still says how to begin, inside the window.
    workspace->setEmptyHint(QStringLiteral("Import photos or drop them here"));
    EXPECT_TRUE(workspace->onCommand(app::ID_ZOOM_ACTUAL));
    document.zoomBy(8, QPoint(0, 0));
    const QImage shown = workspace->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb canvas = shown.pixel(shown.width() / 2, 5);
    int written = 0; // away from the view's dotted edge at the window's top and left
    for (int y = 2; y < shown.height(); ++y)
        for (int x = 2; x < shown.width(); ++x)
            written += shown.pixel(x, y) != canvas;
    EXPECT_GT(written, 100);

    imaging::PhotoBuffer photo;
    photo.width = 1600;
    photo.height = 1200;
    photo.bgr.assign(1600u * 1200u * 3u, 0x80);
    document.setLoadedPicture(std::move(photo), false, 0, "p.jpg");
    document.Recompose(false); // as opening a photo does
    QSignalSpy zooms(workspace.get(), &CWorkspaceWnd::zoomChanged);

    EXPECT_TRUE(workspace->onCommand(app::ID_ZOOM_ACTUAL)); // Ctrl+1: 100 % about the middle
    EXPECT_EQ(document.viewRect(), (Rect{-390, -290, 1210, 910}));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(300, 300), workspace->mapToGlobal(QPointF(300, 300)),
                      Qt::MiddleButton, Qt::MiddleButton, Qt::NoModifier);
    QCoreApplication::sendEvent(workspace.get(), &press);
    mouse(workspace.get(), QEvent::MouseMove, {340, 280}, Qt::MiddleButton);
    EXPECT_EQ(document.viewRect(), (Rect{-350, -310, 1250, 890}));
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(340, 280),
                        workspace->mapToGlobal(QPointF(340, 280)), Qt::MiddleButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(workspace.get(), &release);

    // Ctrl+wheel one notch in about (100, 100): the photo pixel there stays there.
    QWheelEvent wheel(QPointF(100, 100), workspace->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(workspace.get(), &wheel);
    EXPECT_DOUBLE_EQ(document.zoom(), 1.25);
    EXPECT_NEAR(document.viewRect().left, 100 - 450 * 1.25, 1);
    EXPECT_NEAR(document.viewRect().top, 100 - 410 * 1.25, 1);

    EXPECT_TRUE(workspace->onCommand(app::ID_ZOOM_FIT)); // Ctrl+0
    EXPECT_EQ(document.viewRect(), (Rect{10, 10, 810, 610}));
    EXPECT_TRUE(workspace->onCommand(app::ID_ZOOM_OUT));
    EXPECT_DOUBLE_EQ(document.zoom(), 0.4);
    EXPECT_EQ(zooms.count(), 4);
}
