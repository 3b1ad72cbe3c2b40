// Stacking: EnumWindows order, the topmost band, every insert-after value and the flag sets
// the window host uses, show and hide, owned windows and the sibling walk of children.
#include "scenarios.h"
#include "transcript.h"

using namespace conf;

namespace {

const UINT kStack = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;  // 0x13
const DWORD kFramed = WS_OVERLAPPEDWINDOW;
const DWORD kTool = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

void place(const char *key, HWND h, HWND after, UINT flags = kStack)
{
    BOOL ok = SetWindowPos(h, after, 0, 0, 0, 0, flags);
    note(key, "%s [ok=%s]", stack().c_str(), yes(ok));
}

struct EnumStop {
    int visited = 0;
    int stopAt = 0;
};

BOOL CALLBACK countUntil(HWND h, LPARAM lp)
{
    auto *e = reinterpret_cast<EnumStop *>(lp);
    if (std::string(name(h)) == "foreign")
        return TRUE;
    return ++e->visited < e->stopAt;
}

// The last window of the topmost band (the desktop may keep topmost windows of its own, such as
// a taskbar, below the scenario's).
HWND lastTopmost(HWND anyTopLevel)
{
    HWND last = nullptr;
    for (HWND h = GetWindow(anyTopLevel, GW_HWNDFIRST); h && (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
         h = GetWindow(h, GW_HWNDNEXT))
        last = h;
    return last;
}

// The nearest window of this scenario above or below h, skipping windows of others.
const char *neighbour(HWND h, UINT cmd)
{
    for (HWND n = GetWindow(h, cmd); n; n = GetWindow(n, cmd))
        if (std::string(name(n)) != "foreign")
            return name(n);
    return "null";
}

}  // namespace

void scenarioTopLevelOrder()
{
    scenario("stack");
    HWND a = make("A", 0, kFramed | WS_VISIBLE, 10, 10, 200, 150);
    HWND b = make("B", 0, kFramed | WS_VISIBLE, 30, 30, 200, 150);
    HWND c = make("C", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 50, 50, 200, 150);
    HWND d = make("D", 0, kFramed, 70, 70, 200, 150);
    note("created", "%s", stack().c_str());
    EnumStop e;
    e.stopAt = 2;
    BOOL all = EnumWindows(countUntil, reinterpret_cast<LPARAM>(&e));
    note("enum-stops", "visited=%d returns-nonzero=%s", e.visited, yes(all));
    note("walk", "A.prev=%s A.next=%s C.prev=%s C.next=%s", neighbour(a, GW_HWNDPREV), neighbour(a, GW_HWNDNEXT),
         neighbour(c, GW_HWNDPREV), neighbour(c, GW_HWNDNEXT));
    place("a-top", a, HWND_TOP);
    place("a-bottom", a, HWND_BOTTOM);
    place("d-after-b", d, b);
    place("a-after-c", a, c);
    place("b-after-itself", b, b);
    place("b-topmost", b, HWND_TOPMOST);
    place("a-top-below-band", a, HWND_TOP);
    place("c-topmost", c, HWND_TOPMOST);
    place("b-top-in-band", b, HWND_TOP);
    place("d-between-topmost", d, b);
    place("d-notopmost", d, HWND_NOTOPMOST);
    place("c-band-bottom", c, lastTopmost(c));
    place("a-after-band", a, c);
    place("b-notopmost", b, HWND_NOTOPMOST);
    place("a-notopmost-not-topmost", a, HWND_NOTOPMOST);
    place("c-after-non-topmost-a", c, a);
    place("d-topmost-hidden", d, HWND_TOPMOST);
    place("d-bottom-leaves-band", d, HWND_BOTTOM);
    note("walk-after", "A.prev=%s A.next=%s D.prev=%s D.next=%s", neighbour(a, GW_HWNDPREV), neighbour(a, GW_HWNDNEXT),
         neighbour(d, GW_HWNDPREV), neighbour(d, GW_HWNDNEXT));
    // The redraw pair of a geometry request: hide and show, both naming the top.
    place("d-0x93", d, nullptr, kStack | SWP_HIDEWINDOW);
    place("c-0x93", c, nullptr, kStack | SWP_HIDEWINDOW);
    place("c-0x53", c, nullptr, kStack | SWP_SHOWWINDOW);
    place("b-0x14-move", b, HWND_BOTTOM, SWP_NOZORDER | SWP_NOACTIVATE);
    place("b-nozorder-size", b, a, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    ShowWindow(a, SW_HIDE);
    note("a-hide", "%s", stack().c_str());
    ShowWindow(a, SW_SHOWNA);
    note("a-showna", "%s", stack().c_str());
    ShowWindow(d, SW_SHOWNOACTIVATE);
    note("d-shownoactivate", "%s", stack().c_str());
}

void scenarioOwnedOrder()
{
    scenario("owned");
    HWND a = make("A", 0, kFramed | WS_VISIBLE, 10, 10, 300, 200);
    HWND p = make("A.popup", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 20, 20, 100, 80, a);
    HWND o = make("A.owned", 0, kFramed | WS_VISIBLE, 40, 40, 100, 80, a);
    HWND b = make("B", 0, kFramed | WS_VISIBLE, 60, 60, 300, 200);
    note("created", "%s", stack().c_str());
    note("parent", "popup=%s owned-overlapped=%s B=%s", name(GetParent(p)), name(GetParent(o)), name(GetParent(b)));
    note("owner", "popup=%s owned-overlapped=%s B=%s", name(GetWindow(p, GW_OWNER)), name(GetWindow(o, GW_OWNER)),
         name(GetWindow(b, GW_OWNER)));
    note("ancestor", "popup.parent=%s popup.root=%s popup.rootowner=%s", name(GetAncestor(p, GA_PARENT)),
         name(GetAncestor(p, GA_ROOT)), name(GetAncestor(p, GA_ROOTOWNER)));
    place("owner-top", a, HWND_TOP);
    place("owner-bottom", a, HWND_BOTTOM);
    place("popup-bottom", p, HWND_BOTTOM);
    place("owner-topmost", a, HWND_TOPMOST);
    place("owner-notopmost", a, HWND_NOTOPMOST);
}

void scenarioChildOrder()
{
    scenario("children");
    HWND p = make("P", 0, kFramed | WS_VISIBLE, 10, 10, 400, 300);
    HWND c1 = make("P.c1", 0, WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, p);
    HWND c2 = make("P.c2", 0, WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, p);
    HWND c3 = make("P.c3", 0, WS_CHILD, 20, 20, 50, 50, p);
    HWND g = make("P.c2.g", 0, WS_CHILD | WS_VISIBLE, 1, 1, 10, 10, c2);
    note("created", "%s | back: %s", children(p).c_str(), childrenBackwards(p).c_str());
    note("nested", "c2=%s g=%s g.child=%s", children(c2).c_str(), name(GetParent(g)), name(GetWindow(g, GW_CHILD)));
    note("parents", "c1=%s c3=%s P=%s", name(GetParent(c1)), name(GetParent(c3)), name(GetParent(p)));
    note("ends", "first.prev=%s last.next=%s", name(GetWindow(GetWindow(p, GW_CHILD), GW_HWNDPREV)),
         name(GetWindow(c1, GW_HWNDNEXT)));
    SetWindowPos(c1, HWND_TOP, 0, 0, 0, 0, kStack);
    note("c1-top", "%s", children(p).c_str());
    SetWindowPos(c1, HWND_BOTTOM, 0, 0, 0, 0, kStack);
    note("c1-bottom", "%s", children(p).c_str());
    SetWindowPos(c3, c1, 0, 0, 0, 0, kStack);
    note("c3-after-c1", "%s", children(p).c_str());
    SetWindowPos(c2, HWND_TOPMOST, 0, 0, 0, 0, kStack);
    note("c2-topmost", "%s", children(p).c_str());
    SetWindowPos(c2, nullptr, 5, 6, 70, 80, SWP_NOZORDER | SWP_NOACTIVATE);
    note("c2-0x14", "%s rect=%s", children(p).c_str(), clientRect(c2).c_str());
    SetWindowPos(c3, nullptr, 0, 0, 0, 0, kStack | SWP_SHOWWINDOW);
    note("c3-0x53", "%s visible=%s", children(p).c_str(), yes(IsWindowVisible(c3)));
    SetWindowPos(c1, nullptr, 0, 0, 0, 0, kStack | SWP_HIDEWINDOW);
    note("c1-0x93", "%s visible=%s", children(p).c_str(), yes(IsWindowVisible(c1)));
}
