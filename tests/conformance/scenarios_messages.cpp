// What a window procedure receives: creation, show and hide, SetWindowPos, SetParent, style
// changes, and destruction of a tree (including a child that detaches itself in WM_DESTROY).
#include "harness.h"
#include "scenarios.h"

using namespace conf;

#ifndef WS_EX_NOPARENTNOTIFY
#define WS_EX_NOPARENTNOTIFY 0x00000004L
#endif

namespace {

HWND g_hDetacher = nullptr;

void detachOnDestroy(HWND h)
{
    if (h == g_hDetacher)
        SetParent(h, nullptr);
}

}  // namespace

void messageScenarios()
{
    scenario("msg-create");
    HWND f = nullptr;
    logged({{"framed", [&] { f = make("F", 0, kFramed, 10, 10, 300, 200); }},
            {"tool", [] { make("T", WS_EX_TOOLWINDOW, kTool, 20, 20, 160, 90); }},
            {"child", [&] { make("F.c", 0, WS_CHILD | WS_VISIBLE, 5, 6, 50, 40, f); }},
            {"child-noparentnotify", [&] { make("F.q", WS_EX_NOPARENTNOTIFY, WS_CHILD, 7, 8, 20, 10, f); }}});

    scenario("msg-show");
    const POINT o = corner();
    HWND t = make("T", WS_EX_TOOLWINDOW, kTool, 20, 20, 160, 90);
    HWND c = make("T.c", 0, WS_CHILD, 1, 2, 30, 20, t);
    logged({{"showna", [&] { ShowWindow(t, SW_SHOWNA); }},
            {"showna-again", [&] { ShowWindow(t, SW_SHOWNA); }},
            {"child-showna", [&] { ShowWindow(c, SW_SHOWNA); }},
            {"hide", [&] { ShowWindow(t, SW_HIDE); }},
            {"swp-0x53", setPos(t, nullptr, 0, 0, 0, 0, kStack | SWP_SHOWWINDOW)},
            {"swp-0x93", setPos(t, nullptr, 0, 0, 0, 0, kStack | SWP_HIDEWINDOW)},
            {"swp-move-hidden", setPos(t, nullptr, o.x + 40, o.y + 50, 0, 0, kNoZ | SWP_NOSIZE)},
            {nullptr, [&] { ShowWindow(t, SW_SHOWNA); }},
            {"swp-move", setPos(t, nullptr, o.x + 41, o.y + 52, 0, 0, kNoZ | SWP_NOSIZE)},
            {"swp-size", setPos(t, nullptr, 0, 0, 200, 100, kNoZ | SWP_NOMOVE)},
            {"swp-move-size", setPos(t, nullptr, o.x + 1, o.y + 2, 201, 101, kNoZ)},
            {"swp-same", setPos(t, nullptr, o.x + 1, o.y + 2, 201, 101, kNoZ)},
            {"swp-0x13-topmost", setPos(t, HWND_TOPMOST, 0, 0, 0, 0, kStack)},
            {"child-move", setPos(c, nullptr, 3, 4, 0, 0, kNoZ | SWP_NOSIZE)}});

    scenario("msg-activate");
    HWND a = make("A", 0, kFramed, 10, 10, 300, 200);
    logged({{"show", [&] { ShowWindow(a, SW_SHOW); }}, {"hide-active", [&] { ShowWindow(a, SW_HIDE); }}});

    // A visible window that is re-parented is hidden and shown again, which activates it; the
    // window moved is never the active one beforehand, so that which window the system activates
    // after hiding the active one (a side effect that differs between drivers) stays out of it.
    scenario("msg-setparent");
    HWND p = make("P", 0, kFramed | WS_VISIBLE, 100, 100, 400, 300);
    HWND q = make("Q", 0, kFramed | WS_VISIBLE, 120, 120, 300, 200);
    HWND h = make("H", WS_EX_TOOLWINDOW, kTool, 30, 40, 120, 90);
    c = make("P.c", 0, WS_CHILD | WS_VISIBLE, 5, 5, 50, 50, p);
    // Q comes forward as Windows brings an activated window forward (Wine's headless driver
    // does not): the flags of hiding H tell whether it was at the top.
    const auto front = [&] {
        SetForegroundWindow(q);
        SetWindowPos(q, HWND_TOP, 0, 0, 0, 0, kStack);
    };
    front();
    logged({{"hidden-to-parent", [&] { SetParent(h, p); }},
            {nullptr, [&] { ShowWindow(h, SW_SHOWNA); }},
            {nullptr, front},
            {"visible-to-null", [&] { SetParent(h, nullptr); }},
            {nullptr, front},
            {"visible-to-parent", [&] { SetParent(h, p); }},
            {"child-to-other", [&] { SetParent(c, q); }}});

    scenario("style");
    f = make("F", 0, kFramed, 10, 10, 300, 200);
    t = make("T", WS_EX_TOOLWINDOW, kTool, 20, 20, 100, 80);
    c = make("F.c", 0, WS_CHILD, 1, 1, 10, 10, f);
    const auto style = [](HWND w) { return unsigned(GetWindowLongW(w, GWL_STYLE)); };
    note("created", "F=%08X T=%08X F.c=%08X T.ex=%08X", style(f), style(t), style(c),
         unsigned(GetWindowLongW(t, GWL_EXSTYLE)));
    ShowWindow(t, SW_SHOWNA);
    note("shown", "T=%08X", style(t));
    const LONG before = GetWindowLongW(c, GWL_STYLE);
    logOn();
    LONG prev = SetWindowLongW(c, GWL_STYLE, before | WS_CLIPSIBLINGS);
    const std::string strLog = logOff();
    note("set-clipsiblings", "returns-previous=%s now=%08X messages: %s", yes(prev == before), style(c),
         strLog.c_str());
    prev = SetWindowLongW(t, GWL_STYLE, GetWindowLongW(t, GWL_STYLE) & ~WS_VISIBLE);
    note("clear-visible", "prev=%08X visible=%s", unsigned(prev), yes(IsWindowVisible(t)));
    SetWindowLongW(t, GWL_STYLE, GetWindowLongW(t, GWL_STYLE) | WS_VISIBLE);
    note("set-visible", "visible=%s", yes(IsWindowVisible(t)));
    // A frame added by a style change counts once the frame is said to have changed.
    SetWindowLongW(t, GWL_STYLE, GetWindowLongW(t, GWL_STYLE) | WS_CAPTION);
    note("caption-added", "client=%s", clientRect(t).c_str());
    logged({{"frame-changed", setPos(t, nullptr, 0, 0, 0, 0, kStack | SWP_NOZORDER | SWP_FRAMECHANGED)}});
    note("frame-changed-client", "%s", clientRect(t).c_str());
    SetLastError(0);
    const LONG bad = GetWindowLongW(nullptr, GWL_STYLE);
    note("null-window", "value=%d error=%u", int(bad), unsigned(GetLastError()));

    scenario("destroy");
    p = make("P", 0, kFramed | WS_VISIBLE, 10, 10, 300, 200);
    make("P.c1", 0, WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, p);
    HWND c2 = make("P.c2", 0, WS_CHILD | WS_VISIBLE, 30, 0, 20, 20, p);
    make("P.c2.g", 0, WS_CHILD | WS_VISIBLE, 1, 1, 5, 5, c2);
    HWND lone = make("P.c3", 0, WS_CHILD, 60, 0, 20, 20, p);
    logged({{"child-alone", [&] { DestroyWindow(lone); }}, {"tree", [&] { DestroyWindow(p); }}});
    note("after", "P=%s c2=%s", yes(IsWindow(p)), yes(IsWindow(c2)));
    // Owned windows go first. The owner is hidden beforehand: hiding a visible owner restacks
    // its owned windows relative to whatever topmost windows the desktop has.
    HWND owner = make("O", 0, kFramed, 10, 10, 300, 200);
    make("O.c", 0, WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, owner);
    HWND op = make("O.popup", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 40, 40, 50, 50, owner);
    make("O.popup.c", 0, WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, op);
    logged({{"owner", [&] { DestroyWindow(owner); }}});
    note("owner-after", "O=%s O.popup=%s", yes(IsWindow(owner)), yes(IsWindow(op)));

    scenario("detach");
    p = make("P", 0, kFramed | WS_VISIBLE, 100, 80, 400, 300);
    h = make("H", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 0, 0, 160, 90);
    c = make("P.c", 0, WS_CHILD | WS_VISIBLE, 200, 10, 20, 20, p);
    HWND x = make("X", 0, kFramed | WS_VISIBLE, 500, 80, 100, 100);
    SetParent(h, p);
    SetWindowPos(h, nullptr, 12, 34, 0, 0, SWP_NOSIZE | kNoZ);
    SetForegroundWindow(x);  // re-parenting activated H; the tree goes away inactive
    g_hDetacher = h;
    onDestroy(detachOnDestroy);
    logged({{"messages", [&] { DestroyWindow(p); }}});
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
