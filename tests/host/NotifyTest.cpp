// Component signals reach the manager's signals as JSON notifications; full screen and
// mouse presses change the host's state and stacking.
#include "HostTest.h"

#include <QMetaMethod>

namespace {

// Every manager signal as "name text", and the foreground window when it came.
class Recorder : public QObject
{
    Q_OBJECT
public:
    explicit Recorder(QObject *pSource)
    {
        const QMetaObject *meta = pSource->metaObject();
        const QMetaMethod slot = metaObject()->method(metaObject()->indexOfSlot("record(QString)"));
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            if (meta->method(i).methodType() == QMetaMethod::Signal)
                connect(pSource, meta->method(i), this, slot);
        }
    }
    QStringList received;
    HWND hForeground = nullptr;

public slots:
    void record(QString text)
    {
        received << sender()->metaObject()->method(senderSignalIndex()).name() + ' ' + text;
        hForeground = GetForegroundWindow();
    }
};

bool emitFrom(const char *uuid, const char *signal, const QVariantList &args)
{
    return varavozov::emitSignal(QString::fromLatin1(uuid), QString::fromLatin1(signal), args);
}

} // namespace

TEST_F(HostTest, NotificationTexts)
{
    win32sim::createChrome("w1", QRect(0, 0, 800, 600));
    ASSERT_EQ(create("w1", {{"className", "Chrome"}}), 0);
    Recorder recorder(manager());
    // %1 and %2 stand for the members every notification carries.
    const struct { const char *signal; QVariantList args; QString expected; } cases[] = {
        {"SignalSetSelectedWnd", {0, 3, "s1", false}, R"(setSelectWnd {"cameraID":"3","cmd":"window.selectWnd",%1,"opendFisheye":false,"siteID":"s1",%2,"wndIndex":"0"})"},
        {"SignalOpenPTZ", {4294967295u, "s"}, R"(togglePTZ {"cameraID":"4294967295","cmd":"window.togglePTZ",%1,"siteID":"s",%2})"},
        {"SignaleUpdateCameraIcon", {7, -1, "s"}, R"(updateCameraIcon {"cameraID":"7","cmd":"play.updateCameraIcon",%1,"playing":"-1","siteID":"s",%2})"},
        {"SignalTalkUrlEmpty", {5}, R"(talkUrlEmpty {"cameraID":"5","cmd":"play.talkUrlEmpty",%1,%2})"},
        {"SignalGotoPlayback", {5, "s"}, R"(gotoPlayback {"cameraID":"5","cmd":"play.gotoPlayback",%1,"siteID":"s",%2})"},
        {"SignalPreviewWnd3DPostion", {-1, 2, 3, 4}, R"(previewWnd3DPostion {"cmd":"play.previewWnd3DPostion","endX":"3","endY":"4",%1,"startX":"-1","startY":"2",%2})"},
        {"SignalAllStop", {}, R"(stopPlayAll {"cmd":"play.stopPlayAll",%1,%2})"},
        {"SignalWheelEvent", {-120}, R"(wheelEvent {"cmd":"play.wheelEvent","delta":"-120",%1,%2})"},
        {"SignalManuallyClose", {7, "s", 2}, R"(manuallyClose {"cameraID":"7","cmd":"play.manuallyClose",%1,"siteID":"s",%2,"wndIndex":"2"})"},
        {"SignalFisheyeExpandChanged", {-1, "s", -2, true}, R"(fisheyeExpandChanged {"cameraID":"-1","cmd":"play.fisheyeExpandChanged",%1,"open":true,"siteID":"s",%2,"wndIndex":"-2"})"},
        {"SignalGetVanePlayInfo", {"s", "g"}, R"(getVanePlayInfo {"cmd":"play.getVanePlayInfo",%1,"guid":"g","siteID":"s",%2})"},
        {"SignalWndPTZControl", {1, 2, 2147483648u, 2147483647u, false}, R"(wndPtzControl {"cameraID":"2","cmd":"play.wndPtzControl","command":0,%1,"speed":2147483647,"stop":1,%2,"wndIndex":"1"})"},
        {"SignalWndPTZControl", {1, 2, 3, 4, true}, R"(wndPtzControl {"cameraID":"2","cmd":"play.wndPtzControl","command":3,%1,"speed":4,"stop":0,%2,"wndIndex":"1"})"},
        {"SignalHeatMap", {"d", 9, -3, "g"}, R"(heatMap {"cmd":"window.heatMap","data":"d",%1,"guid":"g","max":9,"min":-3,%2})"},
        {"SignalUpdate3DState", {1, "s", 2, true}, R"(update3DState {"cameraID":"2","cmd":"play.update3DState",%1,"opend":true,"siteID":"s",%2,"wndIndex":"1"})"},
        {"SignalSendMessage", {"say \"hi\""}, R"(sendMessage {"cmd":"window.sendMessage",%1,"message":"say \"hi\"",%2})"},
    };
    for (const auto &c : cases) {
        recorder.received.clear();
        ASSERT_TRUE(emitFrom("w1", c.signal, c.args)) << c.signal;
        EXPECT_EQ(recorder.received, QStringList(c.expected.arg(R"("errorCode":0,"errorModule":0)", R"("uuid":"w1")"))) << c.signal;
    }
}

TEST_F(HostTest, FullScreenOfTheOwnComponentOnly)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome("w1 w2", QRect(0, 0, 800, 600));
    ASSERT_EQ(create("w1", {{"className", "Chrome"}, {"rect", rect(0, 0, 300, 200)}}), 0);
    ASSERT_EQ(create("w2", {{"className", "Chrome"}, {"embed", false}, {"rect", rect(0, 0, 300, 200)}}), 0);
    Recorder recorder(manager());
    const QString guid1 = varavozov::componentGuid(varavozov::findComponent("w1"));
    const QString guid2 = varavozov::componentGuid(varavozov::findComponent("w2"));

    emitFrom("w1", "SignalEnteredFullScreen", {guid2});
    EXPECT_FALSE(host("w1")->isFullScreen());
    emitFrom("w1", "SignalEnteredFullScreen", {guid1});
    manager()->HideWnd(request("w1", {}));
    EXPECT_TRUE(host("w1")->isVisible());
    emitFrom("w1", "SignalQuitedFullScreen", {guid1});
    EXPECT_FALSE(host("w1")->isFullScreen());
    EXPECT_TRUE(recorder.received.isEmpty());   // an embedded host does not tell

    // A top-level host tells, once its browser has the foreground.
    win32sim::createWindow({"Other", "", QRect(0, 0, 100, 100)});
    emitFrom("w2", "SignalQuitedFullScreen", {guid2});
    EXPECT_EQ(recorder.received, QStringList(R"(quitedFullScreen {"cmd":"window.quitedFullScreen","errorCode":0,"errorModule":0,"uuid":"w2"})"));
    EXPECT_EQ(recorder.hForeground, chrome.frame);
}

// The rest of the stacking, with the passes and WinEvents running: tests/zorder.
TEST_F(HostTest, LeavingFullScreenOverAFullScreenBrowserPutsTheHostInTheTopmostBand)
{
    fullScreenBrowser("Chrome_WidgetWin_1", "w1", win32sim::monitors().first().rect);
    ASSERT_EQ(create("w1", {{"className", "Chrome"}, {"embed", false}, {"rect", rect(0, 0, 300, 200)}}), 0);
    emitFrom("w1", "SignalQuitedFullScreen", {varavozov::componentGuid(varavozov::findComponent("w1"))});
    EXPECT_TRUE(win32sim::isTopmost(hwndOf(host("w1"))));
}

TEST_F(HostTest, MousePressInAnInactiveBrowserActivatesIt)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome("w1", QRect(0, 0, 800, 600));
    ASSERT_EQ(create("w1", {{"className", "Chrome"}, {"rect", rect(0, 0, 300, 200)}}), 0);
    win32sim::createWindow({"Other", "", QRect(0, 0, 100, 100)});
    emitFrom("w1", "SignalMousePressed", {});
    EXPECT_EQ(GetAncestor(win32sim::foreground(), GA_ROOT), chrome.frame);
}

#include "NotifyTest.moc"
