// Parents, owners and coordinates: SetParent keeps the position numbers (relative to
// the new parent's client area), GetParent follows the style, frames inset the client
// area by Wine's metrics.
#include "DesktopFixture.h"

namespace {

QRect rectOf(HWND h)
{
    RECT r{};
    GetWindowRect(h, &r);
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QRect clientOf(HWND h)
{
    RECT r{};
    GetClientRect(h, &r);
    POINT p{0, 0};
    ClientToScreen(h, &p);
    return QRect(p.x, p.y, r.right, r.bottom);
}

} // namespace

using Parenting = DesktopTest;

TEST_F(Parenting, FramesInsetTheClientAreaAsWineDoes)
{
    struct Case
    {
        DWORD style;
        DWORD ex;
        QRect client;   // for a window at (100,100) of 400x300
    };
    const Case cases[] = {
        {WS_OVERLAPPEDWINDOW, 0, QRect(104, 123, 392, 273)},
        {WS_CAPTION, 0, QRect(103, 122, 394, 275)},
        {WS_POPUP, 0, QRect(100, 100, 400, 300)},
        {WS_POPUP | WS_BORDER, 0, QRect(101, 101, 398, 298)},
        {WS_POPUP | WS_THICKFRAME, 0, QRect(103, 103, 394, 294)},
        {WS_OVERLAPPED, 0, QRect(103, 122, 394, 275)},   // overlapped windows always get a caption
        {WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, QRect(103, 119, 394, 278)},
    };
    for (const Case &c : cases) {
        const HWND h = make(L"F", c.style, 100, 100, 400, 300, nullptr, c.ex);
        EXPECT_EQ(rectOf(h), QRect(100, 100, 400, 300));
        EXPECT_EQ(clientOf(h), c.client) << std::hex << c.style;
        EXPECT_EQ(win32sim::clientRect(h), c.client);
        DestroyWindow(h);
    }
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
}

TEST_F(Parenting, SetParentKeepsNumbersAndJoinsTheTop)
{
    const HWND a = make(L"A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
    const HWND b = make(L"B", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 200, 300, 200);
    const HWND c = make(L"C", WS_CHILD | WS_VISIBLE, 10, 20, 50, 60, a);
    const HWND q = make(L"Q", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, b);
    EXPECT_EQ(rectOf(c), QRect(114, 143, 50, 60));

    EXPECT_EQ(SetParent(c, nullptr), a);
    EXPECT_EQ(rectOf(c), QRect(10, 20, 50, 60));
    EXPECT_EQ(GetParent(c), GetDesktopWindow());   // WS_CHILD stays: the parent is the desktop
    EXPECT_EQ(win32sim::parentOf(c), nullptr);
    EXPECT_TRUE(IsWindowVisible(c));
    EXPECT_EQ(GetWindowLongW(c, GWL_STYLE), LONG(WS_CHILD | WS_VISIBLE));

    EXPECT_EQ(SetParent(c, b), GetDesktopWindow());
    EXPECT_EQ(rectOf(c), QRect(514, 243, 50, 60));
    EXPECT_EQ(children(b), "C Q");
    EXPECT_EQ(GetAncestor(c, GA_ROOT), b);
    EXPECT_TRUE(IsChild(b, c));

    // Under a hidden parent a child keeps WS_VISIBLE but is not visible.
    ShowWindow(b, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(c));
    EXPECT_FALSE(win32sim::isVisible(q));
    EXPECT_TRUE(GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE);

    // A window cannot go under its own descendant.
    EXPECT_EQ(SetParent(b, c), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

TEST_F(Parenting, AReparentedPopupHasNoParentButAnAncestor)
{
    const HWND browser = make(L"Browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 800, 600);
    const HWND host = make(L"Host", WS_POPUP, 0, 0, 400, 300, nullptr, WS_EX_TOOLWINDOW);
    EXPECT_EQ(SetParent(host, browser), GetDesktopWindow());
    EXPECT_EQ(GetParent(host), nullptr);
    EXPECT_EQ(GetAncestor(host, GA_PARENT), browser);
    EXPECT_EQ(GetAncestor(host, GA_ROOT), browser);
    EXPECT_FALSE(IsChild(browser, host));
    EXPECT_EQ(win32sim::parentOf(host), browser);
    EXPECT_EQ(rectOf(host), QRect(104, 123, 400, 300));
    EXPECT_EQ(GetForegroundWindow(), host);   // Wine activates it on the way
    EXPECT_EQ(children(browser), "Host");
}

TEST_F(Parenting, BrowserTreesAndTabMoves)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome("Page 42", QRect(100, 100, 800, 600), 80);
    EXPECT_EQ(win32sim::className(chrome.frame), "Chrome_WidgetWin_1");
    // The product walks GW_CHILD/GW_HWNDNEXT: compositor first, then the render window.
    EXPECT_EQ(GetWindow(chrome.frame, GW_CHILD), chrome.compositor);
    EXPECT_EQ(GetWindow(chrome.compositor, GW_HWNDNEXT), chrome.render);
    EXPECT_EQ(win32sim::windowRect(chrome.render), QRect(104, 203, 792, 493));
    EXPECT_EQ(win32sim::className(chrome.compositor), "Intermediate D3D Window");

    const win32sim::IeWindow ie = win32sim::createIe11("IE", QRect(50, 50, 700, 500), {"one", "two key"});
    ASSERT_EQ(ie.frameTabs.size(), 2);
    EXPECT_TRUE(win32sim::isVisible(ie.tabWindows[0]));
    EXPECT_FALSE(win32sim::isVisible(ie.tabWindows[1]));
    EXPECT_EQ(GetParent(ie.tabWindows[1]), ie.frameTabs[1]);
    const QRect before = win32sim::windowRect(ie.tabWindows[1]);
    win32sim::moveTab(ie.tabWindows[1], ie.frameTabs[0]);
    EXPECT_EQ(GetParent(ie.tabWindows[1]), ie.frameTabs[0]);
    EXPECT_EQ(win32sim::windowRect(ie.tabWindows[1]), before);
    EXPECT_TRUE(win32sim::isVisible(ie.tabWindows[1]));
    EXPECT_EQ(children(ie.frameTabs[0]), "two key one");
}

TEST_F(Parenting, TrackingSizesAndFrameChangesAsWine)
{
    // Sizable and overlapped windows keep within the tracking sizes, from creation on.
    const HWND tiny = make(L"Tiny", WS_OVERLAPPEDWINDOW, 100, 100, 20, 10);
    EXPECT_EQ(rectOf(tiny), QRect(100, 100, 112, 27));
    EXPECT_EQ(clientOf(tiny), QRect(104, 123, 104, 0));
    const HWND thick = make(L"Thick", WS_POPUP | WS_THICKFRAME, 100, 100, 5, 5);
    EXPECT_EQ(rectOf(thick), QRect(100, 100, 6, 6));   // twice the frame
    SetWindowPos(tiny, nullptr, 0, 0, 5000, 4000, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(rectOf(tiny).size(), QSize(GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)));
    EXPECT_EQ(GetSystemMetrics(SM_CXMAXTRACK), 1920 + 12);

    // A style change moves the client area only once the frame is said to have changed.
    const HWND plain = make(L"Plain", WS_POPUP, 7, 8, 5, 5);
    SetWindowLongW(plain, GWL_STYLE, GetWindowLongW(plain, GWL_STYLE) | WS_CAPTION);
    EXPECT_EQ(clientOf(plain), QRect(7, 8, 5, 5));
    record();
    SetWindowPos(plain, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    EXPECT_EQ(named(takeLog()), QStringList({"Plain CHANGING 0 0,0 0x0 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_FRAMECHANGED",
                                             "Plain CHANGED 0 7,8 5x5 SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOREDRAW|SWP_NOACTIVATE|SWP_FRAMECHANGED",
                                             "Plain WM_MOVE 10,30", "Plain WM_SIZE SIZE_RESTORED 0,0"}));
    EXPECT_EQ(clientOf(plain), QRect(10, 30, 0, 0));
}

TEST_F(Parenting, WindowsOfOtherApplicationsKeepTheirOwnQueues)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome("Page", QRect(100, 100, 800, 600));
    const HWND mine = make(L"Mine", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    EXPECT_NE(GetWindowThreadProcessId(chrome.frame, nullptr), GetCurrentThreadId());
    EXPECT_EQ(GetWindowThreadProcessId(mine, nullptr), GetCurrentThreadId());
    QStringList appMessages;
    win32sim::setMessageObserver([&](const MSG &m) {
        if (m.message == WM_ACTIVATEAPP)
            appMessages << name(m.hwnd) + QStringLiteral(" %1").arg(m.wParam);
    });
    win32sim::activate(chrome.frame);
    EXPECT_EQ(appMessages, QStringList({"Mine 0", "Page 1"}));
    // What the product posts to the browser stays for the browser.
    PostMessageW(chrome.frame, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 150));
    MSG m{};
    EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(win32sim::postedMessages(chrome.frame).size(), 1);
}
