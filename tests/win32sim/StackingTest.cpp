// Stacking: each step is one SetWindowPos (or creation) and the whole top-level order
// after it, as Wine gives it for the same calls.
#include "DesktopFixture.h"

#include <functional>
#include <map>

namespace {

constexpr UINT kNoMoveSize = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

} // namespace

class Stacking : public DesktopTest
{
protected:
    std::map<QString, HWND> w;
    void pos(const char *a, HWND after) { SetWindowPos(w[a], after, 0, 0, 0, 0, kNoMoveSize); }
    void pos(const char *a, const char *after) { pos(a, w[after]); }
    HWND popup(const wchar_t *t, DWORD ex = 0, HWND owner = nullptr, bool visible = true)
    {
        return make(t, WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, 10, 10, owner, ex);
    }
};

TEST_F(Stacking, TopmostBandAndOwnedWindowsFollowWine)
{
    removeTaskbars();
    w["A"] = popup(L"A");
    w["B"] = popup(L"B");
    w["C"] = popup(L"C");
    ASSERT_EQ(order(), "C B A");
    const std::vector<std::pair<std::function<void()>, QString>> steps = {
        {[&] { w["T"] = popup(L"T", WS_EX_TOPMOST); }, "T* C B A"},
        {[&] { w["D"] = popup(L"D", 0, nullptr, false); }, "T* D C B A"},
        {[&] { pos("A", HWND_TOPMOST); }, "A* T* D C B"},
        {[&] { pos("A", HWND_NOTOPMOST); }, "T* A D C B"},
        {[&] { pos("B", HWND_NOTOPMOST); }, "T* A D C B"},             // not topmost: nothing
        {[&] { pos("T", "C"); }, "A D C T B"},                         // after a plain window: out of the band
        {[&] { pos("T", HWND_TOPMOST); pos("C", "T"); }, "T* C A D B"},
        {[&] { pos("C", HWND_BOTTOM); }, "T* A D B C"},
        {[&] { pos("T", HWND_BOTTOM); }, "A D B C T"},                 // BOTTOM drops topmost
        {[&] { pos("T", HWND_TOPMOST); pos("A", HWND_TOP); }, "T* A D B C"},
        {[&] { pos("B", HWND_TOPMOST); pos("A", "B"); }, "B* A* T* D C"},   // after a topmost one: joins the band
        {[&] { pos("A", HWND_NOTOPMOST); pos("B", HWND_NOTOPMOST); }, "T* B A D C"},
        {[&] { w["O"] = popup(L"O", 0, w["B"]); }, "T* O B A D C"},
        {[&] { pos("O", HWND_BOTTOM); }, "T* O B A D C"},             // never below its owner
        {[&] { pos("B", HWND_TOPMOST); }, "O* B* T* A D C"},           // owned windows come along
        {[&] { pos("B", HWND_NOTOPMOST); }, "O* T* B A D C"},
        {[&] { pos("O", "A"); }, "T* O* B A D C"},
        {[&] { pos("B", HWND_TOPMOST); }, "O* B* T* A D C"},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        steps[i].first();
        EXPECT_EQ(order(), steps[i].second) << "step " << i << "\n" << win32sim::dump().toStdString();
    }
    EXPECT_EQ(GetWindow(w["O"], GW_OWNER), w["B"]);
    EXPECT_EQ(GetParent(w["O"]), w["B"]);
    EXPECT_EQ(GetAncestor(w["O"], GA_PARENT), GetDesktopWindow());

    // EnumWindows walks the same order, the taskbars included.
    std::vector<HWND> enumerated;
    EnumWindows([](HWND h, LPARAM l) { reinterpret_cast<std::vector<HWND> *>(l)->push_back(h); return TRUE; },
                reinterpret_cast<LPARAM>(&enumerated));
    const QVector<HWND> control = win32sim::topLevelOrder();
    EXPECT_EQ(QVector<HWND>(enumerated.begin(), enumerated.end()), control);
    EXPECT_EQ(GetWindow(w["O"], GW_HWNDFIRST), control.first());
    EXPECT_EQ(GetWindow(w["O"], GW_HWNDLAST), w["C"]);
}

TEST_F(Stacking, ChildrenKeepCreationOrderAndSiblingRules)
{
    const HWND a = popup(L"A");
    const HWND b = popup(L"B");
    const HWND x = make(L"X", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, a);
    const HWND y = make(L"Y", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, a);
    const HWND z = make(L"Z", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, a);
    EXPECT_EQ(children(a), "X Y Z");
    EXPECT_EQ(GetWindow(a, GW_CHILD), x);
    EXPECT_EQ(GetWindow(x, GW_HWNDNEXT), y);
    EXPECT_EQ(GetWindow(x, GW_HWNDPREV), nullptr);

    SetWindowPos(z, HWND_TOPMOST, 0, 0, 0, 0, kNoMoveSize);
    EXPECT_EQ(children(a), "Z X Y");
    EXPECT_TRUE(GetWindowLongW(z, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowPos(z, HWND_BOTTOM, 0, 0, 0, 0, kNoMoveSize);
    SetWindowPos(z, x, 0, 0, 0, 0, kNoMoveSize);
    EXPECT_EQ(children(a), "X Z Y");
    EXPECT_EQ(GetWindow(z, GW_HWNDLAST), y);

    // Insert-after a window of another parent: accepted, nothing moves.
    EXPECT_TRUE(SetWindowPos(z, b, 0, 0, 0, 0, kNoMoveSize));
    EXPECT_EQ(children(a), "X Z Y");
    EXPECT_FALSE(SetWindowPos(z, reinterpret_cast<HWND>(0x7FFF0000), 0, 0, 0, 0, kNoMoveSize));
}

TEST_F(Stacking, HandlesAreNeverReused)
{
    const HWND a = popup(L"A");
    DestroyWindow(a);
    EXPECT_FALSE(IsWindow(a));
    const HWND b = popup(L"B");
    EXPECT_NE(a, b);
    EXPECT_FALSE(IsWindow(a));
    const HRGN r = CreateRectRgn(0, 0, 1, 1);
    EXPECT_NE(static_cast<void *>(r), static_cast<void *>(b));
    EXPECT_TRUE(DeleteObject(r));
    EXPECT_FALSE(DeleteObject(r));
    EXPECT_FALSE(PtInRegion(r, 0, 0));
}

// Windows brings an activated window to the top of its band; Wine's headless driver
// does not, so this one is ours.
TEST_F(Stacking, ActivationRaisesToTheTopOfItsBand)
{
    const HWND a = popup(L"A");
    const HWND b = popup(L"B");
    popup(L"T", WS_EX_TOPMOST);
    const HWND o = popup(L"O", 0, b);
    ASSERT_EQ(order(), "T* O B A");
    win32sim::activate(a);
    EXPECT_EQ(order(), "T* A O B");
    EXPECT_EQ(GetForegroundWindow(), a);
    SetForegroundWindow(b);
    EXPECT_EQ(order(), "T* O B A");   // its owned window stays above it
    EXPECT_EQ(GetActiveWindow(), b);
    const QVector<HWND> all = win32sim::topLevelOrder();
    EXPECT_LT(all.indexOf(win32sim::trayWnd()), all.indexOf(o));   // the taskbar's band stays above
}
