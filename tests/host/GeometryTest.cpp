// Placement over the page for each browser kind and mode, covers, cut-outs, the
// timestamp rule, and the taskbar while the browser fills its monitor.
#include "HostTest.h"

namespace {
// A browser in full screen: no frame, its page at the top edge of the monitor.
HWND fullScreenBrowser(const QString &className, const QString &title, const QRect &monitor)
{
    const HWND hFrame = win32sim::createWindow({className, title, monitor});
    win32sim::createWindow({"Chrome_RenderWidgetHostHWND", "", QRect(QPoint(0, 0), monitor.size()), false, hFrame});
    return hFrame;
}
} // namespace

TEST_F(HostTest, PageOriginForEachBrowserAndMode)
{
    const QRect rcFrame(100, 50, 1000, 700);
    for (const bool bEmbed : {true, false}) {
        win32sim::reset();
        const win32sim::ChromeWindow chrome = win32sim::createChrome("k1", rcFrame);
        const HWND hBare = win32sim::createWindow({"Chrome_WidgetWin_1", "k2", rcFrame, true});
        win32sim::createWindow({"Shell", "k3", rcFrame, true});
        const QPoint client = win32sim::clientRect(hBare).topLeft();
        const struct { QString uuid, className; QPoint origin; } cases[] = {
            {"k1", "Chrome", win32sim::windowRect(chrome.render).topLeft()},
            {"k2", "Chrome", client},
            {"k3", "Shell", bEmbed ? client : rcFrame.topLeft()},
        };
        for (const auto &c : cases) {
            ASSERT_EQ(create(c.uuid, {{"className", c.className}, {"embed", bEmbed}, {"rect", rect(10, 20, 300, 200)}}), 0);
            EXPECT_EQ(hostRect(c.uuid), QRect(c.origin + QPoint(10, 20), QSize(300, 200))) << c.uuid.toStdString() << bEmbed;
            // Qt reads an embedded host's place on the screen and gives numbers relative to
            // the browser: only whole geometries keep it in place when the size changes.
            manager()->SetWndGeometry(request(c.uuid, {{"rect", rect(10, 20, 320, 180)}}));
            EXPECT_EQ(hostRect(c.uuid), QRect(c.origin + QPoint(10, 20), QSize(320, 180))) << c.uuid.toStdString() << bEmbed;
            EXPECT_EQ(win32sim::parentOf(hwndOf(host(c.uuid))) != nullptr, bEmbed);
        }
        WindowControlManager::DeleteInstance();
    }
}

TEST_F(HostTest, CoversCropTheChildInsteadOfSqueezingIt)
{
    win32sim::createWindow({"Shell", "k", QRect(100, 50, 1000, 700)});
    ASSERT_EQ(create("k", {{"className", "Shell"}, {"embed", false}, {"rect", rect(0, 0, 680, 370)}}), 0);
    auto cover = [](const char *position, int size) {
        manager()->SetWndCover(request("k", {{"position", position}, {"size", size}}));
    };
    cover("left", 40);
    cover("top", 10);
    cover("Left", 99);   // no such side
    WebClientComponents *pComponent = varavozov::findComponent("k");
    EXPECT_EQ(hostRect("k"), QRect(140, 60, 640, 360));
    EXPECT_EQ(pComponent->geometry(), QRect(-40, -10, 680, 370));
    // Margins survive a new geometry; taking one back gives its strip back.
    manager()->SetWndGeometry(request("k", {{"rect", rect(40, 10, 640, 360)}}));
    EXPECT_EQ(pComponent->geometry(), QRect(-40, -10, 680, 370));
    cover("left", 0);
    EXPECT_EQ(hostRect("k"), QRect(100, 60, 680, 360));
    EXPECT_EQ(pComponent->geometry(), QRect(0, -10, 680, 370));
}

TEST_F(HostTest, CutOutsRepairsMovesAndResizes)
{
    win32sim::createChrome("k", QRect(0, 0, 1000, 700));
    ASSERT_EQ(create("k", {{"className", "Chrome"}, {"rect", rect(0, 0, 640, 360)}}), 0);
    const HWND hHost = hwndOf(host("k"));
    auto cut = [](const QJsonObject &hole, int round) {
        manager()->CuttingPartWindow(request("k", {{"rect", hole}, {"round", round}}));
    };
    auto repair = [](const QJsonObject &hole, int round) {
        manager()->RepairPartWindow(request("k", {{"rect", hole}, {"round", round}}));
    };
    repair(rect(0, 0, 50, 50), 0);
    EXPECT_FALSE(win32sim::hasRegion(hHost));   // never cut: nothing to repair
    cut(rect(100, 50, 200, 100), 20);
    cut(rect(-20, -5, 100, 30), 0);
    const QRegion region = win32sim::region(hHost);
    EXPECT_FALSE(region.contains(QPoint(150, 100)));
    EXPECT_TRUE(region.contains(QPoint(100, 50)));   // rounded corner
    EXPECT_TRUE(region.contains(QPoint(300, 100)));
    EXPECT_FALSE(region.contains(QPoint(90, 20)));   // shifted to the edge, not shortened
    EXPECT_TRUE(region.contains(QPoint(100, 10)));

    manager()->SetWndGeometry(request("k", {{"rect", rect(30, 40, 640, 360)}}));   // a move keeps the holes
    EXPECT_EQ(win32sim::region(hHost), region);
    repair(rect(100, 50, 200, 100), 20);
    EXPECT_TRUE(win32sim::region(hHost).contains(QPoint(150, 100)));
    EXPECT_FALSE(win32sim::region(hHost).contains(QPoint(50, 10)));
    manager()->SetWndGeometry(request("k", {{"rect", rect(30, 40, 700, 400)}}));   // a resize fills them
    manager()->RestoreWnd(request("k", {}));
    EXPECT_EQ(win32sim::region(hHost), QRegion(0, 0, 700, 400));
}

TEST_F(HostTest, OlderGeometryRequestsAreDroppedAndTheHostComesToTheTop)
{
    win32sim::createWindow({"Shell", "k", QRect(0, 0, 1000, 700)});
    ASSERT_EQ(create("k", {{"className", "Shell"}, {"embed", false}, {"rect", rect(0, 0, 300, 200)}}), 0);
    auto placeAt = [](int x, const QJsonObject &timestamp) {
        QJsonObject fields = timestamp;
        fields.insert("rect", rect(x, 0, 300, 200));
        EXPECT_EQ(manager()->SetWndGeometry(request("k", fields)), R"({"errorCode":0,"errorModule":0,"sequence":"s","uuid":"k"})");
        return host("k")->wndRect().x();
    };
    EXPECT_EQ(placeAt(1, {}), 1);   // "0" after "0"
    EXPECT_EQ(placeAt(2, {{"timestamp", "9"}}), 2);
    EXPECT_EQ(placeAt(3, {{"timestamp", "10"}}), 2);   // text order
    EXPECT_EQ(placeAt(4, {}), 2);
    EXPECT_EQ(placeAt(5, {{"timestamp", 99}}), 2);
    EXPECT_EQ(placeAt(6, {{"timestamp", "90"}}), 6);

    const HWND hOther = win32sim::createWindow({"Other", "", QRect(0, 0, 500, 500)});
    placeAt(7, {{"timestamp", "91"}});
    const QVector<HWND> order = win32sim::topLevelOrder();
    EXPECT_LT(order.indexOf(hwndOf(host("k"))), order.indexOf(hOther));
    EXPECT_TRUE(win32sim::isVisible(hwndOf(host("k"))));
    EXPECT_EQ(hostRect("k").topLeft(), QPoint(7, 0));
}

TEST_F(HostTest, TaskbarHiddenOnlyWhileAChromePageFillsItsMonitor)
{
    const QRect primary(0, 0, 1920, 1080), secondary(1920, 0, 1280, 1024);
    win32sim::setMonitors({{primary, QRect(), true}, {secondary, QRect(), false}});
    const HWND hTray = win32sim::trayWnd(), hStart = win32sim::startButton(), hTray2 = win32sim::secondaryTrayWnd();

    const HWND hIe = fullScreenBrowser("IEFrame", "k", primary);
    ASSERT_EQ(create("k", {{"className", "IEFrame"}}), 0);
    EXPECT_TRUE(win32sim::isVisible(hTray));
    win32sim::destroy(hIe);

    const HWND hChrome = fullScreenBrowser("Chrome_WidgetWin_1", "k", primary);
    ASSERT_EQ(create("k", {{"className", "Chrome"}}), 0);
    EXPECT_FALSE(win32sim::isVisible(hTray) || win32sim::isVisible(hStart));
    EXPECT_TRUE(win32sim::isVisible(hTray2));
    win32sim::moveWindow(hChrome, QRect(100, 100, 800, 600));
    manager()->SetWndGeometry(request("k", {}));
    EXPECT_TRUE(win32sim::isVisible(hTray) && win32sim::isVisible(hStart));

    fullScreenBrowser("Chrome_WidgetWin_1", "k2", secondary);
    ASSERT_EQ(create("k2", {{"className", "Chrome"}, {"embed", false}}), 0);
    EXPECT_FALSE(win32sim::isVisible(hTray2));
    EXPECT_TRUE(win32sim::isVisible(hTray));
    manager()->DestroyWnd(request("k2", {}));   // the host gives the taskbar back
    EXPECT_TRUE(win32sim::isVisible(hTray2));
}
