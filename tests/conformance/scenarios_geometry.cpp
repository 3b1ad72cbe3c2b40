// Geometry of framed and frameless windows and of children, SetWindowPos moves and sizes,
// and re-parenting with SetParent (position, visibility through ancestors, style bits).
#include "scenarios.h"
#include "transcript.h"

#include <string>

using namespace conf;

namespace {

const DWORD kTool = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

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
         windowRect(h, origin()).c_str(), (int)(p.x - w.left - fx), (int)(p.y - w.top - fy - caption),
         (int)(c.right - (w.right - w.left - 2 * fx)), (int)(c.bottom - (w.bottom - w.top - 2 * fy - caption)),
         (int)c.left, (int)c.top);
}

std::string styleBits(HWND h)
{
    LONG s = GetWindowLongW(h, GWL_STYLE);
    std::string out;
    out += (s & WS_CHILD) ? "child" : "-";
    out += (s & WS_POPUP) ? ",popup" : ",-";
    out += (s & WS_VISIBLE) ? ",visible" : ",-";
    return out;
}

void where(const char *key, HWND h, HWND relativeTo)
{
    POINT o = origin();
    if (relativeTo) {
        o = {0, 0};
        ClientToScreen(relativeTo, &o);
    }
    note(key, "rect=%s client=%s client-origin=%s visible=%s parent=%s ga-parent=%s style=%s",
         windowRect(h, o).c_str(), clientRect(h).c_str(), clientOrigin(h, o).c_str(), yes(IsWindowVisible(h)),
         name(GetParent(h)), name(GetAncestor(h, GA_PARENT)), styleBits(h).c_str());
}

}  // namespace

void scenarioFrames()
{
    scenario("frames");
    int fx = GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
    int fy = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
    int cap = GetSystemMetrics(SM_CYCAPTION);
    int dx = GetSystemMetrics(SM_CXFIXEDFRAME), dy = GetSystemMetrics(SM_CYFIXEDFRAME);
    int bx = GetSystemMetrics(SM_CXBORDER), by = GetSystemMetrics(SM_CYBORDER);
    HWND over = make("overlapped", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 50, 400, 300);
    HWND dlg = make("caption", 0, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 120, 60, 300, 200);
    HWND bord = make("border", 0, WS_POPUP | WS_BORDER | WS_VISIBLE, 140, 70, 200, 100);
    HWND tool = make("tool", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 160, 80, 640, 360);
    frame("overlapped", over, fx, fy, cap);
    frame("caption", dlg, dx, dy, cap);
    frame("border", bord, bx, by, 0);
    frame("tool", tool, 0, 0, 0);
    HWND child = make("overlapped.child", 0, WS_CHILD | WS_VISIBLE, 10, 20, 100, 50, over);
    HWND inner = make("overlapped.child.inner", 0, WS_CHILD | WS_BORDER | WS_VISIBLE, 3, 4, 30, 20, child);
    where("child", child, over);
    where("inner", inner, child);
    frame("inner-frame", inner, bx, by, 0);
    note("metrics", "cxscreen-equals-monitor=%s", [] {
        MONITORINFO mi = {};
        mi.cbSize = sizeof mi;
        GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
        return yes(GetSystemMetrics(SM_CXSCREEN) == mi.rcMonitor.right - mi.rcMonitor.left &&
                   GetSystemMetrics(SM_CYSCREEN) == mi.rcMonitor.bottom - mi.rcMonitor.top);
    }());
}

void scenarioMoves()
{
    scenario("moves");
    POINT o = origin();
    HWND a = make("A", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
    HWND t = make("T", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 200, 150, 320, 240);
    HWND c = make("A.c", 0, WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, a);
    const UINT noz = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(t, nullptr, o.x + 50, o.y + 60, 999, 999, noz | SWP_NOSIZE);
    note("t-move", "%s %s", windowRect(t, o).c_str(), stack().c_str());
    SetWindowPos(t, nullptr, 999, 999, 100, 80, noz | SWP_NOMOVE);
    note("t-size", "%s %s", windowRect(t, o).c_str(), stack().c_str());
    SetWindowPos(t, nullptr, o.x - 30, o.y - 40, 0, 0, noz);
    note("t-zero", "%s client=%s", windowRect(t, o).c_str(), clientRect(t).c_str());
    SetWindowPos(t, nullptr, o.x + 5, o.y + 5, -20, -10, noz);
    note("t-negative", "%s client=%s", windowRect(t, o).c_str(), clientRect(t).c_str());
    SetWindowPos(c, nullptr, -5, 7, 30, 40, noz);
    POINT pc = {0, 0};
    ClientToScreen(a, &pc);
    note("child-move", "%s client=%s", windowRect(c, pc).c_str(), clientRect(c).c_str());
    SetWindowPos(a, nullptr, o.x + 300, o.y + 200, 0, 0, noz | SWP_NOSIZE);
    POINT pc2 = {0, 0};
    ClientToScreen(a, &pc2);
    note("parent-move", "child-follows=(%d,%d) child=%s", (int)(pc2.x - pc.x), (int)(pc2.y - pc.y),
         windowRect(c, pc2).c_str());
}

void scenarioReparent()
{
    scenario("reparent");
    HWND p = make("P", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 100, 500, 400);
    HWND q = make("Q", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 250, 150, 500, 400);
    HWND h = make("H", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 50, 60, 120, 90);
    HWND c = make("Q.c", 0, WS_CHILD | WS_VISIBLE, 15, 25, 40, 30, q);
    HWND k = make("H.k", 0, WS_CHILD | WS_VISIBLE, 2, 3, 20, 10, h);
    where("before", h, nullptr);
    note("before-order", "%s | P: %s", stack().c_str(), children(p).c_str());
    HWND old = SetParent(h, p);
    note("to-P-returns", "%s", name(old));
    where("in-P", h, p);
    note("in-P-order", "%s | P: %s", stack().c_str(), children(p).c_str());
    note("in-P-ischild", "%s", yes(IsChild(p, h)));
    ShowWindow(p, SW_HIDE);
    note("P-hidden", "H-visible=%s H-style-visible=%s H.k-visible=%s", yes(IsWindowVisible(h)),
         yes(GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE), yes(IsWindowVisible(k)));
    ShowWindow(p, SW_SHOWNA);
    note("P-shown", "H-visible=%s H.k-visible=%s", yes(IsWindowVisible(h)), yes(IsWindowVisible(k)));
    SetWindowPos(h, nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    where("moved-in-P", h, p);
    old = SetParent(h, nullptr);
    note("to-null-returns", "%s", name(old));
    where("detached", h, nullptr);
    where("detached-child", k, h);
    note("detached-order", "%s | P: %s", stack().c_str(), children(p).c_str());
    // A child moved to another parent keeps its client-relative position.
    old = SetParent(c, p);
    note("child-to-P-returns", "%s", name(old));
    where("child-in-P", c, p);
    note("child-in-P-order", "P: %s | Q: %s", children(p).c_str(), children(q).c_str());
    note("bad", "self=%s null-child=%s", name(SetParent(p, p)), name(SetParent(nullptr, p)));
}
