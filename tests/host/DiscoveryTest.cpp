// Which browser windows a host finds and attaches to, per browser kind and key.
#include "HostTest.h"

namespace {
// As in the browser, the compositor paints over its siblings until a host makes it clip.
win32sim::ChromeWindow chromeWithoutClipping(const QString &title)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome(title, QRect(0, 0, 1000, 700));
    SetWindowLongW(chrome.compositor, GWL_STYLE, GetWindowLongW(chrome.compositor, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    return chrome;
}
} // namespace

TEST_F(HostTest, ChromeChildrenAndClipSiblings)
{
    const win32sim::ChromeWindow chrome = chromeWithoutClipping("page key-a key-b");
    // Qt's windows of other programs, whatever Qt version named their classes, come first.
    for (const char *pszClass : {"Qt5158QWindowToolSaveBits", "Qt5158QWindowIcon", "Qt5QWindowIcon", "Qt6101dQWindowIcon"}) {
        win32sim::NewWindow window;
        window.className = pszClass;
        window.rect = QRect(0, 0, 50, 50);
        window.parent = chrome.frame;
        win32sim::createWindow(window);
    }
    ASSERT_EQ(create("key-a", {{"className", "Chrome"}}), 0);
    EXPECT_EQ(host("key-a")->renderHwnd(), chrome.render);
    // The second host finds the first among the children, and skips it and the compositor.
    ASSERT_EQ(create("key-b", {{"className", "Chrome"}}), 0);
    ASSERT_EQ(win32sim::childOrder(chrome.frame).value(1), hwndOf(host("key-a")));
    EXPECT_EQ(host("key-b")->renderHwnd(), chrome.render);
    EXPECT_EQ(host("key-b")->d3dHwnd(), chrome.compositor);
    EXPECT_TRUE(GetWindowLongW(chrome.compositor, GWL_STYLE) & WS_CLIPSIBLINGS);

    // A top-level host leaves the compositor alone.
    const win32sim::ChromeWindow other = chromeWithoutClipping("page key-c");
    ASSERT_EQ(create("key-c", {{"className", "Chrome"}, {"embed", false}}), 0);
    EXPECT_EQ(host("key-c")->renderHwnd(), other.render);
    EXPECT_EQ(host("key-c")->d3dHwnd(), nullptr);
    EXPECT_FALSE(GetWindowLongW(other.compositor, GWL_STYLE) & WS_CLIPSIBLINGS);
    EXPECT_EQ(win32sim::parentOf(hwndOf(host("key-c"))), nullptr);
}

TEST_F(HostTest, ClassNamesAndTheHighestMatch)
{
    const HWND hLower = win32sim::createWindow({"Shell", "k one", QRect(0, 0, 500, 400)});
    const HWND hUpper = win32sim::createWindow({"Shell", "k two", QRect(0, 0, 500, 400)});
    EXPECT_EQ(create("k", {}), 0);
    EXPECT_EQ(host("k")->parentHwnd(), hUpper);
    win32sim::activate(hLower);
    EXPECT_EQ(create("k", {{"className", "Shell"}}), 0);
    EXPECT_EQ(host("k")->parentHwnd(), hLower);
    EXPECT_EQ(create("k", {{"className", "shell"}}), 5001);     // case counts
    EXPECT_EQ(create("k", {{"className", "IEFrame"}}), 5001);   // the title is not enough
    EXPECT_EQ(create("K", {}), 5001);
    EXPECT_EQ(create("k", {{"className", "Chrome"}}), 0);       // any class
}

TEST_F(HostTest, HostsNeverAttachToTheAddOnsOwnWindows)
{
    // Hosts are titled "WindowControl": a top-level one, and each new host itself while it
    // looks, carry such keys in their titles.
    win32sim::createWindow({"Shell", "page k", QRect(0, 0, 500, 400)});
    ASSERT_EQ(create("k", {{"embed", false}}), 0);
    for (const char *key : {"Control", "Window", "dowCon"}) {
        EXPECT_EQ(create(key, {}), 5001) << key;
        EXPECT_EQ(create(key, {{"className", "Chrome"}, {"embed", false}}), 5001) << key;
        EXPECT_EQ(host(key)->parentHwnd(), nullptr) << key;
    }
    // Another Qt window of the process (a shell's own browser window) is found as any other.
    QWidget shell;
    shell.setWindowTitle("Shell page Control");
    const HWND hShell = hwndOf(&shell);
    EXPECT_EQ(create("Control", {}), 0);
    EXPECT_EQ(host("Control")->parentHwnd(), hShell);
}

TEST_F(HostTest, EmptyKeyTakesTheForegroundWithoutChildSearch)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome("no key", QRect(0, 0, 800, 600));
    win32sim::activate(chrome.frame);
    ASSERT_EQ(create("", {{"className", "Chrome"}}), 0);
    EXPECT_EQ(win32sim::parentOf(hwndOf(host(""))), chrome.frame);
    EXPECT_EQ(host("")->renderHwnd(), nullptr);
}

TEST_F(HostTest, InternetExplorerFrameTabAndTabWindow)
{
    const win32sim::IeWindow ie = win32sim::createIe11("IE k", QRect(0, 0, 800, 600), {"other", "page k"});
    ASSERT_EQ(create("k", {{"className", "IEFrame"}}), 0);
    EXPECT_EQ(host("k")->parentHwnd(), ie.frame);
    EXPECT_EQ(host("k")->frameTabHwnd(), ie.frameTabs.value(1));
    EXPECT_EQ(host("k")->tabWindowHwnd(), ie.tabWindows.value(1));
    // Only a tab carries this key, no top-level window does.
    win32sim::createIe11("IE", QRect(0, 0, 800, 600), {"tab q"});
    EXPECT_EQ(create("q", {{"className", "IEFrame"}}), 5001);
}

TEST_F(HostTest, UpdateParentWndFollowsTheForeground)
{
    const win32sim::ChromeWindow first = win32sim::createChrome("k", QRect(0, 0, 800, 600));
    ASSERT_EQ(create("k", {{"className", "Chrome"}}), 0);
    const HWND hHost = hwndOf(host("k"));
    const win32sim::ChromeWindow second = win32sim::createChrome("other", QRect(0, 0, 800, 600));
    manager()->UpdateParentWnd(request("k", {}));
    EXPECT_EQ(win32sim::parentOf(hHost), second.frame);
    EXPECT_EQ(host("k")->d3dHwnd(), second.compositor);
    // The same foreground again changes nothing.
    SetParent(hHost, first.frame);
    manager()->UpdateParentWnd(request("k", {}));
    EXPECT_EQ(win32sim::parentOf(hHost), first.frame);
}
