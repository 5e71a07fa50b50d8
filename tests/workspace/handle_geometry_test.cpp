#include "workspace/document.h"
#include "workspace/manipulation/handle_geometry.h"

#include <gtest/gtest.h>

using namespace workspace;

namespace {

const Rect kView{10, 10, 810, 610};

// The crop panel's proportions, width part : height part.
const std::pair<float, float> kRatios[] = {{4, 3}, {4, 6}, {5, 7}, {6, 8}, {7, 10}, {10, 8}, {12, 10}};

bool inside(const Rect& rect, const Rect& view) {
    return rect.left >= view.left && rect.top >= view.top && rect.right <= view.right &&
           rect.bottom <= view.bottom && rect.width() >= 0 && rect.height() >= 0;
}

} // namespace

TEST(HandleGeometry, EightHandlesOfAnOddSizedRectangle) {
    // dy = 151 + 8 - 100 = 59 and dx = 201 + 8 - 100 = 109: the halves round down.
    const auto h = WorkspaceDocument::HandleRects({100, 100, 201, 151});
    const Rect expected[8] = {{92, 92, 100, 100},   {92, 121, 100, 129},  {92, 151, 100, 159},
                              {146, 151, 154, 159}, {201, 151, 209, 159}, {201, 121, 209, 129},
                              {201, 92, 209, 100},  {146, 92, 154, 100}};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(h[static_cast<std::size_t>(k)], expected[k]) << "handle " << k;
}

TEST(HandleGeometry, EachHandleMovesItsEdgesAndKeepsTheOpposite) {
    const Rect start{100, 100, 200, 150};
    // The same point for every handle: left of and below the rectangle.
    const Rect expected[8] = {
        {50, 150, 200, 300},  // 0: fixed bottom-right, turned over vertically
        {50, 100, 200, 150},  // 1: left edge only
        {50, 100, 200, 300},  // 2: fixed top-right
        {100, 100, 200, 300}, // 3: bottom edge only
        {50, 100, 100, 300},  // 4: fixed top-left, turned over horizontally
        {50, 100, 100, 150},  // 5: right edge only, turned over
        {50, 150, 100, 300},  // 6: fixed bottom-left, turned over both ways
        {100, 150, 200, 300}, // 7: top edge only, turned over
    };
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(resizeByHandle(start, kView, 50, 300, k), expected[k]) << "handle " << k;
}

TEST(HandleGeometry, TopLeftHandlePastTheOppositeCornerTurnsOverInsideTheView) {
    EXPECT_EQ(resizeByHandle({100, 100, 200, 150}, kView, 2000, -500, 0), (Rect{200, 10, 810, 150}));
    EXPECT_EQ(resizeByHandle({100, 100, 200, 150}, kView, 5000, 5000, 0), (Rect{200, 150, 810, 610}));
}

TEST(HandleGeometry, CornerDragsKeepEveryPanelRatioAndStayInTheView) {
    const Rect start{200, 150, 500, 400};
    const QPoint points[] = {{300, 200}, {700, 580}, {0, 0}, {900, 50}, {250, 700}, {500, 400}};
    for (const auto& [a, b] : kRatios) {
        for (int handle : {0, 2, 4, 6}) {
            for (const QPoint& p : points) {
                const Rect sized = resizeByHandle(start, kView, p.x(), p.y(), handle);
                const Rect kept = constrainToAspect(start, sized, handle, a, b);
                SCOPED_TRACE(testing::Message()
                             << a << ":" << b << " handle " << handle << " to " << p.x() << "," << p.y());
                EXPECT_TRUE(inside(kept, kView));
                // Width : height is a : b up to the one pixel lost by truncation.
                EXPECT_NEAR(kept.width() * b, kept.height() * a, std::max(a, b));
                // The corner opposite the handle stays where the start rectangle had it.
                const bool fixedRight = handle == 0 || handle == 2;
                const bool fixedBottom = handle == 0 || handle == 6;
                const int fixedX = fixedRight ? start.right : start.left;
                const int fixedY = fixedBottom ? start.bottom : start.top;
                EXPECT_TRUE(kept.left == fixedX || kept.right == fixedX);
                EXPECT_TRUE(kept.top == fixedY || kept.bottom == fixedY);
            }
        }
    }
}

TEST(HandleGeometry, EdgeHandlesAreNotConstrained) {
    const Rect sized{100, 100, 300, 150};
    EXPECT_EQ(constrainToAspect({100, 100, 200, 150}, sized, 5, 4, 3), sized);
}

TEST(HandleGeometry, DraggedTextAndCropAreHeldInTheViewInTheirOwnOrder) {
    // Larger than the view both ways: a text ends at the view's right and bottom, a crop at its right and
    // top (the crop checks the bottom before the top).
    const Rect big{-100, -50, 1000, 700};
    EXPECT_EQ(keepTextInView(big, kView), (Rect{-290, -140, 810, 610}));
    EXPECT_EQ(keepCropInView(big, kView), (Rect{-290, 10, 810, 760}));
    EXPECT_EQ(keepTextInView({700, 500, 900, 700}, kView), (Rect{610, 410, 810, 610}));
}

TEST(HandleGeometry, ChoosingAnAspectSeatsTheCropRectangle) {
    // 600 × 450 in an 800 × 600 view: 1.125 times the view does not fit, so the view itself, less 8 on
    // each side (784 × 584), narrowed about its centre.
    const Rect crop{110, 85, 710, 535};
    EXPECT_EQ(seatCropRect(crop, kView, 4, 3), (Rect{20, 18, 800, 602}));
    EXPECT_EQ(seatCropRect(crop, kView, 4, 6), (Rect{215, 18, 605, 602}));
    // A small crop rectangle gives a small seat centred in the view: 0.214 × the view is 171 × 128.
    EXPECT_EQ(seatCropRect({300, 200, 400, 300}, kView, 10, 8), (Rect{339, 254, 480, 366}));
}
