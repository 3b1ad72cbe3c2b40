// Messages a window procedure sees, in order, for creation, showing, moving,
// re-parenting and destruction, as Wine sends them for the same calls.
#include "DesktopFixture.h"

namespace {

HWND g_detacher = nullptr;

LRESULT CALLBACK detachOnDestroy(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY)
        SetParent(h, nullptr);
    return DefWindowProcW(h, msg, wParam, lParam);
}

} // namespace

using MessageOrder = DesktopTest;

TEST_F(MessageOrder, CreationShowAndMove)
{
    record();
    const HWND a = make(L"A", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300);
    EXPECT_EQ(named(takeLog()), QStringList({"untitled WM_NCCREATE", "A WM_CREATE"}));

    EXPECT_FALSE(ShowWindow(a, SW_SHOW));
    EXPECT_EQ(named(takeLog()), QStringList({"A WM_SHOWWINDOW TRUE", "A CHANGING 0 0,0 0x0 SWP_NOSIZE|SWP_NOMOVE|SWP_SHOWWINDOW",
                                             "A WM_ACTIVATE WA_ACTIVE 0", "A WM_SETFOCUS",
                                             "A CHANGED 0 100,100 400x300 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_SHOWWINDOW|SWP_NOCLIENTSIZE|SWP_NOCLIENTMOVE",
                                             "A WM_SIZE SIZE_RESTORED 392,273", "A WM_MOVE 104,123"}));
    EXPECT_TRUE(ShowWindow(a, SW_SHOW));
    EXPECT_TRUE(takeLog().isEmpty());

    const HWND c = make(L"C", WS_CHILD | WS_VISIBLE, 10, 20, 50, 60, a);
    EXPECT_EQ(named(takeLog()),
              QStringList({"untitled WM_NCCREATE", "C WM_CREATE", "C WM_SIZE SIZE_RESTORED 50,60", "C WM_MOVE 10,20",
                           "A WM_PARENTNOTIFY WM_CREATE", "C WM_SHOWWINDOW TRUE",
                           "C CHANGING 0 0,0 0x0 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_SHOWWINDOW",
                           "C CHANGED 0 10,20 50x60 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_SHOWWINDOW|SWP_NOCLIENTSIZE|SWP_NOCLIENTMOVE"}));

    MoveWindow(a, 110, 120, 400, 300, TRUE);
    EXPECT_EQ(named(takeLog()), QStringList({"A CHANGING 0 110,120 400x300 SWP_NOZORDER|SWP_NOACTIVATE",
                                             "A CHANGED 0 110,120 400x300 SWP_NOSIZE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_NOCLIENTSIZE",
                                             "A WM_MOVE 114,143"}));
    MoveWindow(a, 110, 120, 410, 300, TRUE);
    EXPECT_EQ(named(takeLog()), QStringList({"A CHANGING 0 110,120 410x300 SWP_NOZORDER|SWP_NOACTIVATE",
                                             "A CHANGED 0 110,120 410x300 SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_NOCLIENTMOVE",
                                             "A WM_SIZE SIZE_RESTORED 402,273"}));
    // Nothing changes: no WM_WINDOWPOSCHANGED.
    SetWindowPos(c, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(named(takeLog()), QStringList({"C CHANGING 0 0,0 0x0 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER", "C WM_CHILDACTIVATE"}));
    EXPECT_EQ(win32sim::windowRect(c), QRect(124, 163, 50, 60));
}

TEST_F(MessageOrder, SetParentHidesMovesAndShowsAgain)
{
    removeTaskbars();
    const HWND a = make(L"A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
    const HWND c = make(L"C", WS_CHILD | WS_VISIBLE, 10, 20, 50, 60, a);
    record();
    EXPECT_EQ(SetParent(c, nullptr), a);
    EXPECT_EQ(named(takeLog()),
              QStringList({"C WM_SHOWWINDOW FALSE",
                           "C CHANGING 0 0,0 0x0 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_HIDEWINDOW",
                           "C CHANGED 0 10,20 50x60 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_HIDEWINDOW|SWP_NOCLIENTSIZE|SWP_NOCLIENTMOVE",
                           "C CHANGING 0 10,20 0x0 SWP_NOSIZE", "C WM_CHILDACTIVATE",
                           "C CHANGED 0 10,20 50x60 SWP_NOSIZE|SWP_NOZORDER|SWP_NOREDRAW|SWP_NOCLIENTSIZE", "C WM_MOVE 10,20",
                           "C WM_SHOWWINDOW TRUE",
                           "C CHANGING 0 0,0 0x0 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_SHOWWINDOW",
                           "C CHANGED 0 10,20 50x60 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_SHOWWINDOW|SWP_NOCLIENTSIZE|SWP_NOCLIENTMOVE"}));
}

TEST_F(MessageOrder, DestroyParentFirstThenNcDestroyChildrenFirst)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = detachOnDestroy;
    wc.lpszClassName = L"Detacher";
    RegisterClassExW(&wc);
    removeTaskbars();

    const HWND a = make(L"A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
    const HWND c1 = make(L"C1", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, a);
    make(L"C11", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, c1);
    const HWND c2 = make(L"C2", WS_CHILD | WS_VISIBLE, 60, 0, 50, 50, a);
    const HWND own = make(L"OWN", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, a);
    g_detacher = CreateWindowExW(0, L"Detacher", L"DET", WS_CHILD | WS_VISIBLE, 5, 6, 30, 40, c2, nullptr, nullptr,
                                 nullptr);
    const HWND b = make(L"B", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300);
    ASSERT_EQ(GetForegroundWindow(), b);
    record();
    EXPECT_TRUE(DestroyWindow(a));
    EXPECT_EQ(named(takeLog()),
              QStringList({"A CHANGING 0 0,0 0x0 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_HIDEWINDOW",
                           "OWN CHANGED 0 0,0 10x10 SWP_NOSIZE|SWP_NOMOVE|SWP_NOACTIVATE|SWP_NOSENDCHANGING|SWP_NOCLIENTSIZE|SWP_NOCLIENTMOVE|SWP_DEFERERASE",
                           "A CHANGED OWN 100,100 400x300 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_HIDEWINDOW|SWP_NOCLIENTSIZE|SWP_NOCLIENTMOVE",
                           "OWN CHANGING 0 0,0 0x0 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_HIDEWINDOW",
                           "OWN CHANGED 0 0,0 10x10 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_HIDEWINDOW|SWP_NOCLIENTSIZE|SWP_NOCLIENTMOVE",
                           "OWN WM_DESTROY", "OWN WM_NCDESTROY", "A WM_DESTROY", "C1 WM_DESTROY", "C11 WM_DESTROY", "C2 WM_DESTROY",
                           "DET WM_DESTROY", "DET WM_SHOWWINDOW FALSE", "DET CHANGING 0 5,6 0x0 SWP_NOSIZE", "DET WM_CHILDACTIVATE",
                           "DET CHANGED 0 5,6 30x40 SWP_NOSIZE|SWP_NOZORDER|SWP_NOREDRAW|SWP_NOCLIENTSIZE", "DET WM_MOVE 5,6",
                           "DET WM_SHOWWINDOW TRUE",
                           "DET CHANGING 0 0,0 0x0 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_SHOWWINDOW",
                           "DET CHANGED 0 5,6 30x40 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_SHOWWINDOW|SWP_NOCLIENTSIZE|SWP_NOCLIENTMOVE",
                           "C11 WM_NCDESTROY", "C1 WM_NCDESTROY", "C2 WM_NCDESTROY", "A WM_NCDESTROY"}));
    // The child that left in its WM_DESTROY lives on at the same numbers, now on the desktop.
    EXPECT_FALSE(IsWindow(a));
    EXPECT_FALSE(IsWindow(own));
    ASSERT_TRUE(IsWindow(g_detacher));
    EXPECT_TRUE(IsWindowVisible(g_detacher));
    EXPECT_EQ(GetParent(g_detacher), GetDesktopWindow());
    EXPECT_EQ(win32sim::windowRect(g_detacher), QRect(5, 6, 30, 40));
    EXPECT_EQ(GetForegroundWindow(), b);
    // And it can still be destroyed later.
    EXPECT_TRUE(DestroyWindow(g_detacher));
    EXPECT_FALSE(IsWindow(g_detacher));
}

// As in Wine, except that the newly active window comes to the top (above the hidden
// one), as Windows does it.
TEST_F(MessageOrder, HidingTheActiveWindowActivatesTheNextOne)
{
    const HWND a = make(L"A", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    const HWND b = make(L"B", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    ASSERT_EQ(GetForegroundWindow(), b);
    record();
    EXPECT_TRUE(ShowWindow(b, SW_HIDE));
    EXPECT_EQ(named(takeLog()),
              QStringList({"B WM_SHOWWINDOW FALSE", "B CHANGING 0 0,0 0x0 SWP_NOSIZE|SWP_NOMOVE|SWP_HIDEWINDOW",
                           "B CHANGED 0 0,0 100x100 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_HIDEWINDOW|SWP_NOCLIENTSIZE|SWP_NOCLIENTMOVE",
                           "A CHANGING 0 0,0 0x0 SWP_NOSIZE|SWP_NOMOVE|SWP_NOACTIVATE",
                           "A CHANGED 0 0,0 100x100 SWP_NOSIZE|SWP_NOMOVE|SWP_NOACTIVATE|SWP_NOCLIENTSIZE|SWP_NOCLIENTMOVE",
                           "B WM_ACTIVATE WA_INACTIVE A", "A WM_ACTIVATE WA_ACTIVE B", "B WM_KILLFOCUS", "A WM_SETFOCUS"}));
    EXPECT_EQ(GetForegroundWindow(), a);
    EXPECT_EQ(GetFocus(), a);
    // SetWindowPos hiding does not move activation.
    SetWindowPos(a, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    EXPECT_EQ(GetForegroundWindow(), a);
    EXPECT_FALSE(IsWindowVisible(a));
}
