// CreateWnd: reply codes and what each leaves behind, replacement of a key, the
// component's creation calls, explicit parents, integration windows.
#include "HostTest.h"

#include <QApplication>
#include <QPointer>

namespace {
int liveHosts()
{
    int count = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        count += qobject_cast<WindowControl *>(w) != nullptr;
    return count;
}
} // namespace

TEST_F(HostTest, ReplyCodesAndWhatTheyLeave)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome("page k1", QRect(100, 50, 1000, 700));
    EXPECT_EQ(create("k1", {{"className", "Chrome"}, {"rect", rect(0, 0, 320, 240)}}), 0);
    EXPECT_EQ(host("k1")->parentHwnd(), chrome.frame);
    EXPECT_TRUE(win32sim::isVisible(hwndOf(host("k1"))));

    EXPECT_EQ(create("nowhere", {{"className", "Chrome"}}), 5001);   // registered, hidden, with component
    EXPECT_FALSE(host("nowhere")->isVisible());
    EXPECT_TRUE(varavozov::findComponent("nowhere"));
    varavozov::failNextConstruction();
    EXPECT_EQ(create("k1", {{"className", "Chrome"}}), 5000);        // nothing left behind
    EXPECT_EQ(liveHosts(), 2);
    EXPECT_EQ(host("k1")->parentHwnd(), chrome.frame);
    varavozov::failNextConstruction();
    EXPECT_EQ(create("both", {{"className", "Chrome"}}), 5001);
    EXPECT_FALSE(varavozov::findComponent("both"));

    for (const char *handle : {"0", "abc", "-5"})
        EXPECT_EQ(create("p", {{"parentWnd", handle}}), 5001) << handle;

    // A second creation under a key replaces the host, and the first one goes.
    QPointer<WindowControl> pFirst = host("k1");
    const HWND hFirst = hwndOf(pFirst);
    EXPECT_EQ(create("k1", {{"rect", "x"}, {"className", 3}, {"embed", "true"}, {"parentWnd", 1},
                            {"workMode", "1"}, {"splitType", 1.5}, {"wndNum", QJsonArray()}}), 0);
    EXPECT_EQ(manager()->CreateWnd("{"), R"({"errorCode":1,"errorModule":5,"sequence":"","uuid":""})");
    EXPECT_TRUE(pFirst.isNull());
    EXPECT_FALSE(IsWindow(hFirst));
    EXPECT_EQ(liveHosts(), 4);
    EXPECT_EQ(varavozov::liveComponents().size(), 3);
}

TEST_F(HostTest, ComponentGetsItsArgumentsKeyAndFolders)
{
    win32sim::createChrome("k", QRect(0, 0, 800, 600));
    ASSERT_EQ(create("k", {{"workMode", 1}, {"splitType", 3}, {"languageType", "en"}, {"wndMode", 1}, {"wndNum", 9}}), 0);
    ASSERT_EQ(create("zz", {}), 5001);
    qputenv("USERPROFILE", "");
    ASSERT_EQ(create("ff", {}), 5001);

    EXPECT_EQ(varavozov::journalLines(QStringLiteral("k")).mid(0, 3),
              QStringList({R"(WebClientComponents(1, 3, "en", 1, 9))", R"(SetWebUUID("k"))",
                           R"(SetConfigXmlPath("C:\\Users\\op\\LumoWebControlServiceConfig", "C:\\Users\\op\\LumoWebControlService"))"}));
    EXPECT_EQ(varavozov::journalLines(QStringLiteral("zz")).value(0), R"(WebClientComponents(0, 2, "", 0, 64))");
    EXPECT_EQ(varavozov::journalLines(QStringLiteral("ff")).value(2),
              R"(SetConfigXmlPath("C:\\Program Data\\LumoWebControlServiceConfig", "C:\\Program Data\\LumoWebControlService"))");
}

TEST_F(HostTest, ExplicitParentIsAlwaysEmbeddedAtItsCorner)
{
    const HWND hPage = win32sim::createWindow({"Page", "no key here", QRect(300, 200, 800, 600), true});
    const QString handle = QString::number(quintptr(hPage));
    ASSERT_EQ(create("e", {{"parentWnd", handle}, {"embed", false}, {"rect", rect(50, 60, 320, 240)}}), 0);
    EXPECT_EQ(win32sim::parentOf(hwndOf(host("e"))), hPage);
    EXPECT_EQ(hostRect("e"), QRect(win32sim::clientRect(hPage).topLeft(), QSize(320, 240)));
    manager()->SetWndCover(request("e", {{"position", "left"}, {"size", 40}}));   // ignored
    EXPECT_EQ(hostRect("e").size(), QSize(320, 240));
    EXPECT_EQ(varavozov::findComponent("e")->geometry(), QRect(0, 0, 320, 240));
    // Told that the handle is not its parent, the host searches by title instead.
    EXPECT_EQ(create("x", {{"parentWnd", handle}, {"activeXParentWnd", false}}), 5001);
}

TEST_F(HostTest, IntegrationWindowFillsTheHost)
{
    win32sim::createChrome("k", QRect(0, 0, 800, 600));
    const QString start = request("k", {{"options", QJsonObject{{"dllPath", HOST_PLUGIN_FILE}}}});
    ASSERT_EQ(manager()->StartService(start), R"({"errorCode":0,"errorModule":0,"sequence":"s","uuid":"k"})");
    ASSERT_EQ(create("k", {{"className", "Chrome"}, {"rect", rect(0, 0, 400, 300)}}), 0);
    const HWND hPlugin = manager()->integrationWnd("k");
    EXPECT_EQ(win32sim::parentOf(hPlugin), hwndOf(host("k")));
    EXPECT_FALSE(varavozov::findComponent("k"));
    manager()->SetWndCover(request("k", {{"position", "top"}, {"size", 10}}));
    EXPECT_EQ(win32sim::windowRect(hPlugin), QRect(hostRect("k").topLeft() - QPoint(0, 10), QSize(400, 300)));

    qputenv("HOST_PLUGIN_FAIL", "1");   // the library makes no window
    manager()->StartService(start);
    EXPECT_EQ(create("k", {{"className", "Chrome"}}), 5000);
    qunsetenv("HOST_PLUGIN_FAIL");
}
