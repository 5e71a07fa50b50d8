#include "controls/numbered_images.h"
#include "photo_list_fixture.h"

#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QToolTip>
#include <QPainter>
#include <QTest>

using namespace photolist_test;
using app::photo_list::fittedRect;
using app::photo_list::pictureBox;

namespace {

bool near(QRgb pixel, const QColor& colour, int tolerance = 40) {
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

} // namespace

// The control as drawn, looked at in its own coordinates whatever the screen's pixel ratio.
struct Shot {
    QImage image;
    QRgb pixel(int x, int y) const {
        const qreal ratio = image.devicePixelRatio();
        return image.pixel(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
    }
    QRgb pixel(const QPoint& point) const { return pixel(point.x(), point.y()); }
    int height() const { return static_cast<int>(image.height() / image.devicePixelRatio()); }
};

struct PaintFixture : ListFixture {
    Shot shot() const {
        const QPixmap grabbed = ctrl->grab();
        QImage image = grabbed.toImage().convertToFormat(QImage::Format_RGB32);
        image.setDevicePixelRatio(grabbed.devicePixelRatio());
        return {image};
    }
    QRect fitted(int position) const {
        return fittedRect(pictureBox(position, ctrl->columns(), ctrl->verticalOffset()), 800, 600);
    }
};

TEST_F(PaintFixture, NothingIsDrawnWithoutAWholeColumn) {
    fill(3);
    ctrl->resize(17 + 75, 300);
    const Shot narrow = shot();
    for (int y = 0; y < 300; y += 3)
        for (int x = 0; x < 75; x += 3)
            ASSERT_EQ(narrow.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
    ctrl->resize(17 + 76, 300);
    EXPECT_NE(shot().pixel(fitted(0).center()), qRgb(255, 255, 255));
}

TEST_F(PaintFixture, ThumbnailsAreDrawnUprightInTheirFittedRectangleWithTheirNames) {
    fill(2);
    const Shot image = shot();
    const QRect photo = fitted(1);
    EXPECT_TRUE(near(image.pixel(photo.center().x(), photo.top() + 5), Qt::blue));
    EXPECT_TRUE(near(image.pixel(photo.center().x(), photo.bottom() - 5), Qt::red));
    EXPECT_TRUE(
        near(image.pixel(photo.center().x(), photo.top() - 3), Qt::white, 2)); // letterbox stays white
    // Some ink under the box: the name.
    const QRect name = app::photo_list::nameRect(pictureBox(1, 2, 0));
    int ink = 0;
    for (int y = name.top(); y <= name.bottom(); ++y)
        for (int x = name.left(); x <= name.right(); ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(ink, 20);
}

TEST_F(PaintFixture, ANameTooLongIsShortenedInTheMiddleAndShownWholeInItsTooltip) {
    fill(2);
    const QString whole = QStringLiteral("a day by the sea with the whole family, summer 2026.jpg");
    folder.write(whole, "x");
    folder.write("a.jpg", "x");
    ASSERT_TRUE(app::setRecordPath(list.records[0], folder.file("a.jpg"), true));
    ASSERT_TRUE(app::setRecordPath(list.records[1], folder.file(whole), true));
    ctrl->setList(&list);
    const QRect name = app::photo_list::nameRect(pictureBox(1, 2, 0));
    const QString shown = app::photo_list::fittedName(ctrl->fontMetrics(), whole, name.width());
    EXPECT_TRUE(shown.startsWith(whole.left(2)) && shown.endsWith(QStringLiteral("jpg"))) << shown.toStdString();
    EXPECT_EQ(ctrl->toolTipAt(centreOf(1)), whole);
    EXPECT_EQ(ctrl->toolTipAt(name.center()), whole);
    EXPECT_EQ(ctrl->toolTipAt(centreOf(0)), ""); // "a.jpg" fits
    QHelpEvent help(QEvent::ToolTip, name.center(), ctrl->mapToGlobal(name.center()));
    QApplication::sendEvent(ctrl.get(), &help);
    EXPECT_EQ(QToolTip::text(), whole);
    QToolTip::hideText();
}

TEST_F(PaintFixture, MarkedPhotosGetTwoBlueFramesAndAWhiteOne) {
    fill(2);
    click(0);
    const Shot image = shot();
    const QRect photo = fitted(0);
    const int y = photo.center().y();
    EXPECT_EQ(image.pixel(photo.left() - 1, y), qRgb(0, 100, 200));
    EXPECT_EQ(image.pixel(photo.left(), y), qRgb(0, 100, 200));
    EXPECT_EQ(image.pixel(photo.left() + 1, y), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(photo.right(), y), qRgb(0, 100, 200));
    EXPECT_EQ(image.pixel(photo.right() + 1, y), qRgb(0, 100, 200));
    EXPECT_NE(shot().pixel(fitted(1).left(), y), qRgb(0, 100, 200));
}

TEST_F(PaintFixture, APhotoWhoseFileIsGoneShowsTheMissingFileMark) {
    fill(2);
    ASSERT_TRUE(QFile::remove(list.records[1].fullPath()));
    const Shot image = shot();
    // The mark is a red disc centred on the box; the photo's own upper half is blue.
    const QPoint centre = pictureBox(1, 2, 0).center();
    EXPECT_TRUE(near(image.pixel(centre + QPoint(-6, -4)), QColor(220, 70, 60), 60));
    EXPECT_TRUE(near(image.pixel(pictureBox(0, 2, 0).center() + QPoint(-6, -4)), Qt::blue));
}

TEST_F(PaintFixture, APhotoWithoutAThumbnailKeepsOnlyItsFrame) {
    fill(3);
    list.thumbs.pop_back(); // the last record has no thumbnail at all, the second an empty one
    list.thumbs[1].jpeg.clear();
    ctrl->setList(&list);
    const Shot image = shot();
    for (int position : {1, 2}) {
        EXPECT_FALSE(near(image.pixel(fitted(position).center()), Qt::red)) << position;
        EXPECT_FALSE(near(image.pixel(fitted(position).center()), Qt::blue)) << position;
    }
    EXPECT_TRUE(near(image.pixel(fitted(0).center() - QPoint(0, 8)), Qt::blue));
}

TEST_F(PaintFixture, AScrolledFullListDrawsExactlyTheVisibleRows) {
    fill(500);
    platform::sendMessage(ctrl.get(), platform::UM_LISTSCROLL, controls::CSkinScrollBar::ThumbTrack,
                          76 * 100 + 10);
    const Shot image = shot();
    const auto span = app::photo_list::visibleSpan(500, 2, ctrl->verticalOffset(), ctrl->height());
    for (int position = span.first; position < span.end; ++position) {
        const QRect photo = fitted(position);
        const QPoint probe(photo.center().x(), photo.top() + 3);
        if (probe.y() >= 0 && probe.y() < image.height()) {
            EXPECT_TRUE(near(image.pixel(probe), Qt::blue)) << position;
        }
    }
    // The row after the last drawn one starts inside the bottom strip and is left white.
    const QRect next = fitted(span.end);
    ASSERT_LT(next.top() + 3, image.height());
    EXPECT_EQ(image.pixel(next.center().x(), next.top() + 3), qRgb(255, 255, 255));
}

TEST_F(PaintFixture, TheRubberBandIsOutlined) {
    fill(2);
    QTest::mousePress(ctrl.get(), Qt::LeftButton, {}, QPoint(2, 80));
    QTest::mouseMove(ctrl.get(), QPoint(150, 300));
    const Shot image = shot();
    EXPECT_EQ(image.pixel(2, 200), qRgb(0, 100, 200));
    EXPECT_EQ(image.pixel(149, 200), qRgb(0, 100, 200));
    EXPECT_EQ(image.pixel(70, 299), qRgb(0, 100, 200));
    EXPECT_EQ(image.pixel(70, 300), qRgb(255, 255, 255));
    QTest::mouseRelease(ctrl.get(), Qt::LeftButton, {}, QPoint(150, 300));
    EXPECT_EQ(shot().pixel(2, 200), qRgb(255, 255, 255));
}
