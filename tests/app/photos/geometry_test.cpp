#include "app/photos/photo_list_geometry.h"

#include <QFont>
#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace app::photo_list;

TEST(PhotoListGeometry, ColumnsNeedAWholeCellBesideTheScrollBar) {
    EXPECT_EQ(columnsFor(17 + 75), 0);
    EXPECT_EQ(columnsFor(17 + 76), 1);
    EXPECT_EQ(columnsFor(173), 2);
    EXPECT_EQ(columnsFor(5), 0); // narrower than the bar itself
}

TEST(PhotoListGeometry, ScrollRangeCountsAPartRowAndRoomForTheLastName) {
    EXPECT_EQ(scrollRangeFor(5, 2, 200), 3 * 76 - 200 + 33);
    EXPECT_EQ(scrollRangeFor(6, 2, 200), 3 * 76 - 200 + 33);
    EXPECT_EQ(scrollRangeFor(4, 2, 200), 0);
    EXPECT_EQ(scrollRangeFor(40, 0, 200), 0); // no column: nothing to scroll, no division by zero
}

TEST(PhotoListGeometry, BoxesAreInsetInTheirCellsAndPhotosFittedWithoutEnlarging) {
    EXPECT_EQ(pictureBox(3, 2, 20), QRect(81, 66, 66, 56));
    EXPECT_EQ(fittedRect(QRect(5, 10, 66, 56), 800, 600), QRect(5, 13, 66, 49));
    EXPECT_EQ(fittedRect(QRect(5, 10, 66, 56), 20, 10), QRect(28, 33, 20, 10));
    EXPECT_EQ(nameRect(QRect(5, 10, 66, 56)), QRect(7, 66, 64, 20));
}

TEST(PhotoListGeometry, ANameIsShortenedOnlyWhenItsLettersDoNotFit) {
    const QFontMetrics metrics{QFont()};
    const auto inkRight = [&](const QString& text) {
        const QRect ink = metrics.boundingRect(text);
        return ink.left() + ink.width();
    };
    for (const QString name : {"photo0.jpg", "beach.jpg", "IMG_0001.jpg", "a.png", "holiday-2026-rome.jpg"}) {
        for (int width = 20; width <= 120; ++width) {
            const QString written = fittedName(metrics, name, width);
            if (inkRight(name) <= width)
                EXPECT_EQ(written, name) << width;
            else
                EXPECT_LE(metrics.horizontalAdvance(written), width) << name.toStdString() << " in " << width;
        }
    }
}

TEST(PhotoListGeometry, VisibleSpanSkipsRowsAboveAndStopsAtTheBottomStrip) {
    // Row r is drawn while its box top 76r + 10 - offset is at most 700 - 26.
    EXPECT_EQ(visibleSpan(100, 2, 0, 700).first, 0);
    EXPECT_EQ(visibleSpan(100, 2, 0, 700).end, 18);
    EXPECT_EQ(visibleSpan(100, 2, 65, 700).first, 0);
    EXPECT_EQ(visibleSpan(100, 2, 66, 700).first, 2); // row 0's box ends exactly at the top
    EXPECT_EQ(visibleSpan(7, 2, 0, 700).end, 7);
    EXPECT_EQ(visibleSpan(100, 2, 0, 20).end, 0);
    EXPECT_EQ(visibleSpan(100, 0, 0, 700).end, 0);
}

TEST(PhotoListGeometry, HitsOnlyPictureBoxesAboveTheBottomStrip) {
    EXPECT_EQ(hitTest({38, 38}, 10, 2, 0, 700), 0);
    EXPECT_EQ(hitTest({114, 38 + 76 - 40}, 10, 2, 40, 700), 3);
    EXPECT_EQ(hitTest({2, 38}, 10, 2, 0, 700), -1);           // margin
    EXPECT_EQ(hitTest({38, 72}, 10, 2, 0, 700), -1);          // between rows
    EXPECT_EQ(hitTest({160, 38}, 10, 2, 0, 700), -1);         // beyond the columns
    EXPECT_EQ(hitTest({38, 38 + 5 * 76}, 10, 2, 0, 700), -1); // past the last photo
    EXPECT_EQ(hitTest({38, 38}, 10, 2, 0, 60), -1);           // a box reaching into the strip
}
