#include "photo_list_fixture.h"

#include <QContextMenuEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

using namespace photolist_test;
using Marks = std::vector<int>;

TEST_F(ListFixture, PlainClickMarksOnlyThatPhoto) {
    fill(6);
    click(1);
    click(4, Qt::ControlModifier);
    click(2);
    EXPECT_EQ(marked(), (Marks{2}));
    EXPECT_EQ(ctrl->currentIndex(), 2);
    EXPECT_EQ(opens(), 3);
    click(2); // nothing changes: the photo is not opened again
    EXPECT_EQ(opens(), 3);
    // A plain click on one of several marked photos keeps the others and opens it.
    click(3, Qt::ControlModifier);
    click(2);
    EXPECT_EQ(marked(), (Marks{2, 3}));
    EXPECT_EQ(ctrl->currentIndex(), 2);
    EXPECT_EQ(opens(), 5);
}

TEST_F(ListFixture, ControlClickTogglesAndUnmarkingReopensTheCurrentPhoto) {
    fill(6);
    click(1);
    click(3, Qt::ControlModifier);
    EXPECT_EQ(marked(), (Marks{1, 3}));
    EXPECT_EQ(ctrl->currentIndex(), 3);
    click(1, Qt::ControlModifier);
    EXPECT_EQ(marked(), (Marks{3}));
    EXPECT_EQ(ctrl->currentIndex(), 3);
    EXPECT_EQ(opens(), 3);
}

TEST_F(ListFixture, ShiftClickMarksTheRangeFromTheCurrentPhoto) {
    fill(8);
    click(0, Qt::ShiftModifier); // no current photo yet: just this one
    EXPECT_EQ(marked(), (Marks{0}));
    click(5, Qt::ShiftModifier);
    EXPECT_EQ(marked(), (Marks{0, 1, 2, 3, 4, 5}));
    click(2, Qt::ShiftModifier); // the range starts again from the current photo
    EXPECT_EQ(marked(), (Marks{0, 1, 2}));
    EXPECT_EQ(ctrl->currentIndex(), 0);
    click(6);
    click(3, Qt::ShiftModifier); // backwards
    EXPECT_EQ(marked(), (Marks{3, 4, 5, 6}));
    click(0, Qt::ShiftModifier | Qt::ControlModifier); // adds one and makes it current
    EXPECT_EQ(marked(), (Marks{0, 3, 4, 5, 6}));
    EXPECT_EQ(ctrl->currentIndex(), 0);
    EXPECT_EQ(opens(), 6);
}

TEST_F(ListFixture, ClickOnEmptySpaceUnmarksEverythingButTheBottomStripIsInert) {
    fill(6);
    click(1);
    click(2, Qt::ControlModifier);
    QTest::mouseClick(ctrl.get(), Qt::LeftButton, {}, QPoint(100, ctrl->height() - 5));
    EXPECT_EQ(marked(), (Marks{1, 2}));
    EXPECT_EQ(opens(), 2);
    QTest::mouseClick(ctrl.get(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(marked(), Marks{});
    EXPECT_EQ(ctrl->currentIndex(), -1);
    EXPECT_EQ(opens(), 3);
}

TEST_F(ListFixture, RightClickChoosesLikeALeftClickWithoutStartingABand) {
    fill(6);
    QContextMenuEvent onPhoto(QContextMenuEvent::Mouse, centreOf(3), ctrl->mapToGlobal(centreOf(3)));
    QCoreApplication::sendEvent(ctrl.get(), &onPhoto);
    EXPECT_EQ(marked(), (Marks{3}));
    EXPECT_EQ(opens(), 1);
    QContextMenuEvent onSpace(QContextMenuEvent::Mouse, QPoint(2, 2), ctrl->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(ctrl.get(), &onSpace);
    EXPECT_EQ(marked(), Marks{});
    QTest::mouseMove(ctrl.get(), centreOf(5) + QPoint(40, 40)); // no band follows the pointer
    EXPECT_EQ(marked(), Marks{});
}

TEST_F(ListFixture, RubberBandMarksThePhotosWhollyInsideIt) {
    fill(10);
    QTest::mousePress(ctrl.get(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(opens(), 1);
    QTest::mouseMove(ctrl.get(), QPoint(150, 140)); // over rows 0 and 1
    EXPECT_EQ(marked(), (Marks{0, 1, 2, 3}));
    EXPECT_EQ(ctrl->currentIndex(), 3);
    QTest::mouseMove(ctrl.get(), QPoint(150, 100)); // row 1 only partly inside
    EXPECT_EQ(marked(), (Marks{0, 1}));
    EXPECT_EQ(ctrl->currentIndex(), 1); // the current photo is always a marked one
    QTest::mouseRelease(ctrl.get(), Qt::LeftButton, {}, QPoint(150, 100));
    EXPECT_EQ(opens(), 2);                          // the band's choice is opened once, at the end
    QTest::mouseMove(ctrl.get(), QPoint(150, 300)); // the band has ended
    EXPECT_EQ(marked(), (Marks{0, 1}));
}

TEST_F(ListFixture, RubberBandScrollsARowPerMoveAndKeepsItsAnchorOnTheList) {
    fill(40); // 20 rows: range 20 * 76 - 700 + 33 = 853
    QTest::mousePress(ctrl.get(), Qt::LeftButton, {}, QPoint(2, 2));
    for (int i = 1; i <= 12; ++i) {
        QTest::mouseMove(ctrl.get(), QPoint(150, 710));
        EXPECT_EQ(ctrl->verticalOffset(), std::min(76 * i, 853));
    }
    // The anchor still sits at the top of the list, so rows 0 to 16 are inside, also those that were
    // scrolled away before they were ever seen.
    QTest::mouseMove(ctrl.get(), QPoint(150, 500));
    EXPECT_EQ(marked().size(), 34u);
    EXPECT_EQ(marked().front(), 0);
    EXPECT_EQ(ctrl->currentIndex(), 33);
    QTest::mouseMove(ctrl.get(), QPoint(150, -5));
    EXPECT_EQ(ctrl->verticalOffset(), 853 - 76);
    QTest::mouseRelease(ctrl.get(), Qt::LeftButton, {}, QPoint(150, -5));
}

TEST_F(ListFixture, ArrowKeysMoveTheMarkToTheNeighbourAndScrollItIntoView) {
    fill(40);
    QTest::keyClick(ctrl.get(), Qt::Key_Down); // no current photo: the first
    EXPECT_EQ(marked(), (Marks{0}));
    QTest::keyClick(ctrl.get(), Qt::Key_Right);
    QTest::keyClick(ctrl.get(), Qt::Key_Down);
    EXPECT_EQ(ctrl->currentIndex(), 3);
    EXPECT_EQ(marked(), (Marks{3}));
    EXPECT_EQ(opens(), 3);
    QTest::keyClick(ctrl.get(), Qt::Key_Right); // against the edge: nothing changes, nothing reopens
    EXPECT_EQ(opens(), 3);
    click(5, Qt::ControlModifier); // other marks stay
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(ctrl.get(), Qt::Key_Down);
    EXPECT_EQ(ctrl->currentIndex(), 25);
    EXPECT_EQ(marked(), (Marks{3, 25}));
    const QRect box = app::photo_list::pictureBox(24, 2, ctrl->verticalOffset());
    EXPECT_GE(box.top(), 0);
    EXPECT_LE(app::photo_list::nameRect(box).bottom() + 1, ctrl->height());
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(ctrl.get(), Qt::Key_Up);
    EXPECT_EQ(ctrl->currentIndex(), 1);
    EXPECT_EQ(ctrl->verticalOffset(), 0);
}

TEST_F(ListFixture, ControlAMarksEveryShownPhoto) {
    fill(5);
    list.records[1].removed = 1;
    ctrl->setList(&list);
    QTest::keyClick(ctrl.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(marked(), (Marks{0, 2, 3, 4}));
    EXPECT_EQ(ctrl->currentIndex(), 0);
    EXPECT_EQ(opens(), 1);         // the first photo became current
    click(3, Qt::ControlModifier); // unmark
    QTest::keyClick(ctrl.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(ctrl->currentIndex(), 0);
    EXPECT_EQ(opens(), 2);
}

TEST_F(ListFixture, RemovingMarkedPhotosRebuildsTheListAndDropsTheCurrentOne) {
    fill(6);
    click(4);
    click(1, Qt::ControlModifier);
    EXPECT_TRUE(ctrl->removeMarked());
    EXPECT_EQ(ctrl->shownIndices(), (std::vector<int>{0, 2, 3, 5}));
    EXPECT_EQ(ctrl->currentIndex(), -1);
    EXPECT_FALSE(ctrl->removeMarked());
    click(2); // shown position 2 is record 3
    EXPECT_EQ(ctrl->currentIndex(), 3);
    fill(1); // appending keeps the current photo
    EXPECT_EQ(ctrl->currentIndex(), 3);
    ctrl->setList(nullptr);
    EXPECT_EQ(ctrl->currentIndex(), -1);
    EXPECT_TRUE(ctrl->shownIndices().empty());
}

TEST_F(ListFixture, DroppedLocalFilesAreHandedOn) {
    QSignalSpy dropped(ctrl.get(), &app::CPhotoListCtrl::filesDropped);
    QMimeData remote;
    remote.setUrls({QUrl("https://example.org/a.jpg")});
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &remote, Qt::LeftButton, {});
    QCoreApplication::sendEvent(ctrl.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/photos/a.jpg"), QUrl("https://example.org/b.jpg"),
                   QUrl::fromLocalFile("/photos/c.png")});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
    QCoreApplication::sendEvent(ctrl.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
    QCoreApplication::sendEvent(ctrl.get(), &drop);
    ASSERT_EQ(dropped.size(), 1);
    EXPECT_EQ(dropped[0][0].toStringList(), (QStringList{"/photos/a.jpg", "/photos/c.png"}));
}
