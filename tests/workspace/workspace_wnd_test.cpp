#include "platform/messages.h"
#include "support/temp_folder.h"
#include "workspace/workspace_wnd.h"

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

struct Window : ::testing::Test {
    TempFolder folder;
    MessageLog main;
    std::unique_ptr<CWorkspaceWnd> workspace;

    void SetUp() override {
        main.resize(900, 700);
        workspace = std::make_unique<CWorkspaceWnd>(folder.path(), &main);
        workspace->setGeometry(0, 0, 820, 620);
        main.show();
        text::TextObject& style = workspace->document().textTemplate();
        style.font = text::makeLogFont(u"DejaVu Sans", 50);
        text::setText(style, u"Hi");
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
    EXPECT_EQ(edits.takeFirst().at(0).toString(), "Hi");

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
