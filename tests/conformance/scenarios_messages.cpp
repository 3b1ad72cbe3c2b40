// What a window procedure receives: creation, show and hide, SetWindowPos, SetParent, style
// changes, and destruction of a tree (including a child that detaches itself in WM_DESTROY).
#include "scenarios.h"
#include "transcript.h"

using namespace conf;

#ifndef WS_EX_NOPARENTNOTIFY
#define WS_EX_NOPARENTNOTIFY 0x00000004L
#endif

namespace {

const DWORD kTool = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const UINT kNoActivate = SWP_NOZORDER | SWP_NOACTIVATE;

HWND g_hDetacher = nullptr;

void detachOnDestroy(HWND h)
{
    if (h == g_hDetacher)
        SetParent(h, nullptr);
}

}  // namespace

void scenarioCreateMessages()
{
    scenario("msg-create");
    logOn();
    HWND f = make("F", 0, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200);
    note("framed", "%s", logOff().c_str());
    logOn();
    make("T", WS_EX_TOOLWINDOW, kTool, 20, 20, 160, 90);
    note("tool", "%s", logOff().c_str());
    logOn();
    make("F.c", 0, WS_CHILD | WS_VISIBLE, 5, 6, 50, 40, f);
    note("child", "%s", logOff().c_str());
    logOn();
    make("F.q", WS_EX_NOPARENTNOTIFY, WS_CHILD, 7, 8, 20, 10, f);
    note("child-noparentnotify", "%s", logOff().c_str());
}

void scenarioShowMessages()
{
    scenario("msg-show");
    POINT o = origin();
    HWND t = make("T", WS_EX_TOOLWINDOW, kTool, 20, 20, 160, 90);
    HWND c = make("T.c", 0, WS_CHILD, 1, 2, 30, 20, t);
    logOn();
    ShowWindow(t, SW_SHOWNA);
    note("showna", "%s", logOff().c_str());
    logOn();
    ShowWindow(t, SW_SHOWNA);
    note("showna-again", "%s", logOff().c_str());
    logOn();
    ShowWindow(c, SW_SHOWNA);
    note("child-showna", "%s", logOff().c_str());
    logOn();
    ShowWindow(t, SW_HIDE);
    note("hide", "%s", logOff().c_str());
    logOn();
    SetWindowPos(t, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    note("swp-0x53", "%s", logOff().c_str());
    logOn();
    SetWindowPos(t, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    note("swp-0x93", "%s", logOff().c_str());
    logOn();
    SetWindowPos(t, nullptr, o.x + 40, o.y + 50, 0, 0, kNoActivate | SWP_NOSIZE);
    note("swp-move-hidden", "%s", logOff().c_str());
    ShowWindow(t, SW_SHOWNA);
    logOn();
    SetWindowPos(t, nullptr, o.x + 41, o.y + 52, 0, 0, kNoActivate | SWP_NOSIZE);
    note("swp-move", "%s", logOff().c_str());
    logOn();
    SetWindowPos(t, nullptr, 0, 0, 200, 100, kNoActivate | SWP_NOMOVE);
    note("swp-size", "%s", logOff().c_str());
    logOn();
    SetWindowPos(t, nullptr, o.x + 1, o.y + 2, 201, 101, kNoActivate);
    note("swp-move-size", "%s", logOff().c_str());
    logOn();
    SetWindowPos(t, nullptr, o.x + 1, o.y + 2, 201, 101, kNoActivate);
    note("swp-same", "%s", logOff().c_str());
    logOn();
    SetWindowPos(t, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    note("swp-0x13-topmost", "%s", logOff().c_str());
    logOn();
    SetWindowPos(c, nullptr, 3, 4, 0, 0, kNoActivate | SWP_NOSIZE);
    note("child-move", "%s", logOff().c_str());
}

void scenarioActivationMessages()
{
    scenario("msg-activate");
    HWND a = make("A", 0, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200);
    logOn();
    ShowWindow(a, SW_SHOW);
    note("show", "%s", logOff().c_str());
    logOn();
    ShowWindow(a, SW_HIDE);
    note("hide-active", "%s", logOff().c_str());
}

// A visible window that is re-parented is hidden and shown again, which activates it; the
// window moved is never the active one beforehand, so that which window the system activates
// after hiding the active one (a side effect that differs between drivers) stays out of it.
void scenarioReparentMessages()
{
    scenario("msg-setparent");
    HWND p = make("P", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
    HWND q = make("Q", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 120, 300, 200);
    HWND h = make("H", WS_EX_TOOLWINDOW, kTool, 30, 40, 120, 90);
    HWND c = make("P.c", 0, WS_CHILD | WS_VISIBLE, 5, 5, 50, 50, p);
    SetForegroundWindow(q);
    logOn();
    SetParent(h, p);
    note("hidden-to-parent", "%s", logOff().c_str());
    ShowWindow(h, SW_SHOWNA);
    SetForegroundWindow(q);
    logOn();
    SetParent(h, nullptr);
    note("visible-to-null", "%s", logOff().c_str());
    SetForegroundWindow(q);
    logOn();
    SetParent(h, p);
    note("visible-to-parent", "%s", logOff().c_str());
    logOn();
    SetParent(c, q);
    note("child-to-other", "%s", logOff().c_str());
}

void scenarioStyle()
{
    scenario("style");
    HWND f = make("F", 0, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200);
    HWND t = make("T", WS_EX_TOOLWINDOW, kTool, 20, 20, 100, 80);
    HWND c = make("F.c", 0, WS_CHILD, 1, 1, 10, 10, f);
    note("created", "F=%08X T=%08X F.c=%08X T.ex=%08X", (unsigned)GetWindowLongW(f, GWL_STYLE),
         (unsigned)GetWindowLongW(t, GWL_STYLE), (unsigned)GetWindowLongW(c, GWL_STYLE),
         (unsigned)GetWindowLongW(t, GWL_EXSTYLE));
    ShowWindow(t, SW_SHOWNA);
    note("shown", "T=%08X", (unsigned)GetWindowLongW(t, GWL_STYLE));
    LONG before = GetWindowLongW(c, GWL_STYLE);
    logOn();
    LONG prev = SetWindowLongW(c, GWL_STYLE, before | WS_CLIPSIBLINGS);
    note("set-clipsiblings", "returns-previous=%s now=%08X messages: %s", yes(prev == before),
         (unsigned)GetWindowLongW(c, GWL_STYLE), logOff().c_str());
    prev = SetWindowLongW(t, GWL_STYLE, GetWindowLongW(t, GWL_STYLE) & ~WS_VISIBLE);
    note("clear-visible", "prev=%08X visible=%s", (unsigned)prev, yes(IsWindowVisible(t)));
    SetWindowLongW(t, GWL_STYLE, GetWindowLongW(t, GWL_STYLE) | WS_VISIBLE);
    note("set-visible", "visible=%s", yes(IsWindowVisible(t)));
    SetLastError(0);
    LONG bad = GetWindowLongW(nullptr, GWL_STYLE);
    note("null-window", "value=%d error=%u", (int)bad, (unsigned)GetLastError());
}

void scenarioDestroyTree()
{
    scenario("destroy");
    HWND p = make("P", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200);
    make("P.c1", 0, WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, p);
    HWND c2 = make("P.c2", 0, WS_CHILD | WS_VISIBLE, 30, 0, 20, 20, p);
    make("P.c2.g", 0, WS_CHILD | WS_VISIBLE, 1, 1, 5, 5, c2);
    HWND lone = make("P.c3", 0, WS_CHILD, 60, 0, 20, 20, p);
    logOn();
    DestroyWindow(lone);
    note("child-alone", "%s", logOff().c_str());
    logOn();
    DestroyWindow(p);
    note("tree", "%s", logOff().c_str());
    note("after", "P=%s c2=%s", yes(IsWindow(p)), yes(IsWindow(c2)));
    // Owned windows go first. The owner is hidden beforehand: hiding a visible owner restacks
    // its owned windows relative to whatever topmost windows the desktop has.
    HWND o = make("O", 0, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200);
    make("O.c", 0, WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, o);
    HWND op = make("O.popup", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 40, 40, 50, 50, o);
    make("O.popup.c", 0, WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, op);
    logOn();
    DestroyWindow(o);
    note("owner", "%s", logOff().c_str());
    note("owner-after", "O=%s O.popup=%s", yes(IsWindow(o)), yes(IsWindow(op)));
}

void scenarioDetachInDestroy()
{
    scenario("detach");
    POINT o = origin();
    HWND p = make("P", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 400, 300);
    HWND h = make("H", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 0, 0, 160, 90);
    HWND c = make("P.c", 0, WS_CHILD | WS_VISIBLE, 200, 10, 20, 20, p);
    HWND x = make("X", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 80, 100, 100);
    SetParent(h, p);
    SetWindowPos(h, nullptr, 12, 34, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetForegroundWindow(x);  // re-parenting activated H; the tree goes away inactive
    g_hDetacher = h;
    onDestroy(detachOnDestroy);
    logOn();
    DestroyWindow(p);
    note("messages", "%s", logOff().c_str());
    onDestroy(nullptr);
    note("survivor", "H=%s visible=%s parent=%s ga-parent=%s rect=%s P=%s P.c=%s", yes(IsWindow(h)),
         yes(IsWindowVisible(h)), name(GetParent(h)), name(GetAncestor(h, GA_PARENT)), windowRect(h, o).c_str(),
         yes(IsWindow(p)), yes(IsWindow(c)));
    note("survivor-order", "%s", stack().c_str());
    SetForegroundWindow(x);  // the survivor was activated when it was shown again
    logOn();
    DestroyWindow(h);
    note("survivor-destroy", "%s H=%s", logOff().c_str(), yes(IsWindow(h)));
    g_hDetacher = nullptr;
}
