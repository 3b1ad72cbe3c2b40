// Monitors: the nearest monitor for windows partly or wholly off screen, work areas,
// one taskbar per monitor, and what top-level windows are told when they change.
#include "DesktopFixture.h"

#include <QRegularExpression>

namespace {

MONITORINFO infoOf(HMONITOR m)
{
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoW(m, &mi);
    return mi;
}

QRect qrect(const RECT &r)
{
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

} // namespace

using Monitors = DesktopTest;

// The default desktop (tests/desktop checks what any desktop has): one 1920 x 1080 monitor
// whose taskbar takes the bottom 40 pixels and not the foreground.
TEST_F(Monitors, DefaultDesktopHasOnePrimaryWithATaskbar)
{
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
    const MONITORINFO mi = infoOf(MonitorFromPoint(POINT{5, 5}, MONITOR_DEFAULTTONULL));
    EXPECT_EQ(qrect(mi.rcMonitor), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(qrect(mi.rcWork), QRect(0, 0, 1920, 1040));
    EXPECT_EQ(win32sim::windowRect(win32sim::trayWnd()), QRect(0, 1040, 1920, 40));
    EXPECT_EQ(FindWindowW(L"Button", nullptr), win32sim::startButton());
    EXPECT_EQ(GetForegroundWindow(), nullptr);
}

TEST_F(Monitors, NearestMonitorAndSecondaryTaskbars)
{
    // Top-level windows, hidden ones too, are told of changes; children are not.
    const HWND top = make(L"Top", WS_POPUP, 0, 0, 100, 100);
    make(L"Child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
    const auto told = [this] { return takeLog().filter(QRegularExpression("^(Top|Child) ")); };
    record();
    win32sim::setMonitors({{QRect(0, 0, 1920, 1080), QRect(), true},
                           {QRect(1920, 0, 1280, 1024), QRect(), false},
                           {QRect(-1024, 200, 1024, 768), QRect(-1024, 200, 1024, 700), false}});
    EXPECT_EQ(told(), QStringList({"Top WM_DISPLAYCHANGE 32 1920x1080", "Top WM_SETTINGCHANGE SPI_SETWORKAREA"}));
    QVector<win32sim::Monitor> monitors = win32sim::monitors();
    win32sim::setMonitors(monitors);
    EXPECT_EQ(told(), QStringList());
    monitors[2].work.setHeight(768);
    win32sim::setMonitors(monitors);
    EXPECT_EQ(told(), QStringList({"Top WM_SETTINGCHANGE SPI_SETWORKAREA"}));
    monitors[2].work.setHeight(700);
    win32sim::setMonitors(monitors);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 3);
    EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), -1024);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 1024 + 1920 + 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), 1080);

    struct Case
    {
        QRect window;
        int monitor;   // index in the list above, -1: none
        DWORD flags;
    };
    const Case cases[] = {
        {QRect(1800, 100, 400, 300), 1, MONITOR_DEFAULTTONEAREST},   // mostly on the second
        {QRect(1700, 100, 400, 300), 0, MONITOR_DEFAULTTONEAREST},   // mostly on the first
        {QRect(4000, 2000, 100, 100), 1, MONITOR_DEFAULTTONEAREST},  // off screen, nearest the second
        {QRect(-3000, 300, 100, 100), 2, MONITOR_DEFAULTTONEAREST},
        {QRect(-3000, 300, 100, 100), 0, MONITOR_DEFAULTTOPRIMARY},
        {QRect(-3000, 300, 100, 100), -1, MONITOR_DEFAULTTONULL},
        {QRect(100, 1050, 200, 100), 0, MONITOR_DEFAULTTONULL},     // partly below the first
    };
    const QVector<win32sim::Monitor> mons = win32sim::monitors();
    for (const Case &c : cases) {
        const HWND h = make(L"W", WS_POPUP, c.window.x(), c.window.y(), c.window.width(), c.window.height());
        const HMONITOR m = MonitorFromWindow(h, c.flags);
        if (c.monitor < 0) {
            EXPECT_EQ(m, nullptr);
        } else {
            ASSERT_NE(m, nullptr);
            EXPECT_EQ(qrect(infoOf(m).rcMonitor), mons[c.monitor].rect) << c.window.x() << "," << c.window.y();
        }
        DestroyWindow(h);
    }
    EXPECT_EQ(qrect(infoOf(MonitorFromPoint(POINT{2000, 10}, 0)).rcWork), QRect(1920, 0, 1280, 984));
    EXPECT_EQ(qrect(infoOf(MonitorFromPoint(POINT{-10, 300}, 0)).rcWork), QRect(-1024, 200, 1024, 700));

    const HWND second = win32sim::secondaryTrayWnd();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(win32sim::className(second), "Shell_SecondaryTrayWnd");
    EXPECT_EQ(win32sim::windowRect(second), QRect(1920, 984, 1280, 40));
    EXPECT_EQ(win32sim::windowRect(win32sim::trayWnd()), QRect(0, 1040, 1920, 40));

    // reset() brings back the single monitor and its taskbar alone.
    const HMONITOR old = MonitorFromPoint(POINT{2000, 10}, MONITOR_DEFAULTTONULL);
    win32sim::reset();
    EXPECT_EQ(win32sim::monitors().size(), 1);
    EXPECT_EQ(win32sim::secondaryTrayWnd(), nullptr);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_FALSE(GetMonitorInfoW(old, nullptr));
}
