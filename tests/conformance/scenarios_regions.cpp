// Regions: rectangles, rounded rectangles probed point by point, combinations and their result
// codes, and window regions (SetWindowRgn, GetWindowRgn).
#include "scenarios.h"
#include "transcript.h"

#include <cstdio>
#include <string>

using namespace conf;

namespace {

const char *kind(int k)
{
    switch (k) {
    case ERROR: return "ERROR";
    case NULLREGION: return "NULLREGION";
    case SIMPLEREGION: return "SIMPLEREGION";
    case COMPLEXREGION: return "COMPLEXREGION";
    default: return "?";
    }
}

// The region as rows of spans found with PtInRegion over a margin around [x0,x1)x[y0,y1);
// equal neighbouring rows are counted ("a-b x3"), spans are half-open.
std::string spans(HRGN r, int x0, int y0, int x1, int y1)
{
    std::string out, prev;
    int repeat = 0;
    auto flush = [&] {
        if (repeat == 0)
            return;
        out += (out.empty() ? "" : " ") + prev;
        if (repeat > 1)
            out += "x" + std::to_string(repeat);
    };
    for (int y = y0 - 2; y < y1 + 2; ++y) {
        std::string row;
        int start = 0;
        bool in = false;
        for (int x = x0 - 2; x <= x1 + 2; ++x) {
            bool p = x < x1 + 2 && PtInRegion(r, x, y);
            if (p && !in)
                start = x;
            if (!p && in)
                row += (row.empty() ? "" : ",") + std::to_string(start) + "-" + std::to_string(x);
            in = p;
        }
        if (row.empty())
            row = ".";
        if (row == prev) {
            ++repeat;
        } else {
            flush();
            prev = row;
            repeat = 1;
        }
    }
    flush();
    return out;
}

std::string box(HRGN r)
{
    RECT b = {};
    int k = GetRgnBox(r, &b);
    return std::string("box ") + kind(k) + " " + rectText(b, POINT{0, 0});
}

// Rounded regions: the box, and whether it is empty; how many rectangles a desktop uses to
// describe the same shape (SIMPLEREGION or COMPLEXREGION) is its own business.
std::string roundBox(HRGN r)
{
    RECT b = {};
    int k = GetRgnBox(r, &b);
    return std::string("box ") + (k == NULLREGION ? "empty " : "") + rectText(b, POINT{0, 0});
}

void roundRect(int x1, int y1, int x2, int y2, int w, int h)
{
    HRGN r = CreateRoundRectRgn(x1, y1, x2, y2, w, h);
    char key[64];
    std::snprintf(key, sizeof key, "round(%d,%d,%d,%d,%d,%d)", x1, y1, x2, y2, w, h);
    if (!r) {
        note(key, "null");
        return;
    }
    int lx = x1 < x2 ? x1 : x2, hx = x1 < x2 ? x2 : x1, ly = y1 < y2 ? y1 : y2, hy = y1 < y2 ? y2 : y1;
    note(key, "%s rows: %s", roundBox(r).c_str(), spans(r, lx, ly, hx, hy).c_str());
    DeleteObject(r);
}

}  // namespace

void scenarioRegionShapes()
{
    scenario("regions");
    HRGN r = CreateRectRgn(0, 0, 10, 10);
    note("rect", "%s in(0,0)=%s in(9,9)=%s in(10,9)=%s in(9,10)=%s in(-1,0)=%s", box(r).c_str(),
         yes(PtInRegion(r, 0, 0)), yes(PtInRegion(r, 9, 9)), yes(PtInRegion(r, 10, 9)), yes(PtInRegion(r, 9, 10)),
         yes(PtInRegion(r, -1, 0)));
    DeleteObject(r);
    r = CreateRectRgn(30, 20, 10, 5);
    note("rect-inverted", "%s", box(r).c_str());
    DeleteObject(r);
    r = CreateRectRgn(5, 5, 5, 9);
    note("rect-empty", "%s in(5,5)=%s", box(r).c_str(), yes(PtInRegion(r, 5, 5)));
    DeleteObject(r);
    roundRect(0, 0, 20, 20, 6, 6);
    roundRect(0, 0, 31, 17, 7, 5);
    roundRect(0, 0, 25, 17, 10, 10);
    roundRect(0, 0, 16, 12, 40, 40);
    roundRect(0, 0, 40, 30, 41, 3);
    roundRect(0, 0, 50, 40, 0, 0);
    roundRect(0, 0, 30, 30, 1, 1);
    roundRect(0, 0, 30, 30, 2, 2);
    roundRect(0, 0, 30, 30, 3, 3);
    roundRect(5, 7, 45, 37, 12, 8);
    roundRect(20, 20, 0, 0, 9, 9);
    roundRect(0, 0, 100, 60, 21, 21);
    roundRect(0, 0, 7, 5, 4, 4);
    roundRect(0, 0, 1, 1, 1, 1);
    roundRect(3, 3, 3, 10, 2, 2);
    // Larger corners, runs of equal rows, corners beyond one side only.
    roundRect(-40, -30, 360, 250, 350, 270);
    roundRect(0, 0, 300, 200, 120, 4000);
    roundRect(0, 0, 260, 90, 255, 17);
    roundRect(10, 400, 90, 0, 30, 391);
}

void scenarioRegionCombine()
{
    scenario("combine");
    HRGN dst = CreateRectRgn(0, 0, 0, 0);
    HRGN a = CreateRectRgn(0, 0, 20, 20);
    HRGN b = CreateRectRgn(10, 10, 30, 30);
    HRGN side = CreateRectRgn(20, 0, 40, 20);
    HRGN inner = CreateRectRgn(5, 5, 15, 15);
    HRGN distant = CreateRectRgn(100, 100, 110, 110);
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    int k = CombineRgn(dst, a, b, RGN_OR);
    note("or-overlap", "returns %s, %s, rows: %s", kind(k), box(dst).c_str(), spans(dst, 0, 0, 30, 30).c_str());
    k = CombineRgn(dst, a, side, RGN_OR);
    note("or-adjacent", "returns %s, %s", kind(k), box(dst).c_str());
    k = CombineRgn(dst, empty, empty, RGN_OR);
    note("or-empty", "returns %s, %s", kind(k), box(dst).c_str());
    k = CombineRgn(dst, a, b, RGN_DIFF);
    note("diff-corner", "returns %s, %s, rows: %s", kind(k), box(dst).c_str(), spans(dst, 0, 0, 30, 30).c_str());
    k = CombineRgn(dst, a, inner, RGN_DIFF);
    note("diff-hole", "returns %s, %s, rows: %s", kind(k), box(dst).c_str(), spans(dst, 0, 0, 20, 20).c_str());
    k = CombineRgn(dst, a, distant, RGN_DIFF);
    note("diff-disjoint", "returns %s, %s", kind(k), box(dst).c_str());
    k = CombineRgn(dst, inner, a, RGN_DIFF);
    note("diff-covered", "returns %s, %s", kind(k), box(dst).c_str());
    k = CombineRgn(dst, a, a, RGN_DIFF);
    note("diff-self", "returns %s, in(5,5)=%s", kind(k), yes(PtInRegion(dst, 5, 5)));
    // The cut-out and repair of a window host: base minus rounded hole, then the hole added back.
    HRGN base = CreateRectRgn(0, 0, 100, 80);
    HRGN hole = CreateRoundRectRgn(20, 20, 60, 50, 10, 10);
    k = CombineRgn(base, base, hole, RGN_DIFF);
    note("cut-in-place", "returns %s, %s, rows: %s", kind(k), box(base).c_str(), spans(base, 15, 15, 65, 55).c_str());
    k = CombineRgn(base, base, hole, RGN_OR);
    note("repair-in-place", "returns %s, %s, in(20,20)=%s", kind(k), box(base).c_str(), yes(PtInRegion(base, 20, 20)));
    HRGN edge = CreateRoundRectRgn(0, 0, 100, 30, 8, 8);
    k = CombineRgn(base, base, edge, RGN_DIFF);
    note("cut-edge", "returns %s, %s", kind(k), box(base).c_str());
    for (HRGN x : {dst, a, b, side, inner, distant, empty, base, hole, edge})
        DeleteObject(x);
}

void scenarioWindowRegion()
{
    scenario("window-region");
    POINT o = origin();
    HWND w = make("W", WS_EX_TOOLWINDOW, WS_POPUP | WS_VISIBLE, 100, 100, 200, 150);
    HWND f = make("F", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 150, 150, 200, 150);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    note("none", "%s", kind(GetWindowRgn(w, probe)));
    HRGN r = CreateRoundRectRgn(0, 0, 200, 150, 20, 20);
    HRGN hole = CreateRectRgn(50, 50, 80, 70);
    CombineRgn(r, r, hole, RGN_DIFF);
    note("set", "returns-nonzero=%s", yes(SetWindowRgn(w, r, TRUE)));
    int k = GetWindowRgn(w, probe);
    note("get", "%s %s hole(50,50)=%s corner(0,0)=%s corner(5,5)=%s inside(10,10)=%s", kind(k), box(probe).c_str(),
         yes(PtInRegion(probe, 50, 50)), yes(PtInRegion(probe, 0, 0)), yes(PtInRegion(probe, 5, 5)),
         yes(PtInRegion(probe, 10, 10)));
    SetWindowPos(w, nullptr, o.x + 10, o.y + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    k = GetWindowRgn(w, probe);
    note("after-move", "%s %s hole(50,50)=%s", kind(k), box(probe).c_str(), yes(PtInRegion(probe, 50, 50)));
    SetWindowPos(w, nullptr, 0, 0, 100, 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    k = GetWindowRgn(w, probe);
    note("after-shrink", "returns %s, %s", kind(k), box(probe).c_str());
    HRGN fr = CreateRectRgn(10, 5, 30, 25);
    SetWindowRgn(f, fr, FALSE);
    k = GetWindowRgn(f, probe);
    note("framed", "returns %s, %s", kind(k), box(probe).c_str());
    BOOL cleared = SetWindowRgn(w, nullptr, TRUE);
    note("clear", "returns-nonzero=%s then %s", yes(cleared), kind(GetWindowRgn(w, probe)));
    HRGN dup = CreateRectRgn(0, 0, 5, 5);
    SetWindowRgn(f, dup, TRUE);
    k = GetWindowRgn(f, probe);
    note("replace", "%s %s", kind(k), box(probe).c_str());
    DeleteObject(probe);
    DeleteObject(hole);
}
