// Placement over the page for each browser kind and mode, covers, cut-outs, the
// timestamp rule, and the taskbar while the browser fills its monitor.
#include "HostTest.h"

#include <limits>


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

TEST_F(HostTest, PageNumbersAtTheIntLimitsStayWithinWhatAWindowCanBe)
{
    // A top-level host over a plain browser: the page origin is the browser's corner (100, 50).
    win32sim::createWindow({"Shell", "k", QRect(100, 50, 1000, 700)});
    ASSERT_EQ(create("k", {{"className", "Shell"}, {"embed", false}, {"rect", rect(0, 0, 320, 180)}}), 0);
    const HWND hHost = hwndOf(host("k"));
    WebClientComponents *pComponent = varavozov::findComponent("k");
    const QString ok = R"({"errorCode":0,"errorModule":0,"sequence":"s","uuid":"k"})";
    const int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    const QSize screen = win32sim::monitors().first().rect.size();   // 1920 x 1080 on a fresh simulated desktop
    const int w = screen.width(), h = screen.height();
    // Sizes stop at 32767, positions where Windows places windows; a host longer than the
    // screen keeps the screen-long slice on (or nearest to) the screen, its child where
    // the whole host would have it.
    const struct { QJsonObject rect; QRect native, child; } cases[] = {
        {rect(kMax - 47, 10, 320, 180), QRect(32767, 60, 320, 180), QRect(0, 0, 320, 180)},
        {rect(kMin, kMin, 320, 180), QRect(-32768, -32768, 320, 180), QRect(0, 0, 320, 180)},
        {rect(10, 20, kMax, 100), QRect(110, 70, w, 100), QRect(0, 0, 32767, 100)},
        {rect(-5000, 0, kMax, kMax), QRect(0, 50, w, h), QRect(-4900, 0, 32767, 32767)},
        {rect(kMin, 0, kMax, 100), QRect(-32768, 50, w, 100), QRect(w - 32767, 0, 32767, 100)},
        {rect(10, 20, kMin, -1), QRect(110, 70, 0, 0), QRect(0, 0, 0, 0)},
        {rect(10, 20, 300, 200), QRect(110, 70, 300, 200), QRect(0, 0, 300, 200)},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(manager()->SetWndGeometry(request("k", {{"rect", c.rect}})), ok);
        EXPECT_EQ(win32sim::windowRect(hHost), c.native) << QJsonDocument(c.rect).toJson().constData();
        EXPECT_EQ(pComponent->geometry(), c.child) << QJsonDocument(c.rect).toJson().constData();
    }

    // Covers of any size: the host stays a window, and taking a cover back restores the position.
    for (const auto &cover : {std::pair<const char *, int>{"left", kMax}, {"left", kMin}, {"top", kMin}, {"right", kMax},
                              {"bottom", kMin}, {"left", 0}, {"top", 0}, {"right", 0}, {"bottom", 0}}) {
        EXPECT_EQ(manager()->SetWndCover(request("k", {{"position", cover.first}, {"size", cover.second}})), ok);
        const QRect rc = win32sim::windowRect(hHost);
        EXPECT_TRUE(rc.width() <= w && rc.height() <= h && rc.x() >= -32768 && rc.x() <= 32767) << cover.first;
    }
    EXPECT_EQ(host("k")->wndRect().topLeft(), QPoint(10, 20));

    // Holes and repairs: cut off beyond the window, shifted to the edge before it; the
    // corner cannot exceed its rectangle.
    manager()->SetWndGeometry(request("k", {{"rect", rect(0, 0, 640, 360)}}));
    auto shape = [&] { return win32sim::region(hHost).intersected(QRect(0, 0, 640, 360)); };
    QRegion expected(0, 0, 640, 360);
    const auto cutting = &WindowControlManager::CuttingPartWindow;
    const auto repairing = &WindowControlManager::RepairPartWindow;
    const struct { decltype(cutting) handler; QJsonObject hole; int round; QRegion cut, filled; } holes[] = {
        {cutting, rect(10, 0, kMax, 50), 0, QRegion(10, 0, 630, 49), {}},
        {cutting, rect(kMax - 47, 100, 100, 20), kMax, {}, {}},
        {cutting, rect(kMin, kMin, 100, 80), kMin, QRegion(0, 0, 99, 79), {}},
        {cutting, rect(300, kMax, 10, 10), 0, {}, {}},
        {repairing, rect(kMax, kMax, kMax, kMax), kMax, {}, {}},
        {repairing, rect(kMin, 40, kMax, 20), 0, {}, QRegion(0, 40, 640, 19)},
    };
    for (const auto &h : holes) {
        EXPECT_EQ((manager()->*h.handler)(request("k", {{"rect", h.hole}, {"round", h.round}})), ok);
        expected = expected.subtracted(h.cut).united(h.filled);
        EXPECT_EQ(shape(), expected) << QJsonDocument(h.hole).toJson().constData();
    }
    // A corner of ten million on a 200 x 100 hole is the largest that hole can have.
    const QRegion before = shape();
    manager()->CuttingPartWindow(request("k", {{"rect", rect(100, 150, 200, 100)}, {"round", 10000000}}));
    const QRegion huge = shape();
    manager()->RepairPartWindow(request("k", {{"rect", rect(100, 150, 200, 100)}, {"round", 10000000}}));
    EXPECT_EQ(shape(), before);
    manager()->CuttingPartWindow(request("k", {{"rect", rect(100, 150, 200, 100)}, {"round", 200}}));
    EXPECT_EQ(shape(), huge);
}

TEST_F(HostTest, AHostLongerThanTheScreenKeepsItsHolesAndPicturesTheScreenSlice)
{
    const int w = win32sim::monitors().first().rect.width();
    win32sim::createWindow({"Shell", "k", QRect(100, 50, 1000, 700)});
    ASSERT_EQ(create("k", {{"className", "Shell"}, {"embed", false}, {"rect", rect(-5000, 0, 40000, 400)}}), 0);
    const HWND hHost = hwndOf(host("k"));
    ASSERT_EQ(win32sim::windowRect(hHost), QRect(0, 50, w, 400));
    manager()->CuttingPartWindow(request("k", {{"rect", rect(5000, 10, 100, 100)}, {"round", 0}}));
    EXPECT_FALSE(win32sim::region(hHost).contains(QPoint(150, 50)));
    EXPECT_TRUE(win32sim::region(hHost).contains(QPoint(50, 50)));
    // Moved by 500 without a resize: another slice shows, the hole stays in its place on the host.
    manager()->SetWndGeometry(request("k", {{"rect", rect(-4500, 0, 40000, 400)}}));
    EXPECT_EQ(win32sim::windowRect(hHost), QRect(0, 50, w, 400));
    EXPECT_FALSE(win32sim::region(hHost).contains(QPoint(650, 50)));
    EXPECT_TRUE(win32sim::region(hHost).contains(QPoint(150, 50)));
    EXPECT_EQ(varavozov::findComponent("k")->geometry(), QRect(-4400, 0, 32767, 400));

    QStringList pictures;
    QObject::connect(manager(), &WindowControlManager::sendMessage2Web, [&](const QString &text) { pictures << text; });
    manager()->GrabOpen(request("k", {}));
    ASSERT_EQ(pictures.size(), 1);
    const QJsonObject message = QJsonDocument::fromJson(pictures.first().toUtf8()).object();
    const QImage image = QImage::fromData(QByteArray::fromBase64(
        message.value("data").toObject().value("message").toObject().value("image").toString().toLatin1()), "JPEG");
    EXPECT_EQ(image.size(), QSize(w, 400));
}

TEST_F(HostTest, AnEmptySizeLeavesNothingBehind)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome("k", QRect(0, 0, 1000, 700));
    const QPoint page = win32sim::windowRect(chrome.render).topLeft();
    const QRect rcOld(page + QPoint(10, 20), QSize(320, 180));
    const QImage before = win32sim::grabScreen(rcOld);
    ASSERT_EQ(create("k", {{"className", "Chrome"}, {"rect", rect(10, 20, 320, 180)}}), 0);
    const HWND hHost = hwndOf(host("k"));
    ASSERT_NE(win32sim::grabScreen(rcOld), before);
    for (const QJsonObject &empty : {rect(50, 60, 0, 0), rect(50, 60, 100, -3), rect(50, 60, -1, 80)}) {
        manager()->SetWndGeometry(request("k", {{"rect", empty}}));
        EXPECT_EQ(win32sim::grabScreen(rcOld), before) << QJsonDocument(empty).toJson().constData();
        EXPECT_EQ(win32sim::windowRect(hHost).topLeft(), page + QPoint(50, 60));
    }
    manager()->SetWndGeometry(request("k", {{"rect", rect(50, 60, 100, 80)}}));
    EXPECT_EQ(win32sim::windowRect(hHost), QRect(page + QPoint(50, 60), QSize(100, 80)));
    EXPECT_TRUE(win32sim::isVisible(hHost));
}
