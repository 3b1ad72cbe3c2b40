// Regions: rounded corners exactly as Wine's gdi32 rasterises them (the rows below are
// what GetRegionData returned under Wine for the same calls), the region kinds, and
// window regions owned by the window.
#include "DesktopFixture.h"

#include <limits>

namespace {

struct Rounded
{
    int x1, y1, x2, y2, w, h;
    const char *wineRows;   // "left,top,right,bottom ..." as Wine returned them
};

const Rounded kRounded[] = {
    {3, -2, 43, 38, 20, 20,
     "10,-2,35,-1 8,-1,37,0 7,0,38,1 6,1,39,2 5,2,40,3 4,3,41,4 4,4,41,5 "
     "3,5,42,6 3,6,42,7 3,7,42,8 3,8,42,28 3,28,42,29 3,29,42,30 4,30,41,31 "
     "4,31,41,32 5,32,40,33 6,33,39,34 7,34,38,35 8,35,37,36 10,36,35,37"},
    {0, 0, 100, 60, 200, 40,
     "39,0,60,1 31,1,68,2 26,2,73,3 22,3,77,4 18,4,81,5 15,5,84,6 13,6,86,7 "
     "11,7,88,8 9,8,90,9 7,9,92,10 6,10,93,11 5,11,94,12 4,12,95,13 3,13,96,14 "
     "2,14,97,15 1,15,98,16 1,16,98,17 0,17,99,18 0,18,99,19 0,19,99,20 0,20,99,40 "
     "0,40,99,41 0,41,99,42 1,42,98,43 1,43,98,44 2,44,97,45 3,45,96,46 4,46,95,47 "
     "5,47,94,48 6,48,93,49 7,49,92,50 9,50,90,51 11,51,88,52 13,52,86,53 15,53,84,54 "
     "18,54,81,55 22,55,77,56 26,56,73,57 31,57,68,58 39,58,60,59"},
    {-20, -30, 70, 10, 33, 17,
     "-9,-30,58,-29 -13,-29,62,-28 -15,-28,64,-27 -17,-27,66,-26 -18,-26,67,-25 -19,-25,68,-24 -19,-24,68,-23 "
     "-20,-23,69,-22 -20,-22,69,1 -20,1,69,2 -19,2,68,3 -19,3,68,4 -18,4,67,5 -17,5,66,6 "
     "-15,6,64,7 -13,7,62,8 -9,8,58,9"},
};

} // namespace

using Regions = DesktopTest;

TEST_F(Regions, RoundedRectanglesMatchWinePixelForPixel)
{
    for (const Rounded &c : kRounded) {
        const HRGN r = CreateRoundRectRgn(c.x1, c.y1, c.x2, c.y2, c.w, c.h);
        QRegion wine;
        for (const QString &row : QString::fromLatin1(c.wineRows).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QStringList v = row.split(QLatin1Char(','));
            wine += QRect(QPoint(v[0].toInt(), v[1].toInt()), QPoint(v[2].toInt() - 1, v[3].toInt() - 1));
        }
        const QRect box = wine.boundingRect().adjusted(-2, -2, 2, 2);
        int wrong = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (bool(PtInRegion(r, x, y)) != wine.contains(QPoint(x, y)) && wrong++ < 5)
                    ADD_FAILURE() << "(" << c.x1 << "," << c.y1 << "," << c.x2 << "," << c.y2 << "," << c.w << ","
                                  << c.h << ") at " << x << "," << y;
        EXPECT_EQ(wrong, 0);
        RECT b{};
        EXPECT_EQ(GetRgnBox(r, &b), COMPLEXREGION);
        EXPECT_EQ(QRect(QPoint(b.left, b.top), QPoint(b.right - 1, b.bottom - 1)), wine.boundingRect());
        DeleteObject(r);
    }
}

TEST_F(Regions, KindsOfCombinationsAsGdiReportsThem)
{
    const HRGN a = CreateRectRgn(0, 0, 10, 10);
    const HRGN b = CreateRectRgn(10, 0, 20, 10);
    const HRGN d = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), SIMPLEREGION);   // two touching squares make one band
    EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), NULLREGION);
    EXPECT_EQ(CombineRgn(d, a, b, RGN_XOR), SIMPLEREGION);
    EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_FALSE(EqualRgn(d, b));
    EXPECT_TRUE(EqualRgn(d, a));
    EXPECT_EQ(CombineRgn(d, a, b, 99), ERROR);
    EXPECT_EQ(OffsetRgn(a, 5, 5), SIMPLEREGION);
    RECT box{};
    EXPECT_EQ(GetRgnBox(CreateRectRgn(5, 5, 5, 9), &box), NULLREGION);
    EXPECT_EQ(box.right, 0);
    // Wine's row-per-line corners count as complex even where the rows line up.
    EXPECT_EQ(GetRgnBox(CreateRoundRectRgn(0, 0, 10, 10, 2, 3), &box), COMPLEXREGION);
    EXPECT_EQ(GetRgnBox(CreateRoundRectRgn(0, 0, 10, 10, 1, 1), &box), SIMPLEREGION);
    const HRGN hole = CreateRoundRectRgn(100, 100, 300, 200, 20, 20);
    const HRGN base = CreateRectRgn(0, 0, 640, 360);
    EXPECT_EQ(CombineRgn(base, base, hole, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(base, 150, 150));
    EXPECT_TRUE(PtInRegion(base, 100, 100));   // outside the rounded corner
    EXPECT_TRUE(PtInRegion(base, 100, 105));
    EXPECT_FALSE(PtInRegion(base, 100, 107));
}

TEST_F(Regions, WindowRegionsBelongToTheWindow)
{
    const HWND h = make(L"H", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100);
    const HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(h, probe), ERROR);
    EXPECT_FALSE(win32sim::hasRegion(h));
    EXPECT_EQ(win32sim::region(h), QRegion(0, 0, 200, 100));

    const HRGN first = CreateRectRgn(0, 0, 50, 50);
    EXPECT_TRUE(SetWindowRgn(h, first, TRUE));
    EXPECT_FALSE(DeleteObject(first));   // the window owns it now
    EXPECT_EQ(GetWindowRgn(h, probe), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(probe, first));

    const HRGN second = CreateRoundRectRgn(0, 0, 100, 100, 30, 30);
    EXPECT_TRUE(SetWindowRgn(h, second, TRUE));
    EXPECT_FALSE(PtInRegion(first, 1, 1));   // replaced: the old one is gone
    EXPECT_EQ(GetWindowRgn(h, probe), COMPLEXREGION);
    EXPECT_FALSE(win32sim::region(h).contains(QPoint(0, 0)));
    EXPECT_TRUE(win32sim::region(h).contains(QPoint(50, 50)));

    EXPECT_TRUE(SetWindowRgn(h, nullptr, TRUE));
    EXPECT_EQ(GetWindowRgn(h, probe), ERROR);
    EXPECT_FALSE(PtInRegion(second, 50, 50));
    DestroyWindow(h);
    EXPECT_TRUE(DeleteObject(probe));
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
