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
    EXPECT_TRUE(window->button(ID_UNDO)->isEnabled());

    window->onCommand(ID_UNDO);
    EXPECT_EQ(window->statusText(), "1600*1200 landscape.jpg");
}
