// The desktop's control face as the tests and the demo use it, on whichever desktop the
// program runs: the simulated one, or on Windows the real one with the other
// applications in a helper process. What the other test programs take for granted.
#include <win32sim/Desktop.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class DesktopFace : public ::testing::Test
{
protected:
    void SetUp() override { win32sim::reset(); }
    void TearDown() override { win32sim::reset(); }
};

} // namespace

TEST_F(DesktopFace, AnotherApplicationsWindowsChangeAsTheUserChangesThem)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome("page", QRect(100, 50, 800, 600));
    EXPECT_EQ(win32sim::foreground(), chrome.frame);   // a newly opened application comes forward
    EXPECT_EQ(win32sim::className(chrome.render), "Chrome_RenderWidgetHostHWND");
    EXPECT_EQ(win32sim::parentOf(chrome.compositor), chrome.frame);
    EXPECT_EQ(win32sim::windowRect(chrome.render).bottomRight(), win32sim::clientRect(chrome.frame).bottomRight());

    win32sim::moveWindow(chrome.frame, QRect(200, 80, 700, 500));
    EXPECT_EQ(win32sim::windowRect(chrome.frame), QRect(200, 80, 700, 500));
    win32sim::setTitle(chrome.frame, "other page \u00e9");
    EXPECT_EQ(win32sim::title(chrome.frame), "other page \u00e9");
    win32sim::hide(chrome.frame);
    EXPECT_FALSE(win32sim::isVisible(chrome.render));
    win32sim::show(chrome.frame);
    EXPECT_TRUE(win32sim::isVisible(chrome.render));

    const win32sim::IeWindow ie = win32sim::createIe11("IE", QRect(0, 0, 600, 400), {"one", "two"});
    win32sim::moveTab(ie.tabWindows[0], ie.frameTabs[1]);
    EXPECT_EQ(win32sim::parentOf(ie.tabWindows[0]), ie.frameTabs[1]);
    win32sim::activate(chrome.frame);
    EXPECT_EQ(win32sim::foreground(), chrome.frame);
    EXPECT_EQ(win32sim::topLevelOrder().indexOf(chrome.frame) + 1, win32sim::topLevelOrder().indexOf(ie.frame));

    win32sim::destroy(chrome.frame);
    EXPECT_FALSE(IsWindow(chrome.render));
}

TEST_F(DesktopFace, AClickActivatesTheWindowUnderThePoint)
{
    const HWND hBack = win32sim::createWindow({"Back", "back", QRect(0, 0, 400, 300)});
    const HWND hFront = win32sim::createWindow({"Front", "front", QRect(200, 150, 400, 300)});
    ASSERT_EQ(win32sim::foreground(), hFront);
    win32sim::click(QPoint(50, 50));
    EXPECT_EQ(win32sim::foreground(), hBack);
    win32sim::click(QPoint(500, 400));
    EXPECT_EQ(win32sim::foreground(), hFront);
}

TEST_F(DesktopFace, MessagesPostedToAnotherApplicationAreSeenUntilCleared)
{
    const HWND hApp = win32sim::createWindow({"App", "", QRect(0, 0, 100, 100)});
    const UINT kMessage = WM_USER + 5;
    PostMessageW(hApp, kMessage, 7, 9);
    auto ours = [&] {
        QVector<win32sim::PostedMessage> list = win32sim::postedMessages(hApp);
        list.erase(std::remove_if(list.begin(), list.end(), [&](const win32sim::PostedMessage &m) { return m.message != kMessage; }),
                   list.end());
        return list;
    };
    const QVector<win32sim::PostedMessage> posted = ours();
    ASSERT_EQ(posted.size(), 1);
    EXPECT_EQ(posted[0].hwnd, hApp);
    EXPECT_EQ(posted[0].wParam, WPARAM(7));
    EXPECT_EQ(posted[0].lParam, LPARAM(9));
    win32sim::clearPostedMessages();
    EXPECT_TRUE(ours().isEmpty());
}

TEST_F(DesktopFace, TaskbarsOnTheMonitorsThereAre)
{
    const QVector<win32sim::Monitor> monitors = win32sim::monitors();
    ASSERT_EQ(std::count_if(monitors.begin(), monitors.end(), [](const win32sim::Monitor &m) { return m.primary; }), 1);
    const QRect primary = std::find_if(monitors.begin(), monitors.end(), [](const win32sim::Monitor &m) { return m.primary; })->rect;
    const HWND hTray = win32sim::trayWnd();
    EXPECT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), hTray);   // as the product finds it
    EXPECT_TRUE(win32sim::isVisible(hTray) && win32sim::isTopmost(hTray));
    EXPECT_EQ(win32sim::windowRect(hTray).bottom(), primary.bottom());
    EXPECT_EQ(win32sim::title(win32sim::startButton()), "Start");
    EXPECT_EQ(win32sim::secondaryTrayWnd() != nullptr, monitors.size() > 1);

    // The monitors there are can always be set again; whether others can, the desktop says.
    EXPECT_TRUE(win32sim::setMonitors(monitors));
    EXPECT_EQ(win32sim::className(win32sim::trayWnd()), "Shell_TrayWnd");
    const bool bChanged = win32sim::setMonitors({{QRect(0, 0, 800, 600), QRect(), true}});
    EXPECT_EQ(bChanged, win32sim::can(win32sim::Ability::SetMonitors));
    EXPECT_EQ(win32sim::monitors().first().rect.size(), bChanged ? QSize(800, 600) : primary.size());
}
