// The main window's resource handling: the lists in their panels, package import from the File menu,
// choosing, dragging and the brush tips.

#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "app/window/main_layout.h"
#include "controls/buttons/skin_button.h"
#include "controls/buttons/toggle_button.h"
#include "controls/help_viewer.h"
#include "controls/skin_palette.h"
#include "controls/skin_scroll_bar.h"
#include "library_fixture.h"
#include "platform/scripted_dialogs.h"
#include "resources/library_lock.h"
#include "resources/package_importer.h"
#include "resources/package_writer.h"
#include "resources/widgets/resource_list.h"
#include "workspace/decorations/resource_placement.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QDirIterator>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

namespace {

using namespace resources;
using resources_test::testPicture;

// Records which placing operation a drop reaches, with the clipart's point.
struct RecordingPlacement : workspace::ResourcePlacement {
    struct Call {
        QString kind;
        int index;
        QPoint point;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
    workspace::PlaceResult PlaceFrame(int index) override {
        return record({QStringLiteral("frame"), index, {}});
    }
    workspace::PlaceResult PlaceMask(int index) override {
        return record({QStringLiteral("mask"), index, {}});
    }
    workspace::PlaceResult PlaceClipart(int index, int x, int y) override {
        return record({QStringLiteral("clipart"), index, {x, y}});
    }
    workspace::PlaceResult PlaceDecoration(int index) override {
        return record({QStringLiteral("decoration"), index, {}});
    }
    workspace::PlaceResult record(Call call) {
        calls.push_back(std::move(call));
        return workspace::PlaceResult::Placed;
    }
};

class EditorResources : public resources_test::LibraryTest {
protected:
    platform::ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<app::CEditorApp> editor;
    app::CEditorDlg* window = nullptr;

    QString package(const QString& name, ResourceCategory category, int count, int seed = 1) {
        PackageWriter writer(category);
        for (int i = 0; i < count; ++i) {
            const QImage picture = testPicture(30 + i, 20, seed + i);
            EXPECT_TRUE(category == ResourceCategory::Cliparts || category == ResourceCategory::Brushes
                            ? writer.addRaw(picture)
                            : writer.addPicture(picture));
        }
        return writePackage(name, writer.bytes());
    }

    void start() {
        auto scripted = std::make_unique<platform::ScriptedDialogs>();
        dialogs = scripted.get();
        editor = std::make_unique<app::CEditorApp>(folders(), std::move(scripted));
        window = &editor->startMainWindow();
        window->resize(1280, 800);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    CResourceList& frames() const { return *window->resourceList(workspace::ToolFrame); }
    const controls::CToggleButton& toggle() const {
        return *static_cast<controls::CToggleButton*>(window->button(app::ID_BRUSH_TOGGLE));
    }
    workspace::WorkspaceDocument& document() const { return window->workspace()->document(); }

    QPoint cellCentre(const CResourceList& list, int index) const {
        return list.grid().cellRect(index, list.scrollPosition()).center();
    }

    // A mouse event for the list at a point given in the main window's coordinates.
    void sendToList(CResourceList& list, QEvent::Type type, QPoint windowPoint) {
        const QPointF global = window->mapToGlobal(QPointF(windowPoint));
        QMouseEvent event(type, list.mapFromGlobal(global), global, Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
        QApplication::sendEvent(&list, &event);
    }
};

TEST_F(EditorResources, EachPanelShowsItsListFromTheLibraryAndTheBrushWaitsForATipToBeChosen) {
    ASSERT_TRUE(ImportResourcePackage(folders(), package("f.irs", ResourceCategory::Frames, 3)).imported());
    ASSERT_TRUE(ImportResourcePackage(folders(), package("c.irs", ResourceCategory::Cliparts, 4)).imported());
    ASSERT_TRUE(ImportResourcePackage(folders(), package("b.irs", ResourceCategory::Brushes, 2)).imported());
    start();

    EXPECT_EQ(frames().count(), 3);
    EXPECT_EQ(frames().parentWidget(), window->toolPanel(workspace::ToolFrame));
    EXPECT_EQ(frames().geometry(), window->toolPanel(workspace::ToolFrame)->rect());
    EXPECT_TRUE(frames().isVisible());
    EXPECT_EQ(window->resourceList(workspace::ToolClipart)->count(), 4);
    EXPECT_EQ(window->resourceList(workspace::ToolClipart)->button()->text(), QStringLiteral("Add"));
    EXPECT_EQ(window->resourceList(workspace::ToolMask)->count(), 0);
    EXPECT_EQ(window->resourceList(workspace::ToolDecoration)->count(), 0);
    EXPECT_EQ(window->resourceList(workspace::ToolCrop), nullptr);
    EXPECT_EQ(window->brushTipList()->count(), 2);
    // No tip is chosen at start, and the list and the switch say so: a click on the photo selects rather
    // than paints until the user picks a tip, also after touching the other brush controls.
    EXPECT_EQ(window->brushTipList()->SelectedIndex(), -1);
    EXPECT_FALSE(window->brushOn());
    EXPECT_FALSE(toggle().isOn());
    platform::sendMessage(window, platform::UM_DIALCHANGED, 40, 3); // the opacity dial
    EXPECT_EQ(document().brush().tipIndex, -1);
    EXPECT_EQ(document().brushTip(), nullptr);
    const workspace::Rect view = document().viewRect();
    document().ButtonDown(view.left + 10, view.top + 10);
    document().ButtonUp();
    EXPECT_FALSE(document().objects().contains(workspace::BrushStroke));

    // Choosing a tip switches painting on, and the switch shows it; so does choosing one again after the
    // Crop tab switched it off.
    QTest::mouseClick(window->brushTipList(), Qt::LeftButton, {}, cellCentre(*window->brushTipList(), 0));
    EXPECT_EQ(document().brush().tipIndex, 0);
    ASSERT_NE(document().brushTip(), nullptr);
    EXPECT_EQ(*document().brushTip(), window->brushTipList()->pictures()[0]);
    EXPECT_EQ(window->brushTipList()->SelectedIndex(), 0);
    EXPECT_TRUE(document().brush().paintingEnabled);
    EXPECT_TRUE(toggle().isOn());
    window->onCommand(app::ID_TAB_CROP);
    EXPECT_FALSE(toggle().isOn());
    QTest::mouseClick(window->brushTipList(), Qt::LeftButton, {}, cellCentre(*window->brushTipList(), 1));
    EXPECT_EQ(document().brush().tipIndex, 1);
    EXPECT_TRUE(document().brush().paintingEnabled);
    EXPECT_TRUE(toggle().isOn());
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(EditorResources, ImportEditingResourceExtendsTheListOrSaysWhyNot) {
    ASSERT_TRUE(
        ImportResourcePackage(folders(), package("first.irs", ResourceCategory::Frames, 2)).imported());
    start();
    frames().Select(1);

    dialogs->queueOpenFiles({package("second.irs", ResourceCategory::Frames, 3, 20)});
    window->onCommand(app::ID_FILE_IMPORT_RESOURCE);
    EXPECT_EQ(dialogs->shown().front().text, QStringLiteral("(*.irs)|*.irs||"));
    EXPECT_EQ(frames().count(), 5);
    EXPECT_EQ(frames().SelectedIndex(), 0);
    EXPECT_EQ(frames().pictures()[2], fittedThumbnail(testPicture(30, 20, 20)));

    window->onCommand(app::ID_FILE_IMPORT_RESOURCE); // cancelled
    dialogs->queueOpenFiles({package("second.irs", ResourceCategory::Frames, 1, 40)});
    window->onCommand(app::ID_FILE_IMPORT_RESOURCE);
    EXPECT_EQ(dialogs->shown().back().text, QStringLiteral("Already in the library."));

    PackageWriter seven(static_cast<ResourceCategory>(7));
    ASSERT_TRUE(seven.addRaw(testPicture(4, 4, 1)));
    dialogs->queueOpenFiles({writePackage("seven.irs", seven.bytes())});
    window->onCommand(app::ID_FILE_IMPORT_RESOURCE);
    EXPECT_TRUE(dialogs->shown().back().text.startsWith(
        QStringLiteral("The package \"seven.irs\" was not imported: its category (7)")));
    EXPECT_EQ(frames().count(), 5);

    // While another import holds the library, the window says so instead of waiting for it.
    {
        LibraryLock other(folders().GetDataFolder());
        ASSERT_EQ(other.take(), LibraryLock::State::Held);
        dialogs->queueOpenFiles({package("third.irs", ResourceCategory::Frames, 1, 60)});
        window->onCommand(app::ID_FILE_IMPORT_RESOURCE);
        EXPECT_EQ(
            dialogs->shown().back().text,
            QStringLiteral("The package \"third.irs\" was not imported: another import into the library "
                           "is under way; try again when it has finished."));
        EXPECT_EQ(frames().count(), 5);
    }

    // New brush tips reach the list and the brush at once.
    dialogs->queueOpenFiles({package("tips.irs", ResourceCategory::Brushes, 2)});
    window->onCommand(app::ID_FILE_IMPORT_RESOURCE);
    EXPECT_EQ(window->brushTipList()->count(), 2);
    EXPECT_EQ(document().brush().tipIndex, -1); // no tip chosen yet: still nothing to paint with
    QTest::mouseClick(window->brushTipList(), Qt::LeftButton, {}, cellCentre(*window->brushTipList(), 1));
    EXPECT_EQ(document().brush().tipIndex, 1);
    EXPECT_NE(document().brushTip(), nullptr);
}

TEST_F(EditorResources, PressesAndDoubleClicksReachTheMainWindow) {
    ASSERT_TRUE(ImportResourcePackage(folders(), package("f.irs", ResourceCategory::Frames, 3)).imported());
    ASSERT_TRUE(ImportResourcePackage(folders(), package("c.irs", ResourceCategory::Cliparts, 3)).imported());
    ASSERT_TRUE(ImportResourcePackage(folders(), package("b.irs", ResourceCategory::Brushes, 3)).imported());
    start();
    RecordingPlacement placement;
    document().setResourcePlacement(&placement);

    QTest::mouseClick(&frames(), Qt::LeftButton, {}, cellCentre(frames(), 1));
    EXPECT_EQ(window->resourceSelection(), std::make_pair(0, 1));
    EXPECT_TRUE(placement.calls.empty());
    QTest::mouseDClick(&frames(), Qt::LeftButton, {}, cellCentre(frames(), 1));
    ASSERT_EQ(placement.calls.size(), 1u);
    EXPECT_EQ(placement.calls[0], (RecordingPlacement::Call{QStringLiteral("frame"), 1, {}}));

    window->onCommand(app::ID_TAB_CLIPART);
    CResourceList& cliparts = *window->resourceList(workspace::ToolClipart);
    QTest::mouseClick(&cliparts, Qt::LeftButton, {}, cellCentre(cliparts, 2));
    EXPECT_EQ(window->resourceSelection(), std::make_pair(2, 2));
    cliparts.button()->click();
    ASSERT_EQ(placement.calls.size(), 2u);
    // A chosen clipart lands on the middle of the photo area.
    const workspace::Rect& view = document().viewRect();
    const QPoint middle(view.left + view.width() / 2, view.top + view.height() / 2);
    EXPECT_EQ(placement.calls[1], (RecordingPlacement::Call{QStringLiteral("clipart"), 2, middle}));

    // A tip chosen in the brush list becomes the brush's tip; its angle follows dial A.
    CResourceList& tips = *window->brushTipList();
    QTest::mouseClick(&tips, Qt::LeftButton, {}, cellCentre(tips, 2));
    EXPECT_EQ(document().brush().tipIndex, 2);
    EXPECT_EQ(placement.calls.size(), 2u);
    platform::sendMessage(window, platform::UM_DIALCHANGED, static_cast<platform::WParam>(45), 2);
    EXPECT_EQ(tips.tipAngle(2), 45);
    EXPECT_EQ(tips.tipAngle(0), 0);
    document().setResourcePlacement(nullptr);
}

TEST_F(EditorResources, ADragFromAListDropsOnTheWorkspaceWithItsKindIndexAndPoint) {
    ASSERT_TRUE(ImportResourcePackage(folders(), package("f.irs", ResourceCategory::Frames, 3)).imported());
    ASSERT_TRUE(ImportResourcePackage(folders(), package("c.irs", ResourceCategory::Cliparts, 3)).imported());
    start();
    RecordingPlacement placement;
    document().setResourcePlacement(&placement);
    const QRect workspaceArea = window->workspace()->geometry();
    const QPoint target = workspaceArea.center() + QPoint(30, -20);

    window->onCommand(app::ID_TAB_CLIPART);
    CResourceList& cliparts = *window->resourceList(workspace::ToolClipart);
    const QPoint start = cliparts.mapTo(window, cellCentre(cliparts, 2));
    QTest::mousePress(&cliparts, Qt::LeftButton, {}, cellCentre(cliparts, 2));
    sendToList(cliparts, QEvent::MouseMove, start + QPoint(0, 30));
    ASSERT_TRUE(cliparts.dragging());
    EXPECT_EQ(cliparts.cursor().shape(), Qt::ClosedHandCursor);
    sendToList(cliparts, QEvent::MouseMove, target);
    EXPECT_EQ(cliparts.cursor().shape(), Qt::BitmapCursor); // the drop cursor
    sendToList(cliparts, QEvent::MouseButtonRelease, target);
    EXPECT_FALSE(cliparts.dragging());
    ASSERT_EQ(placement.calls.size(), 1u);
    EXPECT_EQ(placement.calls[0],
              (RecordingPlacement::Call{QStringLiteral("clipart"), 2, target - workspaceArea.topLeft()}));

    // Let go anywhere else, nothing is placed.
    QTest::mousePress(&cliparts, Qt::LeftButton, {}, cellCentre(cliparts, 0));
    sendToList(cliparts, QEvent::MouseMove, start + QPoint(0, 30));
    sendToList(cliparts, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(placement.calls.size(), 1u);
    EXPECT_FALSE(cliparts.dragging());

    window->onCommand(app::ID_TAB_FRAME);
    QTest::mousePress(&frames(), Qt::LeftButton, {}, cellCentre(frames(), 1));
    sendToList(frames(), QEvent::MouseMove, target);
    sendToList(frames(), QEvent::MouseButtonRelease, target);
    ASSERT_EQ(placement.calls.size(), 2u);
    EXPECT_EQ(placement.calls[1], (RecordingPlacement::Call{QStringLiteral("frame"), 1, {}}));
    document().setResourcePlacement(nullptr);
}

TEST_F(EditorResources, TheButtonAndTheLinkNeverCoverAThumbnailAtTheSmallestWindow) {
    const std::pair<ResourceCategory, int> panels[] = {{ResourceCategory::Frames, app::ID_TAB_FRAME},
                                                       {ResourceCategory::Masks, app::ID_TAB_MASK},
                                                       {ResourceCategory::Cliparts, app::ID_TAB_CLIPART},
                                                       {ResourceCategory::Decorations, app::ID_TAB_DECORATION}};
    for (const auto& [category, tab] : panels)
        ASSERT_TRUE(ImportResourcePackage(folders(), package(QStringLiteral("p%1.irs").arg(tab), category, 40))
                        .imported());
    start();
    window->resize(app::kMinimumWidth, app::kMinimumHeight);
    QCoreApplication::processEvents();
    for (const auto& [category, tab] : panels) {
        window->onCommand(tab);
        CResourceList& list = *window->resourceList(window->activeToolMode());
        ASSERT_TRUE(list.isVisible());
        ASSERT_NE(list.button(), nullptr);
        ASSERT_NE(list.link(), nullptr);
        const QRect button = list.button()->geometry();
        const QRect link = list.link()->geometry();
        ASSERT_GT(list.grid().scrollRange(), 0);
        // Every scroll position, so that rows cut by the strip's edge are seen too.
        for (int scroll = 0; scroll <= list.grid().scrollRange(); scroll += 5) {
            platform::sendMessage(&list, platform::UM_LISTSCROLL, controls::CSkinScrollBar::ThumbTrack, scroll);
            const list_geometry::Grid::Span span = list.grid().visible(list.scrollPosition());
            for (int i = span.first; i < span.end; ++i) {
                const QRect shown = list.grid().cellRect(i, list.scrollPosition()).intersected(list.cellArea());
                ASSERT_FALSE(shown.intersects(button)) << int(category) << " entry " << i << " at " << scroll;
                ASSERT_FALSE(shown.intersects(link)) << int(category) << " entry " << i << " at " << scroll;
            }
            // Nor do the pictures of a cut row reach into the strip between the two.
            const QImage shot = list.grab().toImage();
            const int y = list.cellArea().bottom() + 3;
            for (int x = button.right() + 2; x < link.left() - 1; ++x)
                ASSERT_EQ(QColor(shot.pixel(x, y)), controls::skin::kReadoutFace) << x << " at " << scroll;
        }
    }
}

TEST_F(EditorResources, GetMoreResourcesOpensTheHelpBooksPageOnPackages) {
    start();
    QLabel* link = frames().link();
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->text().contains(QStringLiteral("Get More Resources")));
    EXPECT_EQ(window->brushTipList()->link(), nullptr);
    emit frames().linkActivated();
    ASSERT_EQ(dialogs->count(QStringLiteral("information")), 1);
    EXPECT_TRUE(dialogs->shown().back().text.startsWith(QStringLiteral("The help book was not found")));

    const QString book = root_.path() + QStringLiteral("/Help");
    QDir().mkpath(book);
    for (QDirIterator it(QStringLiteral(PICTOVANCE_SOURCE_DIR "/help"), QDir::Files); it.hasNext();) {
        it.next();
        ASSERT_TRUE(QFile::copy(it.filePath(), book + QLatin1Char('/') + it.fileName()));
    }
    emit frames().linkActivated();
    const auto* viewer = window->findChild<controls::CHelpViewer*>();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->currentPage().toLocalFile().endsWith(QStringLiteral("/resource-packages.html")));
}

} // namespace
