// Stacking: EnumWindows order, the topmost band, every insert-after value and the flag sets
// the window host uses, show and hide, owned windows and the sibling walk of children.
#include "harness.h"
#include "scenarios.h"

using namespace conf;

namespace {

struct Place {
    const char *key;
    HWND h, after;
    UINT flags = kStack;
};

// Each row is a SetWindowPos; the stacking after it is the observation.
void place(std::initializer_list<Place> rows)
{
    for (const Place &row : rows) {
        const BOOL ok = SetWindowPos(row.h, row.after, 0, 0, 0, 0, row.flags);
        note(row.key, "%s [ok=%s]", stack().c_str(), yes(ok));
    }
}

BOOL CALLBACK countUntil(HWND h, LPARAM lp)
{
    auto *pCounts = reinterpret_cast<int *>(lp);  // visited, stop at
    return !named(h) || ++pCounts[0] < pCounts[1];
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

// The nearest windows of this scenario above and below each of two, skipping windows of others.
std::string neighbours(HWND a, HWND b)
{
    std::string strOut;
    for (HWND h : {a, b})
        for (UINT cmd : {GW_HWNDPREV, GW_HWNDNEXT}) {
            HWND n = GetWindow(h, cmd);
            while (n && !named(n))
                n = GetWindow(n, cmd);
            strOut += std::string(strOut.empty() ? "" : " ") + name(h) + (cmd == GW_HWNDPREV ? ".prev=" : ".next=") +
                      name(n);
        }
    return strOut;
}

}  // namespace

void stackingScenarios()
{
    scenario("stack");
    HWND a = make("A", 0, kFramed | WS_VISIBLE, 10, 10, 200, 150);
    HWND b = make("B", 0, kFramed | WS_VISIBLE, 30, 30, 200, 150);
    HWND c = make("C", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 50, 50, 200, 150);
    HWND d = make("D", 0, kFramed, 70, 70, 200, 150);
    note("created", "%s", stack().c_str());
    int counts[2] = {0, 2};
    const BOOL bAll = EnumWindows(countUntil, reinterpret_cast<LPARAM>(counts));
    note("enum-stops", "visited=%d returns-nonzero=%s", counts[0], yes(bAll));
    note("walk", "%s", neighbours(a, c).c_str());
    place({{"a-top", a, HWND_TOP}, {"a-bottom", a, HWND_BOTTOM}, {"d-after-b", d, b}, {"a-after-c", a, c},
           {"b-after-itself", b, b}, {"b-topmost", b, HWND_TOPMOST}, {"a-top-below-band", a, HWND_TOP},
           {"c-topmost", c, HWND_TOPMOST}, {"b-top-in-band", b, HWND_TOP}, {"d-between-topmost", d, b},
           {"d-notopmost", d, HWND_NOTOPMOST}});
    // The last of the band is looked up once the rows before have run.
    place({{"c-band-bottom", c, lastTopmost(c)}, {"a-after-band", a, c}, {"b-notopmost", b, HWND_NOTOPMOST},
           {"a-notopmost-not-topmost", a, HWND_NOTOPMOST}, {"c-after-non-topmost-a", c, a},
           {"d-topmost-hidden", d, HWND_TOPMOST}, {"d-bottom-leaves-band", d, HWND_BOTTOM}});
    note("walk-after", "%s", neighbours(a, d).c_str());
    // The redraw pair of a geometry request: hide and show, both naming the top.
    place({{"d-0x93", d, nullptr, kStack | SWP_HIDEWINDOW}, {"c-0x93", c, nullptr, kStack | SWP_HIDEWINDOW},
           {"c-0x53", c, nullptr, kStack | SWP_SHOWWINDOW}, {"b-0x14-move", b, HWND_BOTTOM, kNoZ},
           {"b-nozorder-size", b, a, kNoZ | SWP_NOMOVE}});
    walk({{"a-hide", [&] { ShowWindow(a, SW_HIDE); }}, {"a-showna", [&] { ShowWindow(a, SW_SHOWNA); }},
          {"d-shownoactivate", [&] { ShowWindow(d, SW_SHOWNOACTIVATE); }}},
         stack);

    scenario("owned");
    a = make("A", 0, kFramed | WS_VISIBLE, 10, 10, 300, 200);
    HWND p = make("A.popup", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 20, 20, 100, 80, a);
    HWND o = make("A.owned", 0, kFramed | WS_VISIBLE, 40, 40, 100, 80, a);
    b = make("B", 0, kFramed | WS_VISIBLE, 60, 60, 300, 200);
    note("created", "%s", stack().c_str());
    note("parent", "popup=%s owned-overlapped=%s B=%s", name(GetParent(p)), name(GetParent(o)), name(GetParent(b)));
    note("owner", "popup=%s owned-overlapped=%s B=%s", name(GetWindow(p, GW_OWNER)), name(GetWindow(o, GW_OWNER)),
         name(GetWindow(b, GW_OWNER)));
    note("ancestor", "popup.parent=%s popup.root=%s popup.rootowner=%s", name(GetAncestor(p, GA_PARENT)),
         name(GetAncestor(p, GA_ROOT)), name(GetAncestor(p, GA_ROOTOWNER)));
    place({{"owner-top", a, HWND_TOP}, {"owner-bottom", a, HWND_BOTTOM},
           {"popup-bottom", p, HWND_BOTTOM}, {"owner-topmost", a, HWND_TOPMOST},
           {"owner-notopmost", a, HWND_NOTOPMOST}});

    scenario("children");
    p = make("P", 0, kFramed | WS_VISIBLE, 10, 10, 400, 300);
    HWND c1 = make("P.c1", 0, WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, p);
    HWND c2 = make("P.c2", 0, WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, p);
    HWND c3 = make("P.c3", 0, WS_CHILD, 20, 20, 50, 50, p);
    HWND g = make("P.c2.g", 0, WS_CHILD | WS_VISIBLE, 1, 1, 10, 10, c2);
    std::string strBack;
    for (HWND h = GetWindow(GetWindow(p, GW_CHILD), GW_HWNDLAST); h; h = GetWindow(h, GW_HWNDPREV))
        strBack += std::string(strBack.empty() ? "" : " ") + name(h);
    note("created", "%s | back: %s", children(p).c_str(), strBack.c_str());
    note("nested", "c2=%s g=%s g.child=%s", children(c2).c_str(), name(GetParent(g)), name(GetWindow(g, GW_CHILD)));
    note("parents", "c1=%s c3=%s P=%s", name(GetParent(c1)), name(GetParent(c3)), name(GetParent(p)));
    note("ends", "first.prev=%s last.next=%s", name(GetWindow(GetWindow(p, GW_CHILD), GW_HWNDPREV)),
         name(GetWindow(c1, GW_HWNDNEXT)));
    walk({{"c1-top", [&] { SetWindowPos(c1, HWND_TOP, 0, 0, 0, 0, kStack); }},
          {"c1-bottom", [&] { SetWindowPos(c1, HWND_BOTTOM, 0, 0, 0, 0, kStack); }},
          {"c3-after-c1", [&] { SetWindowPos(c3, c1, 0, 0, 0, 0, kStack); }},
          {"c2-topmost", [&] { SetWindowPos(c2, HWND_TOPMOST, 0, 0, 0, 0, kStack); }}},
         [&] { return children(p); });
    // After a window of another parent, or after no window at all.
    HWND other = make("other", 0, kFramed | WS_VISIBLE, 30, 30, 100, 100);
    note("c1-after-other", "ok=%s %s", yes(SetWindowPos(c1, other, 0, 0, 0, 0, kStack)), children(p).c_str());
    note("c1-after-stale", "ok=%s %s", yes(SetWindowPos(c1, reinterpret_cast<HWND>(0x7FFF0000), 0, 0, 0, 0, kStack)),
         children(p).c_str());
    SetWindowPos(c2, nullptr, 5, 6, 70, 80, kNoZ);
    note("c2-0x14", "%s rect=%s", children(p).c_str(), clientRect(c2).c_str());
    SetWindowPos(c3, nullptr, 0, 0, 0, 0, kStack | SWP_SHOWWINDOW);
    note("c3-0x53", "%s visible=%s", children(p).c_str(), yes(IsWindowVisible(c3)));
    SetWindowPos(c1, nullptr, 0, 0, 0, 0, kStack | SWP_HIDEWINDOW);
    note("c1-0x93", "%s visible=%s", children(p).c_str(), yes(IsWindowVisible(c1)));
}
