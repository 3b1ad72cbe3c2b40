// The "win32sim" Qt platform: pixels to and from the desktop, input from it, and what the
// Qt comparison with Wine (tests/conformance-qt) cannot show: screens following monitors
// the desktop is given, pixels of a window shown late, a foreign parent that is no window.
#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>
#include <win32sim/Desktop.h>
#include <win32sim/Qpa.h>

// A widget that paints one colour and remembers what reached it.
class Probe : public QWidget
{
public:
    explicit Probe(QWidget *parent = nullptr, Qt::WindowFlags flags = {}) : QWidget(parent, flags) {}

    QColor colour = Qt::red;
    QVector<QPoint> presses;
    int doubleClicks = 0;
    int wheelDelta = 0;

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), colour); }
    void mousePressEvent(QMouseEvent *e) override { presses.append(e->pos()); }
    void mouseDoubleClickEvent(QMouseEvent *) override { ++doubleClicks; }
    void wheelEvent(QWheelEvent *e) override { wheelDelta += e->angleDelta().y(); }
};

// Each test starts on a fresh desktop.
class QpaTest : public ::testing::Test
{
protected:
    void SetUp() override { win32sim::reset(); }
    void TearDown() override { flush(); }

    // Lets Qt handle what the desktop reported (the platform's dispatcher also sends
    // window system events).
    static void flush()
    {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }
    static HWND hwndOf(const QWidget *w) { return reinterpret_cast<HWND>(w->winId()); }
};

TEST_F(QpaTest, PaintedPixelsReachTheDesktop)
{
    Probe top(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    top.setGeometry(100, 100, 200, 200);
    auto *child = new Probe(&top);
    child->colour = Qt::green;
    child->setGeometry(150, 150, 40, 40);
    child->winId();
    top.show();
    flush();
    const QImage picture = win32sim::picture();
    EXPECT_EQ(picture.pixelColor(150, 150), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(270, 270), QColor(Qt::green));   // the native child, from its own window
}

TEST_F(QpaTest, GrabShowsWhatTheScreenShows)
{
    win32sim::NewWindow under;
    under.rect = QRect(0, 0, 600, 600);
    under.colour = Qt::blue;
    win32sim::createWindow(under);
    Probe w(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    w.setGeometry(100, 100, 200, 200);
    w.show();
    flush();
    win32sim::NewWindow over;
    over.rect = QRect(250, 250, 100, 100);
    over.colour = Qt::yellow;
    SetWindowPos(win32sim::createWindow(over), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HRGN hRgn = CreateRectRgn(0, 0, 200, 200);
    HRGN hHole = CreateRectRgn(20, 20, 60, 60);
    CombineRgn(hRgn, hRgn, hHole, RGN_DIFF);
    DeleteObject(hHole);
    SetWindowRgn(hwndOf(&w), hRgn, TRUE);

    QScreen *pScreen = QGuiApplication::primaryScreen();
    const QImage grab = pScreen->grabWindow(w.winId(), 0, 0, -1, -1).toImage();
    ASSERT_EQ(grab.size(), QSize(200, 200));
    EXPECT_EQ(grab.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(grab.pixelColor(190, 190), QColor(Qt::yellow));   // the window over it
    EXPECT_EQ(grab.pixelColor(40, 40), QColor(Qt::blue));       // through the hole
    const QImage part = pScreen->grabWindow(w.winId(), 140, 10, 20, 30).toImage();
    ASSERT_EQ(part.size(), QSize(20, 30));
    EXPECT_EQ(part.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_TRUE(pScreen->grabWindow(WId(0x7fff0000), 0, 0, -1, -1).isNull());
}

TEST_F(QpaTest, MouseAndWheelReachWidgets)
{
    Probe w(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    w.setGeometry(100, 100, 200, 200);
    w.show();
    flush();
    win32sim::click(QPoint(130, 150));
    win32sim::click(QPoint(130, 150));
    flush();
    EXPECT_EQ(w.presses, (QVector<QPoint>{QPoint(30, 50), QPoint(30, 50)}));
    EXPECT_EQ(w.doubleClicks, 0);   // two clicks are not a double click unless the desktop says so
    win32sim::click(QPoint(131, 151), true);
    flush();
    EXPECT_EQ(w.doubleClicks, 1);
    win32sim::wheel(QPoint(150, 150), -240);
    flush();
    EXPECT_EQ(w.wheelDelta, -240);
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

// A Qt window moved into a hidden browser window paints once that window shows.
TEST_F(QpaTest, AWindowInsideAHiddenParentPaintsWhenItShows)
{
    EXPECT_TRUE(win32sim::isQtPlatform());
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

// An embedded window whose parent is no window gets no native window, and nothing else happens.
TEST_F(QpaTest, EmbeddingIntoNoWindowGivesNoNativeWindow)
{
    QWindow orphan;
    orphan.setProperty("_q_embedded_native_parent_handle", QVariant::fromValue(WId(0xdead)));
    orphan.show();
    orphan.requestActivate();
    flush();
    EXPECT_EQ(orphan.winId(), WId(0));
}
