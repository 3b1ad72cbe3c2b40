// Pixels to and from the desktop, and input from it.
#include "QpaTestEnvironment.h"

#include <QScreen>

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
