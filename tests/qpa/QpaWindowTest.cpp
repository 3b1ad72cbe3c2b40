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
    EXPECT_EQ(classOf(hChild), qtClassPrefix() + "QWindowIcon");
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

TEST_F(QpaTest, ClassNamesAsQtsWindowsPlatformRegistersThem)
{
    const struct { Qt::WindowFlags flags; bool bDropShadow; const char *pszClass; } cases[] = {
        {Qt::Window, false, "QWindowIcon"},
        {Qt::Dialog, false, "QWindow"},   // no system menu, no icon
        {Qt::Tool | Qt::FramelessWindowHint, false, "QWindowToolSaveBits"},
        {Qt::Popup, false, "QWindowPopupDropShadowSaveBits"},
        {Qt::ToolTip, false, "QWindowToolTipSaveBits"},
        {Qt::ToolTip, true, "QWindowToolTipDropShadowSaveBits"},
        {Qt::Window | Qt::MSWindowsOwnDC, false, "QWindowOwnDCIcon"},
    };
    for (const auto &c : cases) {
        QWindow window;
        window.setFlags(c.flags);
        window.setProperty("_q_windowsDropShadow", c.bDropShadow);
        window.create();
        EXPECT_EQ(classOf(reinterpret_cast<HWND>(window.winId())), qtClassPrefix() + c.pszClass) << c.pszClass;
    }
}

TEST_F(QpaTest, ScreensFollowMonitors)
{
    // Qt hears of the change through its top-level windows, as on Windows.
    Probe w(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    hwndOf(&w);
    win32sim::setMonitors({{QRect(0, 0, 1920, 1080), QRect(), true},
                           {QRect(-1280, 0, 1280, 1024), QRect(-1280, 0, 1280, 984), false}});
    flush();
    const QList<QScreen *> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2);
    EXPECT_EQ(screens.at(0), QGuiApplication::primaryScreen());
    EXPECT_EQ(screens.at(0)->geometry(), QRect(0, 0, 1920, 1080));
    EXPECT_LT(screens.at(0)->availableGeometry().height(), 1080);   // the taskbar
    EXPECT_EQ(screens.at(1)->availableGeometry(), QRect(-1280, 0, 1280, 984));
    EXPECT_EQ(screens.at(1)->logicalDotsPerInch(), 96);

    win32sim::reset();
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

    // Re-parented behind Qt's back, a WS_POPUP window: the numbers Qt gives count from the
    // new parent's client area, the numbers Qt reads are on the screen (GetParent gives the
    // owner, none). So a bare resize moves it, as on Windows.
    const win32sim::ChromeWindow chrome = win32sim::createChrome("page", QRect(400, 300, 800, 600));
    SetParent(h, chrome.render);
    w.setGeometry(10, 20, 120, 90);
    flush();
    const QPoint ptClient = win32sim::clientRect(chrome.render).topLeft();
    EXPECT_EQ(win32sim::windowRect(h), QRect(ptClient + QPoint(10, 20), QSize(120, 90)));
    EXPECT_EQ(w.geometry(), win32sim::windowRect(h));
    EXPECT_EQ(w.mapToGlobal(QPoint(1, 2)), ptClient + QPoint(11, 22));
    MoveWindow(h, 30, 40, 100, 80, TRUE);
    flush();
    EXPECT_EQ(w.geometry(), QRect(ptClient + QPoint(30, 40), QSize(100, 80)));
    w.resize(110, 80);
    flush();
    EXPECT_EQ(win32sim::windowRect(h), QRect(2 * ptClient + QPoint(30, 40), QSize(110, 80)));
}

TEST_F(QpaTest, EmbeddedWindowsMapAndActivateThroughTheirForeignParent)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome("page", QRect(400, 300, 800, 600));
    const QPoint ptClient = win32sim::clientRect(chrome.frame).topLeft();
    Probe embedded;
    embedded.setAttribute(Qt::WA_NativeWindow);   // the QWindow exists, not yet its native window
    embedded.windowHandle()->setProperty("_q_embedded_native_parent_handle", QVariant::fromValue(WId(chrome.frame)));
    embedded.setGeometry(10, 20, 200, 100);
    auto *child = new Probe(&embedded);
    child->setGeometry(5, 6, 50, 40);
    const HWND hChild = hwndOf(child);
    embedded.show();
    flush();
    const HWND h = hwndOf(&embedded);
    EXPECT_EQ(win32sim::parentOf(h), chrome.frame);
    EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(embedded.geometry(), QRect(10, 20, 200, 100));
    EXPECT_EQ(win32sim::windowRect(h).topLeft(), ptClient + QPoint(10, 20));
    EXPECT_EQ(embedded.mapToGlobal(QPoint(1, 2)), ptClient + QPoint(11, 22));
    EXPECT_EQ(child->mapToGlobal(QPoint(1, 2)), ptClient + QPoint(16, 28));

    // Active while the foreign top-level window is the foreground window.
    win32sim::activate(chrome.frame);
    flush();
    EXPECT_TRUE(embedded.isActiveWindow());
    win32sim::NewWindow desc;
    desc.rect = QRect(0, 0, 100, 100);
    const HWND hOther = win32sim::createWindow(desc);
    win32sim::activate(hOther);
    flush();
    EXPECT_FALSE(embedded.isActiveWindow());

    // Focus into it (or its native child) activates it in Qt; focus leaving deactivates.
    win32sim::activate(chrome.frame);
    flush();
    embedded.activations.clear();
    SetFocus(h);
    flush();
    EXPECT_EQ(embedded.activations, QVector<QEvent::Type>{QEvent::WindowActivate});
    EXPECT_EQ(QGuiApplication::focusWindow(), embedded.windowHandle());
    SetFocus(hChild);   // still the same window for Qt
    flush();
    EXPECT_EQ(embedded.activations.size(), 1);
    SetFocus(chrome.render);
    flush();
    EXPECT_EQ(embedded.activations.last(), QEvent::WindowDeactivate);
    EXPECT_EQ(QApplication::activeWindow(), nullptr);
    child->activateWindow();
    flush();
    EXPECT_EQ(GetFocus(), h);   // the widget's window, inside the browser
    EXPECT_EQ(embedded.activations.last(), QEvent::WindowActivate);
    win32sim::activate(hOther);
    flush();
    EXPECT_EQ(embedded.activations.last(), QEvent::WindowDeactivate);

    // A parent that is no window gives no native window, and nothing else happens.
    QWindow orphan;
    orphan.setProperty("_q_embedded_native_parent_handle", QVariant::fromValue(WId(0xdead)));
    orphan.show();
    orphan.requestActivate();
    flush();
    EXPECT_EQ(orphan.winId(), WId(0));
}

TEST_F(QpaTest, ShowingGivesTheOwnerBackToTheTransientParent)
{
    win32sim::NewWindow desc;
    desc.rect = QRect(0, 0, 400, 300);
    const HWND hBrowser = win32sim::createWindow(desc);
    Probe tool(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    const HWND hTool = hwndOf(&tool);
    SetWindowLongPtrW(hTool, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hBrowser));
    ASSERT_EQ(win32sim::ownerOf(hTool), hBrowser);
    tool.show();   // no transient parent: no owner
    flush();
    EXPECT_EQ(win32sim::ownerOf(hTool), nullptr);

    // With one, it is the owner again; the owner going does not take it along, as
    // Windows would.
    auto *pOwner = new QWindow;
    pOwner->create();
    QWindow dialog;
    dialog.setFlags(Qt::Dialog);
    dialog.setTransientParent(pOwner);
    dialog.create();
    const HWND hDialog = reinterpret_cast<HWND>(dialog.winId());
    EXPECT_EQ(win32sim::ownerOf(hDialog), reinterpret_cast<HWND>(pOwner->winId()));
    SetWindowLongPtrW(hDialog, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hBrowser));
    dialog.show();
    flush();
    EXPECT_EQ(win32sim::ownerOf(hDialog), reinterpret_cast<HWND>(pOwner->winId()));
    delete pOwner;
    flush();
    EXPECT_TRUE(IsWindow(hDialog));
    EXPECT_EQ(win32sim::ownerOf(hDialog), nullptr);
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
    win32sim::NewWindow desc;
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

// A host whose browser window is destroyed under it: it sees that in its native events
// while Qt hears nothing, as on Qt's Windows platform; or it leaves first and survives.
TEST_F(QpaTest, HostUnderADestroyedParent)
{
    for (const bool bDetach : {false, true}) {
        SCOPED_TRACE(bDetach);
        win32sim::NewWindow desc;
        desc.rect = QRect(50, 50, 400, 300);
        const HWND hPlain = win32sim::createWindow(desc);
        auto *host = new Probe(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        host->detachOnDestroy = bDetach;
        host->setGeometry(10, 10, 100, 100);
        const HWND h = hwndOf(host);
        SetParent(h, hPlain);
        host->show();
        flush();
        int iDestroys = 0;
        win32sim::setMessageObserver([&](const MSG &msg) { iDestroys += msg.hwnd == h && msg.message == WM_DESTROY; });
        DestroyWindow(hPlain);
        flush();
        if (bDetach) {
            ASSERT_TRUE(IsWindow(h));
            EXPECT_EQ(win32sim::parentOf(h), nullptr);
            EXPECT_FALSE(host->isVisible());
            EXPECT_FALSE(IsWindowVisible(h));
            host->show();   // the same native window serves again
            flush();
            EXPECT_TRUE(IsWindowVisible(h));
            EXPECT_TRUE(host->windowHandle()->isExposed());
        } else {
            EXPECT_TRUE(host->nativeMessages.contains(WM_DESTROY));
            EXPECT_TRUE(host->windowHandle()->isExposed());
            // Qt's later requests and its own destruction leave the dead handle alone.
            host->setGeometry(1, 2, 30, 40);
            host->hide();
            flush();
            EXPECT_FALSE(host->windowHandle()->isExposed());
        }
        delete host;
        flush();
        EXPECT_EQ(iDestroys, 1 + bDetach);   // the survivor was told twice: with its parent, at its end
        EXPECT_FALSE(IsWindow(h));
        win32sim::setMessageObserver(nullptr);
    }
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

    win32sim::NewWindow desc;
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
