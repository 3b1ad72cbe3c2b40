// Input from the control face: clicks go to the deepest visible, enabled window under
// the point (regions and parents' client areas respected) with client coordinates,
// and activate its top-level window; the wheel carries screen coordinates. Other
// applications' queues.
#include "DesktopFixture.h"

#include <QRegularExpression>

using Input = DesktopTest;

TEST_F(Input, ClicksReachTheDeepestWindowAndActivateItsRoot)
{
    const HWND a = make(L"A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);   // client at 104,123
    const HWND back = make(L"Back", WS_POPUP | WS_VISIBLE, 900, 0, 100, 100);
    const HWND c = make(L"C", WS_CHILD | WS_VISIBLE, 10, 20, 100, 100, a);
    const HWND cc = make(L"CC", WS_CHILD | WS_VISIBLE, 5, 5, 20, 20, c);
    const HWND off = make(L"Off", WS_CHILD | WS_VISIBLE | WS_DISABLED, 200, 20, 50, 50, a);
    const HWND beyond = make(L"Beyond", WS_CHILD | WS_VISIBLE, 380, 0, 100, 100, a);   // sticks out of the client
    win32sim::activate(back);
    record();

    win32sim::click(QPoint(104 + 10 + 5 + 3, 123 + 20 + 5 + 4));
    EXPECT_EQ(takeLog().filter(QRegularExpression("BUTTON|ACTIVATE ")),
              QStringList({"Back WM_ACTIVATE WA_INACTIVE A", "A WM_ACTIVATE WA_CLICKACTIVE Back", "CC WM_LBUTTONDOWN 3,4",
                           "CC WM_LBUTTONUP 3,4"}));
    EXPECT_EQ(GetForegroundWindow(), a);

    win32sim::click(QPoint(104 + 200 + 1, 123 + 20 + 1));   // disabled child: its parent gets it
    EXPECT_EQ(takeLog().filter("BUTTON"), QStringList({"A WM_LBUTTONDOWN 201,21", "A WM_LBUTTONUP 201,21"}));

    win32sim::click(QPoint(104 + 393, 123 + 10));   // inside Beyond, but on A's frame: nobody
    EXPECT_TRUE(takeLog().filter("BUTTON").isEmpty());
    EXPECT_EQ(WindowFromPoint(POINT{104 + 393, 123 + 10}), a);
    EXPECT_EQ(WindowFromPoint(POINT{104 + 385, 123 + 10}), beyond);

    win32sim::click(QPoint(104 + 50, 123 + 50), true);   // the class has CS_DBLCLKS
    EXPECT_EQ(takeLog().filter("BUTTON"),
              QStringList({"C WM_LBUTTONDOWN 40,30", "C WM_LBUTTONUP 40,30", "C WM_LBUTTONDBLCLK 40,30",
                           "C WM_LBUTTONUP 40,30"}));

    // Unhandled, the wheel climbs to the parents.
    win32sim::wheel(QPoint(122, 152), -120);
    EXPECT_EQ(takeLog().filter("WHEEL"), QStringList({"CC WM_MOUSEWHEEL -120 122,152",
                                                             "C WM_MOUSEWHEEL -120 122,152",
                                                             "A WM_MOUSEWHEEL -120 122,152"}));
    EXPECT_EQ(WindowFromPoint(POINT{122, 152}), cc);
    (void)off;
}

TEST_F(Input, RegionHolesLetClicksThrough)
{
    const HWND back = make(L"Back", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600);
    const HWND front = make(L"Front", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
    const HRGN r = CreateRectRgn(0, 0, 300, 200);
    const HRGN hole = CreateRoundRectRgn(50, 50, 150, 150, 20, 20);
    CombineRgn(r, r, hole, RGN_DIFF);
    SetWindowRgn(front, r, TRUE);
    EXPECT_EQ(WindowFromPoint(POINT{200, 200}), back);
    EXPECT_EQ(WindowFromPoint(POINT{150, 150}), front);   // the rounded corner of the hole is still window
    EXPECT_EQ(WindowFromPoint(POINT{110, 110}), front);
    record();
    win32sim::click(QPoint(200, 200));
    EXPECT_EQ(takeLog().filter("BUTTON"), QStringList({"Back WM_LBUTTONDOWN 200,200",
                                                              "Back WM_LBUTTONUP 200,200"}));
}

// Another application's windows live on threads of their own: activation tells each
// thread once, and what is posted to them stays in their queues.
TEST_F(Input, WindowsOfOtherApplicationsKeepTheirOwnQueues)
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
    PostMessageW(chrome.frame, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 150));
    MSG m{};
    EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(win32sim::postedMessages(chrome.frame).size(), 1);
}
