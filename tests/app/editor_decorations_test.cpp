// Decorating from the main window: resources dropped on the workspace, the object dials, and what the
// user is told about a damaged library entry.
#include "../resources/library_fixture.h"
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "controls/dial_ctrl.h"
#include "controls/gesture_counter.h"
#include "platform/messages.h"
#include "platform/scripted_dialogs.h"
#include "resources/resource_types.h"
#include "support/temp_folder.h"
#include "workspace/decorations/decoration_geometry.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace app;
using testing_support::TempFolder;
namespace files = resources::files;

namespace {

void writeData(const QString& programFolder, const QString& name, const QByteArray& bytes) {
    QDir(programFolder).mkpath(QStringLiteral("Data"));
    QFile file(programFolder + QStringLiteral("/Data/") + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

struct DecoratingWindow : ::testing::Test {
    TempFolder program;
    platform::ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<CEditorApp> editor;
    CEditorDlg* window = nullptr;

    void SetUp() override {
        writeData(program.path(), files::kCliparts,
                  resources_test::rawList({resources_test::testPicture(30, 20, 1)}));
        QByteArray frames = resources_test::encodedList({resources_test::testPicture(40, 30, 2)},
                                                        {resources::PhotoHole{0.2f, 0.2f, 0.8f, 0.8f}});
        frames.chop(5); // the frame's picture ends early
        writeData(program.path(), files::kFrames, frames);
        auto scripted = std::make_unique<platform::ScriptedDialogs>();
        dialogs = scripted.get();
        editor = std::make_unique<CEditorApp>(platform::Folders(program.path()), std::move(scripted));
        window = &editor->startMainWindow();
        window->resize(1280, 800);
    }

    workspace::WorkspaceDocument& document() { return window->workspace()->document(); }
    QPoint onWorkspace(QPoint point) const { return window->workspace()->mapToGlobal(point); }
    void turnDial(int dial, int value) {
        platform::sendMessage(window, platform::UM_DIALCHANGED, static_cast<platform::WParam>(value), dial);
    }
};

} // namespace

TEST_F(DecoratingWindow, TheDialsTurnAndSizeThePlacedClipartOneUndoStepEach) {
    // Chosen in the list: in the middle of the canvas. Dropped: where it was let go.
    platform::sendMessage(window, platform::UM_RESOURCEPICKED, 0, 0);
    ASSERT_EQ(document().objects().size(), 1);
    EXPECT_EQ(document().objects().get<workspace::ClipartObject>(0)->offsetX, 0);
    EXPECT_EQ(document().objects().get<workspace::ClipartObject>(0)->offsetY, 0);
    window->dropOnWorkspace(static_cast<int>(resources::ResourceCategory::Cliparts), 0,
                            onWorkspace({200, 150}));
    ASSERT_EQ(document().objects().size(), 2);
    EXPECT_NE(document().objects().get<workspace::ClipartObject>(1)->offsetX, 0);
    document().undo(); // the dropped one goes; the one chosen is turned below
    ASSERT_EQ(document().objects().size(), 1);
    document().objects().get<workspace::ClipartObject>(0)->selected = 1;
    const int steps = document().history().position();

    turnDial(0, 90);
    turnDial(1, -90);
    const workspace::ClipartObject& clipart = *document().objects().get<workspace::ClipartObject>(0);
    EXPECT_EQ(clipart.angle, 90.0f);
    EXPECT_EQ(clipart.scale, 0.5f);
    EXPECT_EQ(window->dial(0)->readout(), "90\u00B0");
    EXPECT_EQ(window->dial(1)->readout(), "50%");
    EXPECT_EQ(document().history().position(), steps + 2);

    document().ClearSelection();
    turnDial(0, 45); // nothing selected: nothing turns and nothing is recorded
    EXPECT_EQ(document().objects().get<workspace::ClipartObject>(0)->angle, 90.0f);
    EXPECT_EQ(document().history().position(), steps + 2);

    document().undo();
    EXPECT_EQ(document().objects().get<workspace::ClipartObject>(0)->scale, 1.0f);
}

TEST_F(DecoratingWindow, TheDialsShowTheSelectedObjectsOwnTurnAfterPlacingUndoRedoAndAClick) {
    auto shows = [&](int angle, int scaleDial, const char* scale) {
        EXPECT_EQ(window->dial(0)->value(), angle);
        EXPECT_EQ(window->dial(0)->readout(), QStringLiteral("%1\u00B0").arg(angle));
        EXPECT_EQ(window->dial(1)->value(), scaleDial);
        EXPECT_EQ(window->dial(1)->readout(), scale);
    };
    platform::sendMessage(window, platform::UM_RESOURCEPICKED, 0, 0); // in the middle
    window->dial(0)->setValue(87);
    turnDial(0, 87);
    window->dial(1)->setValue(83);
    turnDial(1, 83);
    shows(87, 83, "146%");

    // A new clipart stands upright at full size, and one key step on the dial sizes it from there.
    window->dropOnWorkspace(static_cast<int>(resources::ResourceCategory::Cliparts), 0,
                            onWorkspace({200, 150}));
    ASSERT_EQ(document().objects().size(), 2);
    shows(0, 0, "100%");
    QTest::keyClick(window->dial(1), Qt::Key_Up);
    EXPECT_FLOAT_EQ(document().objects().get<workspace::ClipartObject>(1)->scale, 1.0f + 1.0f / 180.0f);

    document().undo(); // the step sizes it
    document().undo(); // the new one goes; the turned one is selected again
    ASSERT_EQ(document().objects().size(), 1);
    shows(87, 83, "146%");
    document().redo();
    shows(0, 0, "100%");

    // A click on the turned one (under the middle of the view) selects it, a click beside it drops it.
    const workspace::Rect view = document().viewRect();
    const QPoint middle((view.left + view.right) / 2, (view.top + view.bottom) / 2);
    QTest::mouseClick(window->workspace(), Qt::LeftButton, {}, middle);
    EXPECT_TRUE(window->dial(0)->isActive());
    shows(87, 83, "146%");
    QTest::mouseClick(window->workspace(), Qt::LeftButton, {}, QPoint(view.left + 2, view.bottom - 2));
    EXPECT_FALSE(window->dial(0)->isActive());
    shows(0, 0, "100%");
    QTest::mouseClick(window->workspace(), Qt::LeftButton, {}, middle);
    shows(87, 83, "146%");
    window->onCommand(ID_DELETE_SELECTED);
    EXPECT_EQ(document().objects().size(), 1);
    shows(0, 0, "100%");
}

TEST_F(DecoratingWindow, WithNothingToTurnTheDialsRestAtNoTurnAndFullSize) {
    imaging::PhotoBuffer photo;
    photo.width = 80;
    photo.height = 60;
    photo.bgr.assign(80 * 60 * 3, 128);
    document().setLoadedPicture(std::move(photo), false, 0, "/pictures/grey.png");
    document().keepLoadedPhoto();
    platform::sendMessage(window, platform::UM_RESOURCEPICKED, 0, 0);
    ASSERT_TRUE(window->dial(0)->isActive());
    window->dial(0)->setValue(52);
    turnDial(0, 52);
    turnDial(1, 90);
    ASSERT_EQ(window->dial(0)->readout(), "52\u00B0");

    ASSERT_TRUE(document().FlattenIntoPhoto(false)); // as an export or a filter does
    EXPECT_FALSE(window->dial(0)->isActive());
    EXPECT_EQ(window->dial(0)->value(), 0);
    EXPECT_EQ(window->dial(0)->readout(), "0\u00B0");
    EXPECT_EQ(window->dial(1)->value(), 0);
    EXPECT_EQ(window->dial(1)->readout(), "100%");
}

TEST_F(DecoratingWindow, ADamagedEntryPlacesNothingAndSaysSoOnce) {
    window->dropOnWorkspace(static_cast<int>(resources::ResourceCategory::Frames), 0,
                            onWorkspace({200, 150}));
    EXPECT_TRUE(document().objects().empty());
    EXPECT_FALSE(document().canUndo());
    ASSERT_EQ(dialogs->count("information"), 1);
    EXPECT_TRUE(dialogs->shown().back().text.contains("\"photoframes\""));

    // A category with no file at all is simply empty: nothing to say.
    window->dropOnWorkspace(static_cast<int>(resources::ResourceCategory::Masks), 0, onWorkspace({200, 150}));
    EXPECT_EQ(dialogs->count("information"), 1);
}

TEST_F(DecoratingWindow, ADialDragAWheelBurstAndAHandleDragAreOneUndoStepEachAndTheDialsFollow) {
    platform::sendMessage(window, platform::UM_RESOURCEPICKED, 0, 0);
    controls::CDialCtrl* turn = window->dial(0);
    controls::CDialCtrl* size = window->dial(1);
    ASSERT_TRUE(turn->isActive());
    auto clipart = [&] { return *document().objects().get<workspace::ClipartObject>(0); };
    const int steps = document().history().stepCount();

    const QPoint c = turn->rect().center();
    QTest::mousePress(turn, Qt::LeftButton, {}, c + QPoint(15, 0));
    QTest::mouseMove(turn, c + QPoint(0, 15));
    // The readout follows the pointer while the button is still down.
    EXPECT_EQ(turn->readout(), QStringLiteral("%1\u00B0").arg(turn->valueAt(c + QPoint(0, 15))));
    QTest::mouseMove(turn, c + QPoint(-15, 10));
    QTest::mouseRelease(turn, Qt::LeftButton, {}, c + QPoint(-15, 10));
    const int turned = turn->valueAt(c + QPoint(-15, 10));
    EXPECT_EQ(clipart().angle, static_cast<float>(turned));
    EXPECT_EQ(turn->readout(), QStringLiteral("%1\u00B0").arg(turned));
    EXPECT_EQ(document().history().stepCount(), steps + 1);

    auto wheel = [&] {
        QWheelEvent notch(QPointF(5, 5), size->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(size, &notch);
    };
    for (int i = 0; i < 3; ++i)
        wheel();
    EXPECT_EQ(clipart().scale, workspace::scaleFromDial(15));
    EXPECT_EQ(document().history().stepCount(), steps + 2);
    QTest::qWait(controls::GestureCounter::kWheelBurstMs + 100); // a pause ends the burst
    wheel();
    EXPECT_EQ(document().history().stepCount(), steps + 3);

    // A corner handle pulled outward: the scale dial shows each new size as it comes.
    const workspace::ClipartObject placed = clipart();
    const workspace::PictureHandles handles = workspace::pictureHandles(
        workspace::clipartTransform(placed, document().viewRect(), document().canvasWidth(),
                                    document().canvasHeight()),
        placed.width, placed.height);
    const QPointF corner = handles.points[2];
    document().ButtonDown(static_cast<int>(corner.x()), static_cast<int>(corner.y()));
    const QPointF outward = handles.centre + (corner - handles.centre) * 1.3;
    document().MouseMove(static_cast<int>(outward.x()), static_cast<int>(outward.y()));
    EXPECT_GT(clipart().scale, placed.scale);
    EXPECT_EQ(size->value(), workspace::scaleDialFor(clipart().scale));
    EXPECT_EQ(size->readout(), QStringLiteral("%1%").arg(workspace::scaleReadoutPercent(size->value())));
    EXPECT_EQ(turn->value(), turned);
    document().ButtonUp();
    EXPECT_EQ(document().history().stepCount(), steps + 4);

    document().undo();
    document().undo();
    document().undo(); // the whole wheel burst
    EXPECT_EQ(clipart().scale, 1.0f);
    document().undo(); // the whole dial drag
    EXPECT_EQ(clipart().angle, 0.0f);
}

TEST_F(DecoratingWindow, CliparsPickedInTheListCascadeAndStayInsideThePhoto) {
    const workspace::Rect& view = document().viewRect();
    const int step = 24 * document().canvasWidth() / view.width(); // 24 view pixels in canvas pixels
    std::vector<QPoint> places;
    for (int i = 0; i < 40; ++i) {
        platform::sendMessage(window, platform::UM_RESOURCEPICKED, 0, 0);
        const auto& placed = *document().objects().get<workspace::ClipartObject>(i);
        places.emplace_back(placed.offsetX, placed.offsetY);
        // The centre stays on the photo: offsets count from the photo's centre.
        EXPECT_LT(std::abs(placed.offsetX), document().canvasWidth() / 2) << i;
        EXPECT_LT(std::abs(placed.offsetY), document().canvasHeight() / 2) << i;
    }
    EXPECT_EQ(places[0], QPoint(0, 0));
    EXPECT_NEAR(places[1].x(), step, 1);
    EXPECT_NEAR(places[1].y(), step, 1);
    EXPECT_NEAR(places[2].x(), 2 * step, 2);
    EXPECT_NEAR(places[2].y(), 2 * step, 2);
    for (std::size_t i = 1; i < places.size(); ++i)
        EXPECT_NE(places[i], places[i - 1]) << i;

    // Zoomed in on the photo's corner, the next pick lands in the middle of what the window shows.
    document().setZoom(4.0, QPoint(view.left + 5, view.top + 5));
    platform::sendMessage(window, platform::UM_RESOURCEPICKED, 0, 0);
    const auto& zoomed = *document().objects().get<workspace::ClipartObject>(40);
    const double perCanvas = double(view.width()) / document().canvasWidth();
    const QPointF centre(view.left + (zoomed.offsetX + document().canvasWidth() / 2.0) * perCanvas,
                         view.top + (zoomed.offsetY + document().canvasHeight() / 2.0) * perCanvas);
    const QRect shown = view.toQRect() & window->workspace()->rect();
    EXPECT_NEAR(centre.x(), shown.center().x(), 4);
    EXPECT_NEAR(centre.y(), shown.center().y(), 4);
}
