// Regions: rectangles, rounded rectangles probed point by point, combinations and their result
// codes, and window regions (SetWindowRgn, GetWindowRgn).
#include "harness.h"
#include "scenarios.h"

#include <cstdio>
#include <vector>

using namespace conf;

namespace {

const char *kind(int k)
{
    const char *const kNames[] = {"ERROR", "NULLREGION", "SIMPLEREGION", "COMPLEXREGION"};
    return k >= ERROR && k <= COMPLEXREGION ? kNames[k] : "?";
}

// The region as rows of spans found with PtInRegion over a margin around [x0,x1)x[y0,y1);
// equal neighbouring rows are counted ("a-b x3"), spans are half-open.
std::string spans(HRGN r, int x0, int y0, int x1, int y1)
{
    std::vector<std::string> rows;
    for (int y = y0 - 2; y < y1 + 2; ++y) {
        std::string row;
        bool bIn = false;
        for (int x = x0 - 2, start = 0; x <= x1 + 2; ++x) {
            const bool p = x < x1 + 2 && PtInRegion(r, x, y);
            if (p && !bIn)
                start = x;
            if (!p && bIn)
                row += (row.empty() ? "" : ",") + std::to_string(start) + "-" + std::to_string(x);
            bIn = p;
        }
        rows.push_back(row.empty() ? "." : row);
    }
    std::string out;
    for (size_t i = 0, n = 1; i < rows.size(); i += n) {
        for (n = 1; i + n < rows.size() && rows[i + n] == rows[i]; ++n) {
        }
        out += (out.empty() ? "" : " ") + rows[i] + (n > 1 ? "x" + std::to_string(n) : "");
    }
    return out;
}

std::string box(HRGN r)
{
    RECT b = {};
    const int k = GetRgnBox(r, &b);
    return std::string("box ") + kind(k) + " " + rectText(b);
}

std::string in(HRGN r, std::initializer_list<POINT> points)
{
    std::string out;
    for (POINT p : points)
        out += " in(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")=" + yes(PtInRegion(r, p.x, p.y));
    return out;
}

// Rounded regions: the box, and whether it is empty; how many rectangles a desktop uses to
// describe the same shape (SIMPLEREGION or COMPLEXREGION) is its own business.
void roundRect(const int (&a)[6])
{
    HRGN r = CreateRoundRectRgn(a[0], a[1], a[2], a[3], a[4], a[5]);
    char key[64];
    std::snprintf(key, sizeof key, "round(%d,%d,%d,%d,%d,%d)", a[0], a[1], a[2], a[3], a[4], a[5]);
    if (!r) {
        note(key, "null");
        return;
    }
    RECT b = {};
    const bool bEmpty = GetRgnBox(r, &b) == NULLREGION;
    const int lx = a[0] < a[2] ? a[0] : a[2], hx = a[0] < a[2] ? a[2] : a[0];
    const int ly = a[1] < a[3] ? a[1] : a[3], hy = a[1] < a[3] ? a[3] : a[1];
    note(key, "box %s%s rows: %s", bEmpty ? "empty " : "", rectText(b).c_str(), spans(r, lx, ly, hx, hy).c_str());
    DeleteObject(r);
}

}  // namespace

void regionScenarios()
{
    scenario("regions");
    HRGN r = CreateRectRgn(0, 0, 10, 10);
    note("rect", "%s%s", box(r).c_str(), in(r, {{0, 0}, {9, 9}, {10, 9}, {9, 10}, {-1, 0}}).c_str());
    DeleteObject(r);
    r = CreateRectRgn(30, 20, 10, 5);
    note("rect-inverted", "%s", box(r).c_str());
    DeleteObject(r);
    r = CreateRectRgn(5, 5, 5, 9);
    note("rect-empty", "%s%s", box(r).c_str(), in(r, {{5, 5}}).c_str());
    DeleteObject(r);
    // Among them: larger corners, runs of equal rows, corners beyond one side only, corners
    // wider than the rectangle, coordinates below zero.
    const int kRounds[][6] = {
        {0, 0, 20, 20, 6, 6},  {0, 0, 31, 17, 7, 5}, {0, 0, 25, 17, 10, 10}, {0, 0, 16, 12, 40, 40},
        {0, 0, 40, 30, 41, 3}, {0, 0, 50, 40, 0, 0}, {0, 0, 30, 30, 1, 1},   {0, 0, 30, 30, 2, 2},
        {0, 0, 30, 30, 3, 3},  {5, 7, 45, 37, 12, 8}, {20, 20, 0, 0, 9, 9},  {0, 0, 100, 60, 21, 21},
        {0, 0, 7, 5, 4, 4},    {0, 0, 1, 1, 1, 1},   {3, 3, 3, 10, 2, 2},    {-40, -30, 360, 250, 350, 270},
        {0, 0, 300, 200, 120, 4000}, {0, 0, 260, 90, 255, 17}, {10, 400, 90, 0, 30, 391},
        {3, -2, 43, 38, 20, 20}, {0, 0, 100, 60, 200, 40}, {-20, -30, 70, 10, 33, 17}};
    for (const auto &a : kRounds)
        roundRect(a);

    scenario("combine");
    HRGN dst = CreateRectRgn(0, 0, 0, 0), a = CreateRectRgn(0, 0, 20, 20), b = CreateRectRgn(10, 10, 30, 30);
    HRGN side = CreateRectRgn(20, 0, 40, 20), inner = CreateRectRgn(5, 5, 15, 15);
    HRGN distant = CreateRectRgn(100, 100, 110, 110), empty = CreateRectRgn(0, 0, 0, 0);
    // The cut-out and repair of a window host: base minus rounded hole, then the hole added back.
    HRGN base = CreateRectRgn(0, 0, 100, 80), hole = CreateRoundRectRgn(20, 20, 60, 50, 10, 10);
    HRGN edge = CreateRoundRectRgn(0, 0, 100, 30, 8, 8);
    const struct {
        const char *key;
        HRGN out, x, y;
        int mode;
        bool bBox;
        RECT rows;  // where the region is read row by row, when not empty
        POINT probe = {-1, -1};
    } kCombine[] = {
        {"or-overlap", dst, a, b, RGN_OR, true, {0, 0, 30, 30}},
        {"or-adjacent", dst, a, side, RGN_OR, true, {}},
        {"or-empty", dst, empty, empty, RGN_OR, true, {}},
        {"diff-corner", dst, a, b, RGN_DIFF, true, {0, 0, 30, 30}},
        {"diff-hole", dst, a, inner, RGN_DIFF, true, {0, 0, 20, 20}},
        {"diff-disjoint", dst, a, distant, RGN_DIFF, true, {}},
        {"diff-covered", dst, inner, a, RGN_DIFF, true, {}},
        {"diff-self", dst, a, a, RGN_DIFF, false, {}, {5, 5}},
        {"cut-in-place", base, base, hole, RGN_DIFF, true, {15, 15, 65, 55}},
        {"repair-in-place", base, base, hole, RGN_OR, true, {}, {20, 20}},
        {"cut-edge", base, base, edge, RGN_DIFF, true, {}},
        {"and-adjacent", dst, a, side, RGN_AND, true, {}},
        {"xor-adjacent", dst, a, side, RGN_XOR, true, {}},
        {"xor-overlap", dst, a, b, RGN_XOR, true, {0, 0, 30, 30}},
        {"copy", dst, b, nullptr, RGN_COPY, true, {}},
        {"bad-mode", dst, a, b, 99, false, {}},
    };
    for (const auto &row : kCombine) {
        const int k = CombineRgn(row.out, row.x, row.y, row.mode);
        const RECT &rc = row.rows;
        std::string strOut = std::string("returns ") + kind(k) + (row.bBox ? ", " + box(row.out) : "");
        if (row.probe.x >= 0)
            strOut += "," + in(row.out, {row.probe});
        if (rc.right > rc.left)
            strOut += ", rows: " + spans(row.out, rc.left, rc.top, rc.right, rc.bottom);
        note(row.key, "%s", strOut.c_str());
    }
    for (HRGN x : {dst, a, b, side, inner, distant, empty, base, hole, edge})
        DeleteObject(x);

    scenario("window-region");
    const POINT o = corner();
    HWND w = make("W", WS_EX_TOOLWINDOW, WS_POPUP | WS_VISIBLE, 100, 100, 200, 150);
    HWND f = make("F", 0, kFramed | WS_VISIBLE, 150, 150, 200, 150);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    const auto region = [&](HWND h, const char *sep) {
        const int k = GetWindowRgn(h, probe);
        return kind(k) + (sep + box(probe));
    };
    note("none", "%s", kind(GetWindowRgn(w, probe)));
    r = CreateRoundRectRgn(0, 0, 200, 150, 20, 20);
    hole = CreateRectRgn(50, 50, 80, 70);
    CombineRgn(r, r, hole, RGN_DIFF);
    note("set", "returns-nonzero=%s", yes(SetWindowRgn(w, r, TRUE)));
    std::string strRgn = region(w, " ");
    note("get", "%s hole(50,50)=%s corner(0,0)=%s corner(5,5)=%s inside(10,10)=%s", strRgn.c_str(),
         yes(PtInRegion(probe, 50, 50)), yes(PtInRegion(probe, 0, 0)), yes(PtInRegion(probe, 5, 5)),
         yes(PtInRegion(probe, 10, 10)));
    SetWindowPos(w, nullptr, o.x + 10, o.y + 10, 0, 0, SWP_NOSIZE | kNoZ);
    strRgn = region(w, " ");
    note("after-move", "%s hole(50,50)=%s", strRgn.c_str(), yes(PtInRegion(probe, 50, 50)));
    SetWindowPos(w, nullptr, 0, 0, 100, 60, SWP_NOMOVE | kNoZ);
    note("after-shrink", "returns %s", region(w, ", ").c_str());
    SetWindowRgn(f, CreateRectRgn(10, 5, 30, 25), FALSE);
    note("framed", "returns %s", region(f, ", ").c_str());
    const BOOL bCleared = SetWindowRgn(w, nullptr, TRUE);
    note("clear", "returns-nonzero=%s then %s", yes(bCleared), kind(GetWindowRgn(w, probe)));
    SetWindowRgn(f, CreateRectRgn(0, 0, 5, 5), TRUE);
    note("replace", "%s", region(f, " ").c_str());
    DeleteObject(probe);
    DeleteObject(hole);
}
