// Pictures: stacking order, window regions, parents' client areas and pixels of their
// own, checked at chosen points.
#include "DesktopFixture.h"

using Picture = DesktopTest;

TEST_F(Picture, OverlapsHolesClippingAndPixels)
{
    win32sim::NewWindow back;
    back.rect = QRect(0, 0, 600, 400);
    back.colour = QColor(0, 0, 255);
    back.title = QStringLiteral("back");
    const HWND b = win32sim::createWindow(back);

    win32sim::NewWindow front;
    front.rect = QRect(100, 100, 300, 200);
    front.colour = QColor(255, 0, 0);
    const HWND f = win32sim::createWindow(front);
    const HRGN r = CreateRectRgn(0, 0, 300, 200);
    CombineRgn(r, r, CreateRectRgn(100, 50, 200, 150), RGN_DIFF);
    SetWindowRgn(f, r, TRUE);

    win32sim::NewWindow child;
    child.parent = b;
    child.rect = QRect(550, 350, 100, 100);   // half outside its parent
    child.colour = QColor(0, 255, 0);
    win32sim::createWindow(child);

    win32sim::NewWindow own;
    own.rect = QRect(700, 0, 50, 50);
    const HWND o = win32sim::createWindow(own);
    QImage pixels(20, 10, QImage::Format_RGB32);
    pixels.fill(QColor(255, 255, 0));
    win32sim::setWindowPixels(o, pixels);

    const QImage img = win32sim::grabScreen(QRect(0, 0, 800, 600));
    ASSERT_EQ(img.size(), QSize(800, 600));
    auto at = [&](int x, int y) { return QColor(img.pixel(x, y)); };
    EXPECT_EQ(at(50, 300), QColor(0, 0, 255));    // the back window
    EXPECT_EQ(at(110, 110), QColor(255, 0, 0));   // the front window over it
    EXPECT_EQ(at(250, 200), QColor(0, 0, 255));   // the hole shows the back window
    EXPECT_EQ(at(575, 375), QColor(0, 255, 0));   // the child inside its parent
    EXPECT_NE(at(625, 425), QColor(0, 255, 0));   // and cut off outside it
    EXPECT_EQ(at(705, 5), QColor(255, 255, 0));   // its own pixels at the client corner
    EXPECT_NE(at(745, 45), QColor(255, 255, 0));

    // Moving the front window away uncovers the back window; hiding removes it.
    win32sim::moveWindow(f, QRect(400, 100, 300, 200));
    EXPECT_EQ(QColor(win32sim::grabScreen(QRect(0, 0, 800, 600)).pixel(110, 110)), QColor(0, 0, 255));
    win32sim::hide(f);
    EXPECT_EQ(QColor(win32sim::grabScreen(QRect(400, 100, 10, 10)).pixel(5, 5)), QColor(0, 0, 255));

    const QString path = QStringLiteral("%1/win32sim_picture_test.png").arg(QString::fromLocal8Bit(qgetenv("TMPDIR").isEmpty() ? "/tmp" : qgetenv("TMPDIR")));
    EXPECT_TRUE(win32sim::savePicture(path));
    EXPECT_EQ(QImage(path).size(), QSize(1920, 1080));
}
