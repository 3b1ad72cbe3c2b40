// Regions the Wine comparison leaves out (tests/conformance has the shapes and kinds):
// window regions owned by the window, and numbers at the limits.
#include "DesktopFixture.h"

#include <limits>

using Regions = DesktopTest;

// A region handed to SetWindowRgn is the window's: it cannot be deleted, and it goes when
// replaced or cleared.
TEST_F(Regions, WindowRegionsBelongToTheWindow)
{
    const HWND h = make(L"H", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100);
    EXPECT_EQ(win32sim::region(h), QRegion(0, 0, 200, 100));
    const HRGN first = CreateRectRgn(0, 0, 50, 50);
    EXPECT_TRUE(SetWindowRgn(h, first, TRUE));
    EXPECT_FALSE(DeleteObject(first));
    const HRGN second = CreateRoundRectRgn(0, 0, 100, 100, 30, 30);
    EXPECT_TRUE(SetWindowRgn(h, second, TRUE));
    EXPECT_FALSE(PtInRegion(first, 1, 1));
    EXPECT_FALSE(win32sim::region(h).contains(QPoint(0, 0)));
    EXPECT_TRUE(win32sim::region(h).contains(QPoint(50, 50)));
    EXPECT_TRUE(SetWindowRgn(h, nullptr, TRUE));
    EXPECT_FALSE(win32sim::hasRegion(h));
    EXPECT_FALSE(PtInRegion(second, 50, 50));
}

TEST_F(Regions, NumbersAtTheIntLimitsStayInGdisDeviceSpace)
{
    const int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    const int kEdge = 1 << 27;
    const struct { int x1, y1, x2, y2, w, h; RECT box; QPoint in, out; } cases[] = {
        {kMin, kMin, kMax, kMax, 0, 0, {-kEdge, -kEdge, kEdge - 1, kEdge - 1}, QPoint(0, 0), QPoint()},
        {kMin, kMin, kMax, kMax, kMin, kMin, {-kEdge, -kEdge, kEdge - 1, kEdge - 1}, QPoint(0, 0), QPoint(-kEdge, -kEdge)},
        {0, 0, 1000000000, 1000000000, 10000000, 10000000, {0, 0, kEdge - 1, kEdge - 1}, QPoint(5, 40000), QPoint(5, 5)},
        {kMax, 10, 10, 20, 40, 40, {10, 10, kEdge - 1, 19}, QPoint(1000, 15), QPoint(10, 10)},
    };
    for (const auto &c : cases) {
        const HRGN r = CreateRoundRectRgn(c.x1, c.y1, c.x2, c.y2, c.w, c.h);
        RECT box{};
        EXPECT_NE(GetRgnBox(r, &box), NULLREGION);
        EXPECT_EQ(QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1)),
                  QRect(QPoint(c.box.left, c.box.top), QPoint(c.box.right - 1, c.box.bottom - 1)));
        EXPECT_TRUE(PtInRegion(r, c.in.x(), c.in.y()));
        EXPECT_FALSE(!c.out.isNull() && PtInRegion(r, c.out.x(), c.out.y()));
        // As far as the device space reaches, and no further.
        EXPECT_NE(OffsetRgn(r, kMax, kMin), ERROR);
        EXPECT_EQ(GetRgnBox(r, &box) != NULLREGION && box.right <= kEdge && box.top >= -kEdge, true);
        DeleteObject(r);
    }
    // A band per distinct row, not per row: a long rectangle has the bands of a short
    // one, and a corner as tall as the device space the few bands of its distinct rows.
    const HWND h = make(L"H", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
    SetWindowRgn(h, CreateRoundRectRgn(0, 0, 200, 50, 20, 20), TRUE);
    const int iShort = win32sim::region(h).rectCount();
    SetWindowRgn(h, CreateRoundRectRgn(0, 0, kMax, 50, 20, 20), TRUE);
    EXPECT_EQ(win32sim::region(h).rectCount(), iShort);
    SetWindowRgn(h, CreateRoundRectRgn(0, 0, 60, kMax, 20, kMax), TRUE);
    EXPECT_LT(win32sim::region(h).rectCount(), 64);
    DestroyWindow(h);
}
