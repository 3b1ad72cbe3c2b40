// Geometry of framed and frameless windows and of children, SetWindowPos moves and sizes,
// and re-parenting with SetParent (position, visibility through ancestors, style bits).
#include "harness.h"
#include "scenarios.h"

using namespace conf;

namespace {

// Client corner and size of a framed window, expressed against the frame the system metrics
// announce, so that the numbers do not depend on the theme.
void frame(const char *key, HWND h, int fx, int fy, int caption)
{
    RECT w = {}, c = {};
    POINT p = {0, 0};
    GetWindowRect(h, &w);
    GetClientRect(h, &c);
    ClientToScreen(h, &p);
    note(key, "window=%s client-offset-minus-frame=(%d,%d) client-size-minus-frame=(%d,%d) client-left-top=(%d,%d)",
         windowRect(h, corner()).c_str(), int(p.x - w.left - fx), int(p.y - w.top - fy - caption),
         int(c.right - (w.right - w.left - 2 * fx)), int(c.bottom - (w.bottom - w.top - 2 * fy - caption)),
         int(c.left), int(c.top));
}

// Where a window is (relative to the client corner of `ref`, or the screen), whether it shows,
// its parent and its child, popup and visible style bits.
void where(const char *key, HWND h, HWND ref)
{
    const POINT o = corner(ref);
    const LONG s = GetWindowLongW(h, GWL_STYLE);
    note(key, "rect=%s client=%s client-origin=%s visible=%s parent=%s ga-parent=%s style=%s,%s,%s",
         windowRect(h, o).c_str(), clientRect(h).c_str(), pointText(corner(h), o).c_str(), yes(IsWindowVisible(h)),
         name(GetParent(h)), name(GetAncestor(h, GA_PARENT)), s & WS_CHILD ? "child" : "-",
         s & WS_POPUP ? "popup" : "-", s & WS_VISIBLE ? "visible" : "-");
}

}  // namespace

void geometryScenarios()
{
    scenario("frames");
    const int fx = GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
    const int fy = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
    const int cap = GetSystemMetrics(SM_CYCAPTION), bx = GetSystemMetrics(SM_CXBORDER);
    const int by = GetSystemMetrics(SM_CYBORDER);
    HWND over = make("overlapped", 0, kFramed | WS_VISIBLE, 100, 50, 400, 300);
    frame("overlapped", over, fx, fy, cap);
    frame("caption", make("caption", 0, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 120, 60, 300, 200),
          GetSystemMetrics(SM_CXFIXEDFRAME), GetSystemMetrics(SM_CYFIXEDFRAME), cap);
    frame("border", make("border", 0, WS_POPUP | WS_BORDER | WS_VISIBLE, 140, 70, 200, 100), bx, by, 0);
    frame("tool", make("tool", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 160, 80, 640, 360), 0, 0, 0);
    frame("thick", make("thick", 0, WS_POPUP | WS_THICKFRAME | WS_VISIBLE, 180, 90, 200, 100), fx, fy, 0);
    frame("bare-overlapped", make("bare-overlapped", 0, WS_OVERLAPPED | WS_VISIBLE, 200, 100, 200, 100),
          GetSystemMetrics(SM_CXFIXEDFRAME), GetSystemMetrics(SM_CYFIXEDFRAME), cap);
    frame("tool-caption", make("tool-caption", WS_EX_TOOLWINDOW, WS_POPUP | WS_CAPTION | WS_VISIBLE, 220, 110, 200, 100),
          GetSystemMetrics(SM_CXFIXEDFRAME), GetSystemMetrics(SM_CYFIXEDFRAME), GetSystemMetrics(SM_CYSMCAPTION));
    // Sizable and overlapped windows keep within the tracking sizes, from creation on.
    RECT rc = {};
    GetWindowRect(make("tiny", 0, kFramed, 10, 10, 20, 10), &rc);
    note("tiny", "size-is-min-track=%s", yes(rc.right - rc.left == GetSystemMetrics(SM_CXMINTRACK) &&
                                              rc.bottom - rc.top == GetSystemMetrics(SM_CYMINTRACK)));
    HWND huge = make("huge", 0, WS_POPUP | WS_THICKFRAME, 10, 10, 5, 5);
    GetWindowRect(huge, &rc);
    note("thick-small", "size=(%d,%d)", int(rc.right - rc.left), int(rc.bottom - rc.top));
    SetWindowPos(huge, nullptr, 0, 0, 5000, 4000, kNoZ | SWP_NOMOVE);
    GetWindowRect(huge, &rc);
    note("thick-huge", "size-is-max-track=%s", yes(rc.right - rc.left == GetSystemMetrics(SM_CXMAXTRACK) &&
                                                    rc.bottom - rc.top == GetSystemMetrics(SM_CYMAXTRACK)));
    HWND child = make("overlapped.child", 0, WS_CHILD | WS_VISIBLE, 10, 20, 100, 50, over);
    HWND inner = make("overlapped.child.inner", 0, WS_CHILD | WS_BORDER | WS_VISIBLE, 3, 4, 30, 20, child);
    where("child", child, over);
    where("inner", inner, child);
    frame("inner-frame", inner, bx, by, 0);
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    note("metrics", "cxscreen-equals-monitor=%s",
         yes(GetSystemMetrics(SM_CXSCREEN) == mi.rcMonitor.right - mi.rcMonitor.left &&
             GetSystemMetrics(SM_CYSCREEN) == mi.rcMonitor.bottom - mi.rcMonitor.top));

    scenario("moves");
    const POINT o = corner();
    HWND a = make("A", 0, kFramed | WS_VISIBLE, 100, 100, 400, 300);
    HWND t = make("T", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 200, 150, 320, 240);
    HWND c = make("A.c", 0, WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, a);
    walk({{"t-move", [&] { SetWindowPos(t, nullptr, o.x + 50, o.y + 60, 999, 999, kNoZ | SWP_NOSIZE); }},
          {"t-size", [&] { SetWindowPos(t, nullptr, 999, 999, 100, 80, kNoZ | SWP_NOMOVE); }}},
         [&] { return windowRect(t, o) + " " + stack(); });
    walk({{"t-zero", [&] { SetWindowPos(t, nullptr, o.x - 30, o.y - 40, 0, 0, kNoZ); }},
          {"t-negative", [&] { SetWindowPos(t, nullptr, o.x + 5, o.y + 5, -20, -10, kNoZ); }}},
         [&] { return windowRect(t, o) + " client=" + clientRect(t); });
    SetWindowPos(c, nullptr, -5, 7, 30, 40, kNoZ);
    const POINT pc = corner(a);
    note("child-move", "%s client=%s", windowRect(c, pc).c_str(), clientRect(c).c_str());
    SetWindowPos(a, nullptr, o.x + 300, o.y + 200, 0, 0, kNoZ | SWP_NOSIZE);
    const POINT pc2 = corner(a);
    note("parent-move", "child-follows=(%d,%d) child=%s", int(pc2.x - pc.x), int(pc2.y - pc.y),
         windowRect(c, pc2).c_str());

    scenario("reparent");
    HWND p = make("P", 0, kFramed | WS_VISIBLE, 200, 100, 500, 400);
    HWND q = make("Q", 0, kFramed | WS_VISIBLE, 250, 150, 500, 400);
    HWND h = make("H", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 50, 60, 120, 90);
    c = make("Q.c", 0, WS_CHILD | WS_VISIBLE, 15, 25, 40, 30, q);
    HWND k = make("H.k", 0, WS_CHILD | WS_VISIBLE, 2, 3, 20, 10, h);
    const auto order = [&](const char *key) { note(key, "%s | P: %s", stack().c_str(), children(p).c_str()); };
    where("before", h, nullptr);
    order("before-order");
    note("to-P-returns", "%s", name(SetParent(h, p)));
    where("in-P", h, p);
    order("in-P-order");
    note("in-P-ischild", "%s", yes(IsChild(p, h)));
    ShowWindow(p, SW_HIDE);
    note("P-hidden", "H-visible=%s H-style-visible=%s H.k-visible=%s", yes(IsWindowVisible(h)),
         yes(GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE), yes(IsWindowVisible(k)));
    ShowWindow(p, SW_SHOWNA);
    note("P-shown", "H-visible=%s H.k-visible=%s", yes(IsWindowVisible(h)), yes(IsWindowVisible(k)));
    SetWindowPos(h, nullptr, 5, 6, 0, 0, SWP_NOSIZE | kNoZ);
    where("moved-in-P", h, p);
    note("to-null-returns", "%s", name(SetParent(h, nullptr)));
    where("detached", h, nullptr);
    where("detached-child", k, h);
    order("detached-order");
    // A child moved to another parent keeps its client-relative position.
    note("child-to-P-returns", "%s", name(SetParent(c, p)));
    where("child-in-P", c, p);
    note("child-in-P-order", "P: %s | Q: %s", children(p).c_str(), children(q).c_str());
    note("child-to-null-returns", "%s", name(SetParent(c, nullptr)));
    where("child-detached", c, nullptr);
    SetParent(c, p);
    SetLastError(0);
    HWND into = SetParent(p, c);
    note("bad", "self=%s null-child=%s into-descendant=%s error=%u", name(SetParent(p, p)),
         name(SetParent(nullptr, p)), name(into), unsigned(GetLastError()));
}
