// The colour panel and the Tool menu's filters in the real main window.
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "app/photos/photo_list_ctrl.h"
#include "controls/dez_menu.h"
#include "controls/buttons/skin_button.h"
#include "controls/skin_slider.h"
#include "imaging/widgets/colour_panel.h"
#include "platform/scripted_dialogs.h"
#include "support/drawn_photo.h"
#include "support/editor_window.h"
#include "support/temp_folder.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

using namespace app;
using testing_support::TempFolder;

namespace {

imaging::PhotoBuffer stripedPhoto(int width, int height) {
    return testing_support::drawnPhoto(width, height, [=](int x, int y) {
        return std::array{(x / 7) % 2 ? 220 : 30, y * 255 / height, (x + y) % 251};
    });
}

struct Tuning : ::testing::Test, testing_support::EditorWindow {

    void SetUp() override {
        startEditor();
        ASSERT_TRUE(activate());
    }

    imaging::ColourPanel* panel() {
        return qobject_cast<imaging::ColourPanel*>(window->toolPanel(workspace::ToolTuning));
    }
    void load(imaging::PhotoBuffer photo) {
        document().setLoadedPicture(std::move(photo), false, 0, "/pictures/striped.png");
        document().keepLoadedPhoto();
        document().Recompose(false);
    }
    const imaging::ColourAdjustment* adjustment() {
        for (int i = 0; i < document().objects().size(); ++i)
            if (const auto* values = document().objects().get<imaging::ColourAdjustment>(i))
                return values;
        return nullptr;
    }
    // The Tool menu's filter entries: the linear submenu's, then the non-linear one's.
    std::vector<controls::MenuItemRecord> filterEntries() const {
        const auto tool = window->menuItems(ID_MENU_TOOL);
        std::vector<controls::MenuItemRecord> entries = tool[7].submenu;
        entries.insert(entries.end(), tool[8].submenu.begin(), tool[8].submenu.end());
        return entries;
    }
};

} // namespace

TEST_F(Tuning, ThePanelShowsSixSlidersInTwoColumnsWithReset) {
    window->onCommand(ID_TAB_TUNING);
    imaging::ColourPanel* colours = panel();
    ASSERT_NE(colours, nullptr);
    EXPECT_TRUE(colours->isVisible());
    const QRect client = colours->rect();
    const int middle = client.width() / 2;
    for (int i = 0; i < imaging::kColourSliderCount; ++i) {
        const auto which = static_cast<imaging::ColourSlider>(i);
        const imaging::ColourSliderSetup& setup = imaging::kColourSliders[static_cast<std::size_t>(i)];
        const controls::CSkinSlider* slider = colours->slider(which);
        EXPECT_EQ(slider->minimum(), setup.minimum) << setup.label;
        EXPECT_EQ(slider->maximum(), setup.maximum) << setup.label;
        EXPECT_EQ(slider->position(), setup.defaultPosition) << setup.label;
        // Each slider leaves 48 px on its right for its value.
        const QRect expected =
            i < 3 ? QRect(100, 30 + 20 * i, middle - 100 - 48, 13)
                  : QRect(middle + 100, 30 + 20 * (i - 3), client.width() - 20 - middle - 100 - 48, 13);
        EXPECT_EQ(slider->geometry(), expected) << setup.label;
        EXPECT_EQ(colours->labelRect(which).right() + 1, expected.left());
        EXPECT_EQ(colours->readoutRect(which).right() + 1, i < 3 ? middle : client.width() - 20);
    }
    EXPECT_EQ(colours->resetButton()->geometry(), QRect(0, client.height() - 20, 76, 20));
    EXPECT_EQ(colours->resetButton()->commandId(), 10014);
}

TEST_F(Tuning, MovingASliderAdjustsThePhotoAndResetReturnsToNeutral) {
    load(stripedPhoto(400, 300));
    window->onCommand(ID_ZOOM_ACTUAL); // one photo pixel to one screen pixel
    window->onCommand(ID_TAB_TUNING);
    controls::CSkinSlider* contrast = panel()->slider(imaging::SliderContrast);
    QTest::keyClick(contrast, Qt::Key_End);
    QTest::keyClick(panel()->slider(imaging::SliderHue), Qt::Key_Home);
    QCoreApplication::processEvents();
    ASSERT_NE(adjustment(), nullptr);
    EXPECT_FLOAT_EQ(adjustment()->contrast, 4.0f);
    EXPECT_FLOAT_EQ(adjustment()->hue, -180.0f);
    EXPECT_EQ(document().history().stepCount(), 2); // one edit: the flattening and the entry
    EXPECT_TRUE(window->button(ID_UNDO)->isEnabled());

    QTest::mouseClick(panel()->resetButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(contrast->position(), 100);
    ASSERT_NE(adjustment(), nullptr);
    EXPECT_EQ(*adjustment(), imaging::ColourAdjustment{});
    EXPECT_EQ(document().history().stepCount(), 2);
    const QRect view = document().viewRect().toQRect();
    const QImage shown = document().backBuffer().copy(view).convertToFormat(QImage::Format_BGR888);
    // Inside the focus rectangle drawn along the view, the screen shows the photo's own pixels.
    for (int y = 1; y < 299; y += 37)
        EXPECT_TRUE(std::equal(document().photo().row(y) + 3, document().photo().row(y) + 1197,
                               shown.constScanLine(y) + 3));
}

TEST_F(Tuning, ADoubleClickPutsOneSliderBackToNeutralAsOneUndoStep) {
    load(stripedPhoto(400, 300));
    window->onCommand(ID_TAB_TUNING);
    controls::CSkinSlider* contrast = panel()->slider(imaging::SliderContrast);
    QTest::keyClick(contrast, Qt::Key_End);
    QTest::keyClick(panel()->slider(imaging::SliderHue), Qt::Key_Home);
    QCoreApplication::processEvents();
    const int steps = document().history().stepCount();

    // The first press jumps the thumb to a quarter of the track, the double-click brings it to neutral.
    const QPoint quarter(contrast->width() / 4, contrast->height() / 2);
    QTest::mousePress(contrast, Qt::LeftButton, {}, quarter);
    QTest::mouseRelease(contrast, Qt::LeftButton, {}, quarter);
    QCoreApplication::processEvents();
    ASSERT_NE(contrast->position(), 400);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, quarter, contrast->mapToGlobal(quarter),
                            Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(contrast, &doubleClick);
    QTest::mouseRelease(contrast, Qt::LeftButton, {}, quarter);
    QCoreApplication::processEvents();
    EXPECT_EQ(contrast->position(), 100);
    ASSERT_NE(adjustment(), nullptr);
    EXPECT_FLOAT_EQ(adjustment()->contrast, 1.0f);
    EXPECT_FLOAT_EQ(adjustment()->hue, -180.0f); // the other sliders stay
    EXPECT_EQ(document().history().stepCount(), steps + 1);

    window->onCommand(ID_UNDO);
    EXPECT_EQ(contrast->position(), 400);
    EXPECT_FLOAT_EQ(adjustment()->contrast, 4.0f);

    // Neutral reads plainly, and turns read with their sign.
    const char* neutral[] = {"100%", "0%", "100%", "0\u00B0", "1.00", "0.0\u00B0"};
    for (int i = 0; i < imaging::kColourSliderCount; ++i)
        EXPECT_EQ(imaging::colourSliderReadout(static_cast<imaging::ColourSlider>(i),
                                               imaging::kColourSliders[static_cast<std::size_t>(i)].defaultPosition),
                  neutral[i]);
    EXPECT_EQ(imaging::colourSliderReadout(imaging::SliderBrightness, 0), "-100%");
    EXPECT_EQ(imaging::colourSliderReadout(imaging::SliderHue, 36000), "+180\u00B0");
    EXPECT_EQ(imaging::colourSliderReadout(imaging::SliderColour, 0), "-36.0\u00B0");
}

TEST_F(Tuning, TheSlidersShowTheAdjustmentThePhotoHoldsOrTheDefaults) {
    load(stripedPhoto(200, 152));
    window->onCommand(ID_TAB_TUNING);
    controls::CSkinSlider* contrast = panel()->slider(imaging::SliderContrast);
    controls::CSkinSlider* colour = panel()->slider(imaging::SliderColour);
    QTest::keyClick(contrast, Qt::Key_End);
    QTest::keyClick(colour, Qt::Key_Home);
    QCoreApplication::processEvents();
    ASSERT_NE(adjustment(), nullptr);

    // A filter takes the adjustment into the pixels: a nudge must not apply it a second time.
    window->onCommand(ID_FILTER_MEDIAN);
    EXPECT_EQ(adjustment(), nullptr);
    EXPECT_EQ(panel()->positions(), imaging::defaultColourPositions());
    window->onCommand(ID_UNDO);
    ASSERT_NE(adjustment(), nullptr);
    EXPECT_EQ(contrast->position(), 400);
    EXPECT_EQ(colour->position(), 0);

    // Another photo opened from the list starts with neutral sliders.
    TempFolder pictures;
    QImage picture(120, 90, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(pictures.file("cyan.png")));
    dialogs->queueOpenFiles({pictures.file("cyan.png")});
    window->onCommand(ID_IMPORT);
    for (int i = 0; i < 500 && window->importRunning(); ++i)
        QTest::qWait(10);
    QTest::qWait(20);
    dialogs->queueAnswer(false); // not saving the adjusted photo
    QTest::mouseClick(window->photoListCtrl(), Qt::LeftButton, {}, QPoint(38, 38));
    ASSERT_EQ(window->statusText(), "120*90 cyan.png");
    EXPECT_EQ(panel()->positions(), imaging::defaultColourPositions());
    QTest::keyClick(panel()->slider(imaging::SliderGamma), Qt::Key_Right);
    QCoreApplication::processEvents();
    ASSERT_NE(adjustment(), nullptr);
    EXPECT_FLOAT_EQ(adjustment()->contrast, 1.0f);
}

TEST_F(Tuning, EveryFilterEntryChangesThePhotoWithOneUndoStep) {
    load(stripedPhoto(200, 152));
    const imaging::PhotoBuffer original = document().photo();
    std::map<int, std::vector<std::uint8_t>> results;
    for (const controls::MenuItemRecord& entry : filterEntries()) {
        SCOPED_TRACE(entry.text.toStdString());
        window->onCommand(entry.id);
        EXPECT_NE(document().photo().bgr, original.bgr);
        EXPECT_EQ(document().canvasWidth(), 200);
        EXPECT_EQ(document().history().stepCount(), 1);
        EXPECT_TRUE(window->button(ID_UNDO)->isEnabled());
        results[entry.id] = document().photo().bgr;
        window->onCommand(ID_UNDO);
        EXPECT_EQ(document().photo().bgr, original.bgr);
    }
    EXPECT_EQ(results.size(), 14u);
    EXPECT_NE(results[ID_FILTER_EDGE_LINEAR], results[ID_FILTER_EDGE_NONLINEAR]);
}

TEST_F(Tuning, ALongFilterShowsTheWaitCursorAndEscapeStopsIt) {
    load(stripedPhoto(1600, 1200));
    const imaging::PhotoBuffer original = document().photo();

    // Queued before the command, so they are handled while the filter runs.
    Qt::CursorShape during = Qt::ArrowCursor;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            during =
                QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor;
        },
        Qt::QueuedConnection);
    QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    window->onCommand(ID_FILTER_MEDIAN);
    EXPECT_EQ(during, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(document().photo().bgr, original.bgr);
    EXPECT_FALSE(document().canUndo());

    window->onCommand(ID_FILTER_MEDIAN); // the same filter, left to finish
    EXPECT_NE(document().photo().bgr, original.bgr);
    EXPECT_TRUE(document().canUndo());
}
