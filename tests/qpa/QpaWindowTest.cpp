// Qt windows as desktop windows: creation, geometry, visibility, destruction, activation.
#include "QpaTestEnvironment.h"

#include <QScreen>
#include <QWindow>

#include <win32sim/Qpa.h>

TEST_F(QpaTest, QtWindowsAreDesktopWindows)
{
    EXPECT_TRUE(win32sim::isQtPlatform());

    Probe host(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    host.setWindowTitle("host");
    const HWND hHost = hwndOf(&host);
    ASSERT_TRUE(IsWindow(hHost));
    EXPECT_EQ(classOf(hHost), "Qt5QWindowToolSaveBits");
    EXPECT_TRUE(GetWindowLongW(hHost, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(GetWindowLongW(hHost, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(win32sim::title(hHost), "host");
    host.setWindowTitle("renamed");
    EXPECT_EQ(win32sim::title(hHost), "renamed");
    host.windowHandle()->setFlags(host.windowHandle()->flags() | Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(win32sim::isTopmost(hHost));

    Probe framed;
    framed.setGeometry(200, 150, 300, 200);
    auto *child = new Probe(&framed);
    child->setGeometry(20, 30, 50, 40);
    const HWND hChild = hwndOf(child);
    const HWND hFramed = hwndOf(&framed);
    EXPECT_TRUE(classOf(hFramed).startsWith("Qt5QWindow"));
    EXPECT_TRUE(classOf(hChild).startsWith("Qt5QWindow"));
    EXPECT_TRUE(GetWindowLongW(hFramed, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(GetWindowLongW(hChild, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(win32sim::parentOf(hChild), hFramed);
    framed.show();
    flush();
    EXPECT_EQ(win32sim::clientRect(hFramed), QRect(200, 150, 300, 200));
    EXPECT_EQ(win32sim::clientRect(hChild), QRect(220, 180, 50, 40));

    // Qt's own re-parenting moves the same native window.
    child->windowHandle()->setParent(host.windowHandle());
    EXPECT_EQ(win32sim::parentOf(hChild), hHost);
    child->windowHandle()->setParent(nullptr);
    EXPECT_EQ(win32sim::parentOf(hChild), nullptr);
    EXPECT_FALSE(GetWindowLongW(hChild, GWL_STYLE) & WS_CHILD);
}

TEST_F(QpaTest, ScreensFollowMonitors)
{
    win32sim::setMonitors({{QRect(0, 0, 1920, 1080), QRect(), true},
                           {QRect(-1280, 0, 1280, 1024), QRect(-1280, 0, 1280, 984), false}});
    win32sim::syncScreens();
    flush();
    const QList<QScreen *> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2);
    EXPECT_EQ(screens.at(0), QGuiApplication::primaryScreen());
    EXPECT_EQ(screens.at(0)->geometry(), QRect(0, 0, 1920, 1080));
    EXPECT_LT(screens.at(0)->availableGeometry().height(), 1080);   // the taskbar
    EXPECT_EQ(screens.at(1)->availableGeometry(), QRect(-1280, 0, 1280, 984));
    EXPECT_EQ(screens.at(1)->logicalDotsPerInch(), 96);

    win32sim::reset();
    win32sim::syncScreens();
    flush();
    EXPECT_EQ(QGuiApplication::screens().size(), 1);
}

TEST_F(QpaTest, GeometryGoesBothWays)
{
    Probe w(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    w.setGeometry(100, 100, 200, 150);
    const HWND h = hwndOf(&w);
    w.show();
    flush();
    EXPECT_EQ(win32sim::windowRect(h), QRect(100, 100, 200, 150));

    SetWindowPos(h, nullptr, 300, 250, 220, 170, SWP_NOZORDER | SWP_NOACTIVATE);
    flush();
    EXPECT_EQ(w.geometry(), QRect(300, 250, 220, 170));

    // Re-parented behind Qt's back: the numbers count from the new parent's client area.
    const win32sim::ChromeWindow chrome = win32sim::createChrome("page", QRect(400, 300, 800, 600));
    SetParent(h, chrome.render);
    w.setGeometry(10, 20, 120, 90);
    flush();
    const QRect rcClient = win32sim::clientRect(chrome.render);
    EXPECT_EQ(win32sim::windowRect(h), QRect(rcClient.topLeft() + QPoint(10, 20), QSize(120, 90)));
    MoveWindow(h, 30, 40, 100, 80, TRUE);
    flush();
    EXPECT_EQ(w.geometry(), QRect(30, 40, 100, 80));
}

TEST_F(QpaTest, DesktopVisibilityReachesQt)
{
    Probe top;
    top.setGeometry(100, 100, 300, 200);
    auto *child = new Probe(&top);
    child->setGeometry(10, 10, 50, 50);
    const HWND hTop = hwndOf(&top);
    const HWND hChild = hwndOf(child);
    top.show();
    flush();
    QWindow *pTop = top.windowHandle();
    QWindow *pChild = child->windowHandle();
    EXPECT_TRUE(IsWindowVisible(hTop));
    EXPECT_TRUE(pTop->isExposed());
    EXPECT_TRUE(pChild->isExposed());

    const UINT uFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(hTop, nullptr, 0, 0, 0, 0, uFlags | SWP_HIDEWINDOW);
    flush();
    EXPECT_FALSE(pTop->isExposed());
    EXPECT_FALSE(pChild->isExposed());
    SetWindowPos(hTop, nullptr, 0, 0, 0, 0, uFlags | SWP_SHOWWINDOW);
    flush();
    EXPECT_TRUE(pTop->isExposed());
    EXPECT_TRUE(pChild->isExposed());

    ShowWindow(hChild, SW_HIDE);
    flush();
    EXPECT_FALSE(pChild->isExposed());
    EXPECT_TRUE(pTop->isExposed());
    ShowWindow(hChild, SW_SHOW);
    flush();
    EXPECT_TRUE(pChild->isExposed());

    top.hide();
    flush();
    EXPECT_FALSE(IsWindowVisible(hTop));
    EXPECT_FALSE(pTop->isExposed());

    // A Qt window moved into a hidden browser window paints once that window shows.
    win32sim::WindowSpec desc;
    desc.rect = QRect(500, 100, 300, 300);
    desc.visible = false;
    const HWND hPlain = win32sim::createWindow(desc);
    Probe host(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    host.setGeometry(10, 10, 50, 50);
    host.show();
    flush();
    SetParent(hwndOf(&host), hPlain);
    flush();
    host.colour = Qt::green;
    host.update();
    flush();
    ShowWindow(hPlain, SW_SHOW);
    flush();
    EXPECT_EQ(win32sim::picture().pixelColor(530, 130), QColor(Qt::green));
}

TEST_F(QpaTest, DestroyedParentReachesNativeEvent)
{
    win32sim::WindowSpec desc;
    desc.rect = QRect(50, 50, 400, 300);
    const HWND hPlain = win32sim::createWindow(desc);
    auto *host = new Probe(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    const HWND h = hwndOf(host);
    SetParent(h, hPlain);
    host->show();
    flush();
    int iDestroys = 0;
    win32sim::setMessageObserver([&](const MSG &msg) { iDestroys += msg.hwnd == h && msg.message == WM_DESTROY; });

    DestroyWindow(hPlain);
    EXPECT_TRUE(host->nativeMessages.contains(WM_DESTROY));   // seen while the desktop destroyed it
    flush();
    EXPECT_FALSE(host->windowHandle()->isExposed());
    // Qt's later requests and its own destruction leave the dead handle alone.
    host->setGeometry(1, 2, 30, 40);
    host->hide();
    delete host;
    flush();
    EXPECT_EQ(iDestroys, 1);
    EXPECT_FALSE(IsWindow(h));
    win32sim::setMessageObserver(nullptr);
}

TEST_F(QpaTest, HostLeavingItsDestroyedParentSurvives)
{
    win32sim::WindowSpec desc;
    desc.rect = QRect(50, 50, 400, 300);
    const HWND hPlain = win32sim::createWindow(desc);
    auto *host = new Probe(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    host->detachOnDestroy = true;
    host->setGeometry(10, 10, 100, 100);
    const HWND h = hwndOf(host);
    SetParent(h, hPlain);
    host->show();
    flush();

    DestroyWindow(hPlain);
    flush();
    ASSERT_TRUE(IsWindow(h));
    EXPECT_EQ(win32sim::parentOf(h), nullptr);
    EXPECT_FALSE(host->isVisible());
    EXPECT_FALSE(IsWindowVisible(h));
    host->show();   // the same native window serves again
    flush();
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_TRUE(host->windowHandle()->isExposed());
    delete host;
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(QpaTest, ForegroundActivatesQtWindows)
{
    Probe a, b;
    a.setGeometry(0, 0, 100, 100);
    b.setGeometry(200, 0, 100, 100);
    a.show();
    b.show();
    flush();
    a.activations.clear();
    b.activations.clear();

    SetForegroundWindow(hwndOf(&a));   // b was active since its show
    flush();
    EXPECT_EQ(a.activations, QVector<QEvent::Type>{QEvent::WindowActivate});
    EXPECT_EQ(b.activations, QVector<QEvent::Type>{QEvent::WindowDeactivate});
    win32sim::activate(hwndOf(&b));
    flush();
    EXPECT_EQ(a.activations.last(), QEvent::WindowDeactivate);
    EXPECT_EQ(b.activations.last(), QEvent::WindowActivate);

    win32sim::WindowSpec desc;
    desc.rect = QRect(500, 500, 100, 100);
    win32sim::activate(win32sim::createWindow(desc));
    flush();
    EXPECT_EQ(b.activations.last(), QEvent::WindowDeactivate);
    EXPECT_EQ(QApplication::activeWindow(), nullptr);

    a.activateWindow();
    flush();
    EXPECT_EQ(win32sim::foreground(), hwndOf(&a));
    EXPECT_TRUE(a.isActiveWindow());
}
