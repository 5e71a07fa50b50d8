// The crop panel in the real main window: its choices, its "Crop" button, undo, and the status line.
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "controls/buttons/skin_button.h"
#include "controls/buttons/skin_radio_button.h"
#include "imaging/widgets/crop_panel.h"
#include "platform/scripted_dialogs.h"
#include "support/editor_window.h"
#include "support/temp_folder.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QTest>
#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace app;
using testing_support::TempFolder;

namespace {

imaging::PhotoBuffer greyPhoto(int width, int height) {
    imaging::PhotoBuffer photo;
    photo.width = width;
    photo.height = height;
    photo.bgr.assign(static_cast<std::size_t>(width) * height * 3, 120);
    return photo;
}

struct CropInWindow : ::testing::Test, testing_support::EditorWindow {

    void SetUp() override {
        startEditor();
        ASSERT_TRUE(activate());
        document().setLoadedPicture(greyPhoto(1600, 1200), false, 0, "/pictures/landscape.jpg");
        document().keepLoadedPhoto();
        window->relayout();
        window->onCommand(ID_TAB_CROP);
    }

    imaging::CropPanel* panel() const {
        return qobject_cast<imaging::CropPanel*>(window->toolPanel(workspace::ToolCrop));
    }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, 10)); }
    // The zoom the view now has, as the status line should show it.
    QString zoomNow() { return QStringLiteral("%1 %").arg(std::lround(document().zoom() * 100)); }
};

} // namespace

TEST_F(CropInWindow, ChoicesSeatTheRectangleAndCropCutsThePhotoWithOneUndoStep) {
    ASSERT_NE(panel(), nullptr);
    EXPECT_TRUE(panel()->isVisible());
    click(panel()->choice(2)); // "4 : 6", a portrait proportion on a landscape photo
    for (int i = 0; i < imaging::kCropConstraintCount; ++i)
        EXPECT_EQ(panel()->choice(i)->isOn(), i == 2) << i;
    EXPECT_EQ(document().cropAspect().width, 4);
    EXPECT_EQ(document().cropAspect().height, 6);
    const workspace::Rect seated = document().cropRect();
    const int viewHeight = document().viewRect().height();
    EXPECT_EQ(seated.height(), viewHeight - 16);

    // Made smaller by the user, the rectangle is seated afresh by the same choice.
    document().setCropRect({seated.left + 40, seated.top + 40, seated.left + 140, seated.top + 190});
    click(panel()->choice(2));
    EXPECT_NE(document().cropRect(), seated);
    // "No Constraint" lifts the proportion and leaves the rectangle where it is.
    const workspace::Rect before = document().cropRect();
    click(panel()->choice(0));
    EXPECT_FALSE(document().cropAspect().constrained);
    EXPECT_EQ(document().cropRect(), before);

    // Back to the tab with a proportion: the rectangle starts seated in it, and "Crop" cuts that.
    click(panel()->choice(2));
    window->onCommand(ID_TAB_FRAME);
    window->onCommand(ID_TAB_CROP);
    EXPECT_EQ(document().cropRect(), seated);
    EXPECT_FALSE(window->button(ID_UNDO)->isEnabled());
    click(panel()->cropButton());
    const int width = document().canvasWidth();
    const int height = document().canvasHeight();
    EXPECT_EQ(height, 1200 * (viewHeight - 16) / viewHeight);
    EXPECT_NEAR(width * 6.0 / height, 4.0, 0.05);
    EXPECT_EQ(window->statusText(), QStringLiteral("%1*%2 landscape.jpg").arg(width).arg(height));
    // The cut photo is fitted afresh, and the zoom beside the size says so.
    EXPECT_EQ(window->zoomText(), zoomNow());
    EXPECT_TRUE(window->button(ID_UNDO)->isEnabled());

    window->onCommand(ID_UNDO);
    EXPECT_EQ(window->statusText(), "1600*1200 landscape.jpg");
    EXPECT_EQ(window->zoomText(), zoomNow());
}

TEST_F(CropInWindow, ACropNarrowerThanFourPixelsIsRefusedAndCtrlBShowsTheNewSize) {
    window->onCommand(ID_TAB_TEXT);
    text::TextObject& style = document().textTemplate();
    style.font = text::makeLogFont(u"DejaVu Sans", 40);
    text::setText(style, u"Hi");
    document().PlaceText(300, 300);
    window->onCommand(ID_TAB_CROP);
    const int steps = document().history().stepCount();

    // One window pixel is about two and a half photo pixels here: a cut of 0 after rounding to 4.
    const workspace::Rect view = document().viewRect();
    document().setCropRect({view.left + 50, view.top + 50, view.left + 51, view.top + 150});
    click(panel()->cropButton());
    ASSERT_EQ(dialogs->count("information"), 1);
    EXPECT_EQ(dialogs->shown().back().text,
              "The rectangle is too small to crop in this view: the photo keeps at least 4 pixels of width "
              "and 1 of height.\nNothing was cropped.");
    EXPECT_EQ(document().objects().size(), 1); // the text is still an object
    EXPECT_EQ(document().history().stepCount(), steps);
    EXPECT_EQ(document().canvasWidth(), 1600);

    // Ctrl+B would cut the photo to the same rectangle: refused alike, the background left as it was.
    const imaging::PhotoBuffer background = document().background();
    window->workspace()->setFocus();
    QTest::keyClick(window->workspace(), Qt::Key_B, Qt::ControlModifier);
    ASSERT_EQ(dialogs->count("information"), 2);
    EXPECT_THAT(dialogs->shown().back().text.toStdString(),
                ::testing::EndsWith("of height.\nThe background was not set."));
    EXPECT_EQ(document().background().bgr, background.bgr);
    EXPECT_EQ(document().objects().size(), 1);
    EXPECT_EQ(document().history().stepCount(), steps);

    // Set as background in the Crop tab, the photo is cut to the rectangle: the status line says so.
    window->onCommand(ID_TAB_CROP);
    window->workspace()->setFocus();
    QTest::keyClick(window->workspace(), Qt::Key_B, Qt::ControlModifier);
    ASSERT_LT(document().canvasWidth(), 1600);
    EXPECT_EQ(
        window->statusText(),
        QStringLiteral("%1*%2 landscape.jpg").arg(document().canvasWidth()).arg(document().canvasHeight()));
}
