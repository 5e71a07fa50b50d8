// The crop panel in the real main window: its choices, its "Crop" button, undo, and the status line.
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/editor_dlg.h"
#include "controls/skin_button.h"
#include "controls/skin_radio_button.h"
#include "imaging/widgets/crop_panel.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "workspace/workspace_wnd.h"

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

struct CropInWindow : ::testing::Test {
    TempFolder program;
    std::unique_ptr<CEditorApp> editor;
    CEditorDlg* window = nullptr;

    void SetUp() override {
        editor = std::make_unique<CEditorApp>(platform::Folders(program.path()),
                                              std::make_unique<platform::ScriptedDialogs>());
        window = &editor->startMainWindow();
        window->resize(1280, 800);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        document().setLoadedPicture(greyPhoto(1600, 1200), false, 0, "/pictures/landscape.jpg");
        document().keepLoadedPhoto();
        window->relayout();
        window->onCommand(ID_TAB_CROP);
    }

    workspace::WorkspaceDocument& document() { return window->workspace()->document(); }
    imaging::CropPanel* panel() const {
        return qobject_cast<imaging::CropPanel*>(window->toolPanel(workspace::ToolCrop));
    }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, 10)); }
    std::vector<bool> choicesOn() const {
        std::vector<bool> on;
        for (int i = 0; i < imaging::kCropConstraintCount; ++i)
            on.push_back(panel()->choice(i)->isOn());
        return on;
    }
};

} // namespace

TEST_F(CropInWindow, AChoiceSeatsTheRectangleInItsProportionEachTimeItIsClicked) {
    ASSERT_NE(panel(), nullptr);
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(choicesOn(), std::vector<bool>({true, false, false, false, false, false, false, false}));

    click(panel()->choice(2)); // "4 : 6", a portrait proportion on a landscape photo
    EXPECT_EQ(choicesOn(), std::vector<bool>({false, false, true, false, false, false, false, false}));
    const workspace::CropAspect& aspect = document().cropAspect();
    EXPECT_TRUE(aspect.constrained);
    EXPECT_EQ(aspect.width, 4);
    EXPECT_EQ(aspect.height, 6);
    const workspace::Rect seated = document().cropRect();
    const workspace::Rect view = document().viewRect();
    EXPECT_NEAR(seated.width() * 6, seated.height() * 4, 12);
    EXPECT_EQ(seated.height(), view.height() - 16);

    // The user makes it smaller; the same choice again seats it afresh from that size.
    document().setCropRect({seated.left + 40, seated.top + 40, seated.left + 140, seated.top + 190});
    click(panel()->choice(2));
    EXPECT_NE(document().cropRect(), seated);
    EXPECT_NEAR(document().cropRect().width() * 6, document().cropRect().height() * 4, 12);

    // "No Constraint" lifts it and leaves the rectangle where it is.
    const workspace::Rect before = document().cropRect();
    click(panel()->choice(0));
    EXPECT_FALSE(document().cropAspect().constrained);
    EXPECT_EQ(document().cropRect(), before);
}

TEST_F(CropInWindow, CropCutsThePhotoShowsItsSizeAndUndoes) {
    EXPECT_EQ(window->statusText(), "1600*1200 landscape.jpg");
    EXPECT_FALSE(window->button(ID_UNDO)->isEnabled());
    click(panel()->choice(6)); // "10 : 8"
    // Seated as high as the view less its 8-pixel margins; the crop scales that to the photo.
    const int viewHeight = document().viewRect().height();
    ASSERT_EQ(document().cropRect().height(), viewHeight - 16);
    click(panel()->cropButton());

    const int width = document().canvasWidth();
    const int height = document().canvasHeight();
    EXPECT_EQ(height, 1200 * (viewHeight - 16) / viewHeight);
    EXPECT_NEAR(width * 8.0 / height, 10.0, 0.05);
    EXPECT_EQ(window->statusText(), QStringLiteral("%1*%2 landscape.jpg").arg(width).arg(height));
    EXPECT_TRUE(window->button(ID_UNDO)->isEnabled());
    // The proportion stays chosen, and the next rectangle is seated in it.
    EXPECT_TRUE(panel()->choice(6)->isOn());
    EXPECT_NEAR(document().cropRect().width() * 8, document().cropRect().height() * 10, 20);

    window->onCommand(ID_UNDO);
    EXPECT_EQ(document().canvasWidth(), 1600);
    EXPECT_EQ(document().canvasHeight(), 1200);
    EXPECT_EQ(window->statusText(), "1600*1200 landscape.jpg");
}

TEST_F(CropInWindow, ReturningToTheTabKeepsTheChosenProportion) {
    click(panel()->choice(3)); // "5 : 7"
    window->onCommand(ID_TAB_FRAME);
    EXPECT_FALSE(panel()->isVisible());
    window->onCommand(ID_TAB_CROP);
    EXPECT_TRUE(panel()->choice(3)->isOn());
    EXPECT_NEAR(document().cropRect().width() * 7, document().cropRect().height() * 5, 14);
}
