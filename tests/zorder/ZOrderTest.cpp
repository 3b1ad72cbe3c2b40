// Hosts kept in step with their browser window: following, stacking against other
// applications and the topmost band, the refresh after a drag, the browser going away,
// IE11 tab moves, ShowWnd, and the pictures sent to the page.
#include "../host/HostTest.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace {

class ZOrderTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        QObject::connect(manager(), &WindowControlManager::sendMessage2Web, manager(),
                         [this](QString text) { m_pictures << QJsonDocument::fromJson(text.toUtf8()).object(); });
    }
    static HWND hwnd(const char *uuid) { return hwndOf(host(uuid)); }
    // CreateWnd with a 320x180 window at (10, 20) of the page.
    static int create(const char *uuid, QJsonObject fields)
    {
        fields.insert("rect", rect(10, 20, 320, 180));
        return HostTest::create(uuid, fields);
    }
    // Qt's event loop (the manager's timers included) for a while.
    static void run(int ms)
    {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }
    static bool directlyAbove(HWND hUpper, HWND hLower)
    {
        const QVector<HWND> order = win32sim::topLevelOrder();
        return order.indexOf(hUpper) >= 0 && order.indexOf(hUpper) + 1 == order.indexOf(hLower);
    }
    // The shell's loop reading the thread's queue once, as after any wake-up: the
    // WinEvents of the hosts' hooks arrive, no timer runs.
    static void pumpMessages()
    {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
    QList<QJsonObject> m_pictures;
};

} // namespace

TEST_F(ZOrderTest, FloatingHostFollowsEveryMoveDirectlyAboveTheBrowser)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome("k", QRect(100, 50, 1000, 700));
    ASSERT_EQ(create("k", {{"className", "Chrome"}, {"embed", false}}), 0);
    const QPoint offset = win32sim::windowRect(chrome.render).topLeft() + QPoint(10, 20) - QPoint(100, 50);
    for (int step = 1; step <= 4; ++step) {
        const QPoint corner(100 + 37 * step, 50 - 11 * step);
        win32sim::moveWindow(chrome.frame, QRect(corner, QSize(1000, 700)));
        run(40);
        EXPECT_EQ(win32sim::windowRect(hwnd("k")), QRect(corner + offset, QSize(320, 180))) << step;
        EXPECT_TRUE(directlyAbove(hwnd("k"), chrome.frame)) << qPrintable(win32sim::dump());
    }
}

TEST_F(ZOrderTest, TopmostWhileTheBrowserFillsItsMonitorAndBehindAnotherApplication)
{
    const HWND hFrame = fullScreenBrowser("Chrome_WidgetWin_1", "k", win32sim::monitors().first().rect);
    ASSERT_EQ(create("k", {{"className", "Chrome"}, {"embed", false}}), 0);
    run(250);
    EXPECT_TRUE(win32sim::isTopmost(hwnd("k")));

    const HWND hOther = win32sim::createWindow({"Notepad", "other", QRect(300, 200, 600, 400), true});
    run(250);
    EXPECT_FALSE(win32sim::isTopmost(hwnd("k")));
    EXPECT_TRUE(directlyAbove(hOther, hwnd("k")) && directlyAbove(hwnd("k"), hFrame)) << qPrintable(win32sim::dump());
    EXPECT_EQ(win32sim::foreground(), hOther);

    win32sim::activate(hFrame);
    run(250);
    EXPECT_TRUE(win32sim::isTopmost(hwnd("k")));
    // A browser that no longer fills its monitor takes the host out of the band.
    win32sim::moveWindow(hFrame, QRect(50, 40, 1200, 800));
    run(60);
    EXPECT_FALSE(win32sim::isTopmost(hwnd("k")));
    EXPECT_TRUE(directlyAbove(hwnd("k"), hFrame));
}

TEST_F(ZOrderTest, EmbeddedHostRefreshesOnceOnTheSixthStillTick)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome("k", QRect(100, 50, 1000, 700));
    ASSERT_EQ(create("k", {{"className", "Chrome"}}), 0);
    const HWND hHost = hwnd("k");
    int refreshes = 0;   // the first of the two resizes is one pixel larger
    win32sim::setMessageObserver([&](const MSG &msg) {
        refreshes += msg.hwnd == hHost && msg.message == WM_SIZE && LOWORD(msg.lParam) == 321;
    });
    auto ticks = [&](int n) {
        while (n-- > 0)
            host("k")->checkBrowserMove();
    };
    ticks(1);   // the first look counts as a move: the corner is not (0, 0)
    ticks(5);
    EXPECT_EQ(refreshes, 0);
    ticks(1);
    EXPECT_EQ(refreshes, 1);
    ticks(10);
    EXPECT_EQ(refreshes, 1);

    // A drag that pauses for less than the settle time counts from its last move.
    win32sim::moveWindow(chrome.frame, QRect(200, 80, 1000, 700));
    ticks(4);
    win32sim::moveWindow(chrome.frame, QRect(260, 90, 1000, 700));
    ticks(6);
    EXPECT_EQ(refreshes, 1);
    ticks(1);
    EXPECT_EQ(refreshes, 2);
    win32sim::setMessageObserver(nullptr);
    EXPECT_EQ(win32sim::windowRect(hHost), QRect(win32sim::windowRect(chrome.render).topLeft() + QPoint(10, 20), QSize(320, 180)));
}

TEST_F(ZOrderTest, BrowserDestroyedAndAnotherOneAttached)
{
    const win32sim::ChromeWindow first = win32sim::createChrome("k", QRect(100, 50, 1000, 700));
    ASSERT_EQ(create("k", {{"className", "Chrome"}}), 0);
    const HWND hHost = hwnd("k");
    win32sim::destroy(first.frame);
    EXPECT_TRUE(IsWindow(hHost));
    EXPECT_EQ(win32sim::parentOf(hHost), nullptr);
    EXPECT_FALSE(host("k")->isVisible());

    const win32sim::ChromeWindow second = win32sim::createChrome("k again", QRect(0, 0, 800, 600));
    manager()->UpdateParentWnd(request("k", {}));
    EXPECT_EQ(win32sim::parentOf(hHost), second.frame);
    EXPECT_TRUE(win32sim::isVisible(hHost));
}

TEST_F(ZOrderTest, Ie11PageMovedToAnotherFrameReattachesUnlessTheParentWasGiven)
{
    const win32sim::IeWindow one = win32sim::createIe11("k - IE", QRect(0, 0, 900, 700), {"k x page", "other"});
    const win32sim::IeWindow two = win32sim::createIe11("IE", QRect(100, 100, 900, 700), {"blank"});
    win32sim::activate(one.frame);
    ASSERT_EQ(create("k", {{"className", "IEFrame"}}), 0);
    ASSERT_EQ(create("x", {{"className", "IEFrame"}, {"parentWnd", QString::number(quintptr(one.frame))}}), 0);
    win32sim::moveTab(one.tabWindows[0], two.frameTabs[0]);
    win32sim::activate(two.frame);
    run(250);
    EXPECT_EQ(win32sim::parentOf(hwnd("k")), two.frame);
    EXPECT_EQ(win32sim::parentOf(hwnd("x")), one.frame);
}

TEST_F(ZOrderTest, ShowWndAttachesToTheForegroundAndTakesTheBrowserOutOfTheTopmostBand)
{
    ASSERT_EQ(create("late", {{"className", "Chrome"}}), 5001);
    const HWND hFrame = win32sim::createWindow({"Shell", "page", QRect(0, 0, 800, 600), true, nullptr, nullptr, true, true});
    manager()->ShowWnd(request("late", {}));
    EXPECT_EQ(win32sim::parentOf(hwnd("late")), hFrame);
    EXPECT_TRUE(win32sim::isVisible(hwnd("late")));
    EXPECT_FALSE(win32sim::isTopmost(hFrame));
}

TEST_F(ZOrderTest, PicturesOnRequestAndEverySecondTickOfAnActiveBrowser)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome("k e", QRect(100, 50, 1000, 700));
    ASSERT_EQ(create("k", {{"className", "Chrome"}, {"embed", false}}), 0);
    ASSERT_EQ(create("e", {{"className", "Chrome"}}), 0);
    run(50);   // painted, before the first 100 ms tick
    manager()->GrabOpen(request("k", {}));
    ASSERT_EQ(m_pictures.size(), 1);
    const QJsonObject picture = m_pictures.takeFirst();
    const QImage image = QImage::fromData(QByteArray::fromBase64(
        picture.value("data").toObject().value("message").toObject().value("image").toString().toLatin1()), "JPEG");
    ASSERT_EQ(image.size(), QSize(320, 180));
    // The idle pane's grey, not the page's colour under the host.
    const QRect pane = varavozov::paneRect(varavozov::findComponent("k"), 0);
    const QColor c = image.pixelColor(pane.topLeft() + QPoint(20, 20));
    EXPECT_NEAR(c.red(), 40, 12);
    EXPECT_NEAR(c.blue(), 46, 12);

    win32sim::activate(chrome.frame);
    for (int tick = 1; tick <= 6; ++tick) {
        host("k")->updateWndZOrder();
        host("e")->updateWndZOrder();   // embedded: never
        EXPECT_EQ(m_pictures.size(), tick / 2) << tick;
    }
}

TEST_F(ZOrderTest, BrowserMovedRaisedOrActivatedIsAnsweredBeforeAnyTick)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome("k e", QRect(100, 50, 1000, 700));
    const HWND hOther = win32sim::createWindow({"Notepad", "other", QRect(300, 200, 600, 400), true});
    win32sim::activate(chrome.frame);
    ASSERT_EQ(create("k", {{"className", "Chrome"}, {"embed", false}}), 0);
    ASSERT_EQ(create("e", {{"className", "Chrome"}}), 0);
    pumpMessages();
    const QPoint offset = win32sim::windowRect(chrome.render).topLeft() + QPoint(10, 20) - QPoint(100, 50);
    // What the hosts do in answer (their own restacking, the foreground given back) does
    // not come back to them: nothing arrives while they answer.
    static int s_iWakes = 0;
    win32sim::setQueueWake(GetCurrentThreadId(), [] { ++s_iWakes; });
    const auto answer = [] {
        s_iWakes = 0;
        pumpMessages();
        return s_iWakes;
    };

    const QRect moved(QPoint(160, 30), QSize(1000, 700));
    win32sim::moveWindow(chrome.frame, moved);
    EXPECT_NE(hostRect("k").topLeft(), moved.topLeft() + offset) << "moved inside the desktop's call";
    EXPECT_EQ(answer(), 0);
    EXPECT_EQ(hostRect("k"), QRect(moved.topLeft() + offset, QSize(320, 180)));
    EXPECT_TRUE(directlyAbove(hwnd("k"), chrome.frame)) << qPrintable(win32sim::dump());

    // Another application comes forward; a click activates the browser again and raises it
    // over the floating window. Until then a press in the video activates the browser.
    win32sim::activate(hOther);
    EXPECT_EQ(answer(), 0);
    EXPECT_EQ(logOf([] { host("e")->onMousePressed(); }).filter("MousePressed Activate").size(), 1);
    win32sim::activate(hOther);
    win32sim::activate(chrome.frame);
    EXPECT_FALSE(directlyAbove(hwnd("k"), chrome.frame));
    EXPECT_EQ(answer(), 0);
    EXPECT_TRUE(directlyAbove(hwnd("k"), chrome.frame)) << qPrintable(win32sim::dump());
    EXPECT_EQ(win32sim::foreground(), chrome.frame);
    EXPECT_TRUE(logOf([] { host("e")->onMousePressed(); }).filter("MousePressed Activate").isEmpty())
        << "the press right after the activating click activated again";

    win32sim::setQueueWake(GetCurrentThreadId(), nullptr);

    // Without WinEvents only the passes do it.
    win32sim::setWinEventsEnabled(false);
    win32sim::moveWindow(chrome.frame, QRect(200, 60, 1000, 700));
    pumpMessages();
    EXPECT_EQ(hostRect("k").topLeft(), moved.topLeft() + offset);
    host("k")->followParent();
    EXPECT_EQ(hostRect("k").topLeft(), QPoint(200, 60) + offset);
}

TEST_F(ZOrderTest, HooksFollowTheBrowserAttachedLastAndLeaveWithTheirHost)
{
    const win32sim::ChromeWindow first = win32sim::createChrome("k x1 x2", QRect(100, 50, 1000, 700));
    ASSERT_EQ(create("k", {{"className", "Chrome"}, {"embed", false}}), 0);
    ASSERT_EQ(create("x1", {{"className", "Chrome"}, {"embed", false}}), 0);
    ASSERT_EQ(create("x2", {{"className", "Chrome"}, {"embed", false}}), 0);
    const win32sim::ChromeWindow second = win32sim::createChrome("second", QRect(0, 0, 800, 600));
    manager()->UpdateParentWnd(request("k", {}));   // the foreground window: the second browser
    pumpMessages();
    const QRect before = hostRect("k");
    win32sim::moveWindow(first.frame, QRect(130, 70, 1000, 700));
    pumpMessages();
    EXPECT_EQ(hostRect("k"), before);
    win32sim::moveWindow(second.frame, QRect(40, 30, 800, 600));
    pumpMessages();
    EXPECT_NE(hostRect("k"), before);   // placed by the page rectangle (over the render window found first)

    // The page destroys a window from a notification raised while another one follows
    // the browser; the events waiting for the destroyed one find nobody.
    struct Destroyer : QObject
    {
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Move)
                manager()->DestroyWnd(request("x2", {}));
            return false;
        }
    } destroyer;
    host("x1")->installEventFilter(&destroyer);
    win32sim::moveWindow(first.frame, QRect(150, 80, 1000, 700));
    pumpMessages();
    EXPECT_EQ(host("x2"), nullptr);
    EXPECT_EQ(hostRect("x1").topLeft(), win32sim::windowRect(first.render).topLeft() + QPoint(10, 20));
    manager()->DestroyWnd(request("x1", {}));
    win32sim::moveWindow(first.frame, QRect(170, 90, 1000, 700));
    pumpMessages();
}
