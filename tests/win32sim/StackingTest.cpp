// Stacking that the Wine comparison cannot show (tests/conformance has the rest): owned
// windows joining the topmost band with their owner, and activation raising a window.
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
    HWND popup(const wchar_t *t, DWORD ex = 0, HWND owner = nullptr)
    {
        return make(t, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, owner, ex);
    }
};

// Wine leaves the owner outside the band; Windows documents that the window itself
// becomes topmost and takes its owned windows along.
TEST_F(Stacking, OwnedWindowsFollowTheirOwnerIntoTheTopmostBand)
{
    removeTaskbars();
    w["A"] = popup(L"A");
    w["B"] = popup(L"B");
    w["T"] = popup(L"T", WS_EX_TOPMOST);
    w["O"] = popup(L"O", 0, w["B"]);
    ASSERT_EQ(order(), "T* O B A");
    const std::vector<std::pair<std::function<void()>, QString>> steps = {
        {[&] { pos("B", HWND_TOPMOST); }, "O* B* T* A"},
        {[&] { pos("B", HWND_NOTOPMOST); }, "O* T* B A"},
        {[&] { pos("O", w["A"]); }, "T* O* B A"},
        {[&] { pos("B", HWND_TOPMOST); }, "O* B* T* A"},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        steps[i].first();
        EXPECT_EQ(order(), steps[i].second) << "step " << i << "\n" << win32sim::dump().toStdString();
    }
}

TEST_F(Stacking, HandlesAreNeverReused)
{
    const HWND a = popup(L"A");
    DestroyWindow(a);
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
