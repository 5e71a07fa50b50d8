// The browser list widget: loading, painting, selection, the messages it sends, scrolling and keys.

#include "controls/message_recorder.h"
#include "controls/buttons/skin_button.h"
#include "controls/skin_scroll_bar.h"
#include "library_fixture.h"
#include "platform/scripted_dialogs.h"
#include "resources/resource_library.h"
#include "resources/widgets/resource_list.h"

#include <QTest>
#include <memory>

namespace resources {
namespace {

using controls_test::MessageRecorder;
using controls_test::Recorded;
using resources_test::rawList;
using resources_test::testPicture;

QImage solid(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

class ResourceListTest : public resources_test::LibraryTest {
protected:
    // A list in a recording parent, three columns wide and as high as a tool panel.
    CResourceList& makeList(const BrowserListSetup& setup, const std::vector<QImage>& pictures) {
        writeData(setup.rawList, rawList(pictures));
        list_ = std::make_unique<CResourceList>(setup, library_, dialogs_, &parent_);
        list_->setGeometry(0, 0, 3 * setup.cellSize + list_geometry::kScrollBarWidth + 10, 134);
        parent_.resize(400, 300);
        parent_.show();
        list_->reload();
        parent_.received.clear();
        return *list_;
    }

    std::vector<Recorded> messages(int message) const {
        std::vector<Recorded> found;
        for (const Recorded& recorded : parent_.received)
            if (recorded.message == message)
                found.push_back(recorded);
        return found;
    }

    QPoint centreOf(int index) const {
        return list_->grid().cellRect(index, list_->scrollPosition()).center();
    }

    ResourceLibrary library_{folders()};
    platform::ScriptedDialogs dialogs_;
    MessageRecorder parent_;
    std::unique_ptr<CResourceList> list_;
};

TEST_F(ResourceListTest, LoadsItsFileSelectsTheFirstEntryAndKeepsWhatPrecedesADamagedEntry) {
    CResourceList& list = makeList(lists::kFrames, {testPicture(8, 8, 1), testPicture(9, 9, 2)});
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.SelectedIndex(), 0);
    EXPECT_EQ(list.button()->text(), QStringLiteral("Apply"));

    QByteArray shortened = rawList({testPicture(8, 8, 1), testPicture(9, 9, 2), testPicture(5, 5, 3)});
    shortened.chop(3);
    writeData(files::kFrameThumbnails, shortened);
    EXPECT_FALSE(list.reload());
    EXPECT_EQ(list.count(), 2);

    ASSERT_TRUE(QFile::remove(dataPath(files::kFrameThumbnails)));
    EXPECT_FALSE(list.reload());
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.SelectedIndex(), -1);
}

TEST_F(ResourceListTest, PaintsSmallPicturesAtTheirSizeShrinksLargeOnesAndFramesTheSelection) {
    CResourceList& list = makeList(lists::kCliparts, {solid(10, 10, Qt::red), solid(200, 100, Qt::blue)});
    list.Select(1);
    const QImage shot = list.grab().toImage();
    const QRect first = list.grid().cellRect(0, 0);
    const QPoint centre = first.center();
    EXPECT_EQ(QColor(shot.pixel(centre)), QColor(Qt::red));
    EXPECT_EQ(QColor(shot.pixel(centre + QPoint(6, 0))), QColor(Qt::white)); // outside the 10 × 10 picture
    // 200 × 100 into a 58 × 58 cell: 58 × 29, centred.
    const QRect second = list.grid().cellRect(1, 0);
    EXPECT_EQ(QColor(shot.pixel(second.center())), QColor(Qt::blue));
    EXPECT_EQ(QColor(shot.pixel(second.left() + 1, second.center().y())), QColor(Qt::blue));
    EXPECT_EQ(QColor(shot.pixel(second.center().x(), second.center().y() - 16)), QColor(Qt::white));
    EXPECT_EQ(QColor(shot.pixel(second.left(), second.top())), QColor(120, 200, 255));
    EXPECT_EQ(QColor(shot.pixel(second.left() - 1, second.top() - 1)), QColor(120, 200, 255));
    EXPECT_EQ(QColor(shot.pixel(first.left(), first.top())), QColor(Qt::white));
}

TEST_F(ResourceListTest, BrushTipsAreShownTurnedByTheirAngle) {
    CResourceList& list = makeList(lists::kBrushTips, {solid(30, 4, Qt::black)});
    EXPECT_EQ(list.button(), nullptr);
    const QPoint centre = list.grid().cellRect(0, 0).center();
    QImage shot = list.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(centre + QPoint(12, 0))), QColor(Qt::black));
    EXPECT_EQ(QColor(shot.pixel(centre + QPoint(0, 12))), QColor(Qt::white));
    list.setTipAngle(0, 90);
    shot = list.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(centre + QPoint(12, 0))), QColor(Qt::white));
    EXPECT_EQ(QColor(shot.pixel(centre + QPoint(0, 12))), QColor(Qt::black));
}

TEST_F(ResourceListTest, PressesReportTheSelectionAndDoubleClicksPickWithTheListsCode) {
    for (const BrowserListSetup* setup :
         {&lists::kFrames, &lists::kMasks, &lists::kCliparts, &lists::kDecorations}) {
        CResourceList& list =
            makeList(*setup, {testPicture(8, 8, 1), testPicture(8, 8, 2), testPicture(8, 8, 3)});
        QTest::mousePress(&list, Qt::LeftButton, {}, centreOf(2));
        QTest::mouseRelease(&list, Qt::LeftButton, {}, centreOf(2));
        EXPECT_EQ(list.SelectedIndex(), 2);
        ASSERT_EQ(messages(platform::UM_RESOURCESELECTION).size(), 1u);
        EXPECT_EQ(messages(platform::UM_RESOURCESELECTION)[0].wParam,
                  static_cast<platform::WParam>(setup->kind));
        EXPECT_EQ(messages(platform::UM_RESOURCESELECTION)[0].lParam, 2);
        EXPECT_TRUE(messages(platform::UM_RESOURCEPICKED).empty());

        QTest::mouseDClick(&list, Qt::LeftButton, {}, centreOf(1));
        ASSERT_EQ(messages(platform::UM_RESOURCEPICKED).size(), 1u);
        EXPECT_EQ(messages(platform::UM_RESOURCEPICKED)[0].wParam,
                  static_cast<platform::WParam>(setup->pickCode));
        EXPECT_EQ(messages(platform::UM_RESOURCEPICKED)[0].lParam, 1);
    }
    EXPECT_EQ(lists::kFrames.pickCode, 3);
    EXPECT_EQ(lists::kMasks.pickCode, 2);
    EXPECT_EQ(lists::kCliparts.pickCode, 0);
    EXPECT_EQ(lists::kDecorations.pickCode, 9);
}

TEST_F(ResourceListTest, APressOnABrushTipChoosesItAndNoPressDragsIt) {
    CResourceList& list = makeList(lists::kBrushTips, {testPicture(8, 8, 1), testPicture(8, 8, 2)});
    QTest::mousePress(&list, Qt::LeftButton, {}, centreOf(1));
    QTest::mouseMove(&list, centreOf(1) + QPoint(40, 40));
    EXPECT_FALSE(list.dragging());
    QTest::mouseRelease(&list, Qt::LeftButton, {}, centreOf(1));
    ASSERT_EQ(parent_.received.size(), 2u);
    EXPECT_EQ(parent_.received[0].message, platform::UM_RESOURCEPICKED);
    EXPECT_EQ(parent_.received[0].wParam, 1u);
    EXPECT_EQ(parent_.received[0].lParam, 1); // a tip was chosen
    EXPECT_EQ(parent_.received[1].message, platform::UM_RESOURCESELECTION);
    EXPECT_EQ(parent_.received[1].wParam, 4u);
    EXPECT_EQ(parent_.received[1].lParam, 1);
}

TEST_F(ResourceListTest, APressAndAMoveDragTheEntryUntilTheButtonIsReleased) {
    CResourceList& list = makeList(lists::kCliparts, {testPicture(8, 8, 1), testPicture(8, 8, 2)});
    QTest::mouseMove(&list, centreOf(1));
    EXPECT_FALSE(list.dragging());
    QTest::mousePress(&list, Qt::LeftButton, {}, centreOf(1));
    QTest::mouseMove(&list, centreOf(1) + QPoint(5, 200));
    EXPECT_TRUE(list.dragging());
    EXPECT_EQ(list.cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseRelease(&list, Qt::LeftButton, {}, centreOf(1) + QPoint(5, 200));
    EXPECT_FALSE(list.dragging());
    EXPECT_EQ(list.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ResourceListTest, TheButtonPicksTheSelectionOrAsksForOne) {
    CResourceList& list = makeList(lists::kCliparts, {testPicture(8, 8, 1), testPicture(8, 8, 2)});
    EXPECT_EQ(list.button()->text(), QStringLiteral("Add"));
    list.Select(1);
    list.button()->click();
    ASSERT_EQ(messages(platform::UM_RESOURCEPICKED).size(), 1u);
    EXPECT_EQ(messages(platform::UM_RESOURCEPICKED)[0].wParam, 0u);
    EXPECT_EQ(messages(platform::UM_RESOURCEPICKED)[0].lParam, 1);

    // An empty list has nothing selected.
    CResourceList& empty = makeList(lists::kFrames, {});
    empty.button()->click();
    EXPECT_TRUE(messages(platform::UM_RESOURCEPICKED).empty());
    ASSERT_EQ(dialogs_.count(QStringLiteral("information")), 1);
    EXPECT_EQ(dialogs_.shown().back().text, QStringLiteral("Please Select a object to operate."));
}

TEST_F(ResourceListTest, PressesNearTheBottomEdgeSelectNothing) {
    std::vector<QImage> pictures;
    for (int i = 0; i < 9; ++i)
        pictures.push_back(testPicture(8, 8, i));
    CResourceList& list = makeList(lists::kFrames, pictures);
    list.Select(4);
    // Row 2 starts at 131, within 30 px of the bottom (134): visible, but not to be pressed.
    QTest::mousePress(&list, Qt::LeftButton, {}, QPoint(centreOf(7).x(), 132));
    EXPECT_EQ(list.SelectedIndex(), 4);
}

TEST_F(ResourceListTest, ScrollsByHundredPixelStepsWithinItsRangeAndOnlyWhenNeeded) {
    std::vector<QImage> pictures;
    for (int i = 0; i < 6; ++i)
        pictures.push_back(testPicture(8, 8, i));
    CResourceList& list = makeList(lists::kFrames, pictures);
    // Two rows and the spare cell, with the button strip under them: no scrolling.
    list.resize(list.width(), 192 + list_geometry::kButtonStrip);
    EXPECT_FALSE(list.scrollBar().isVisible());

    for (int i = 0; i < 24; ++i)
        pictures.push_back(testPicture(8, 8, i));
    writeData(files::kFrameThumbnails, rawList(pictures));
    list.reload();
    ASSERT_TRUE(list.scrollBar().isVisible());
    const int range = list.grid().scrollRange(); // 10 rows + 1 - 192
    EXPECT_EQ(range, 512);
    QWheelEvent down(QPointF(20, 20), list.mapToGlobal(QPointF(20, 20)), {}, QPoint(0, -120), Qt::NoButton,
                     {}, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&list, &down);
    EXPECT_EQ(list.scrollPosition(), 100);
    platform::sendMessage(&list, platform::UM_LISTSCROLL, controls::CSkinScrollBar::PageDown);
    EXPECT_EQ(list.scrollPosition(), 200);
    platform::sendMessage(&list, platform::UM_LISTSCROLL, controls::CSkinScrollBar::Bottom);
    EXPECT_EQ(list.scrollPosition(), range);
    platform::sendMessage(&list, platform::UM_LISTSCROLL, controls::CSkinScrollBar::LineDown);
    EXPECT_EQ(list.scrollPosition(), range);
    platform::sendMessage(&list, platform::UM_LISTSCROLL, controls::CSkinScrollBar::ThumbTrack, 37);
    EXPECT_EQ(list.scrollPosition(), 37);
}

TEST_F(ResourceListTest, ArrowKeysMoveTheSelectionAndScrollItIntoView) {
    std::vector<QImage> pictures;
    for (int i = 0; i < 30; ++i)
        pictures.push_back(testPicture(8, 8, i));
    CResourceList& list = makeList(lists::kDecorations, pictures);
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Right);
    EXPECT_EQ(list.SelectedIndex(), 1);
    QTest::keyClick(&list, Qt::Key_Right);
    QTest::keyClick(&list, Qt::Key_Right); // the row ends here
    EXPECT_EQ(list.SelectedIndex(), 2);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.SelectedIndex(), 14);
    const QRect cell = list.grid().cellRect(14, list.scrollPosition());
    EXPECT_GE(cell.top(), 0);
    EXPECT_LE(cell.bottom(), list.height() - list_geometry::kButtonStrip);
    QTest::keyClick(&list, Qt::Key_Left);
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(list.SelectedIndex(), 10);
}

} // namespace
} // namespace resources
