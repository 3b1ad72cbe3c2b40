// Window regions on Qt windows (QWidget::setMask and SetWindowRgn), and grabs of Qt
// windows through the screen. Wine's headless driver has no screen contents, so a grab
// records its size only.
#include "scenarios.h"
#include "transcript.h"

#include "browser.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QRegion>
#include <QScreen>

#include <cstdio>

using namespace qconf;

namespace {

const Qt::WindowFlags kFrameless = Qt::Tool | Qt::FramelessWindowHint;

// The region's box and which of the sample points it holds, in window coordinates.
std::string regionOf(HWND h)
{
    HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
    const int iType = GetWindowRgn(h, hRgn);
    std::string strOut;
    if (iType == ERROR) {
        strOut = "none";
    } else {
        RECT rc = {};
        GetRgnBox(hRgn, &rc);
        char szBuffer[160];
        std::snprintf(szBuffer, sizeof szBuffer, "%s box=(%d,%d)-(%d,%d) in:",
                      iType == SIMPLEREGION ? "simple" : iType == COMPLEXREGION ? "complex" : "null", int(rc.left),
                      int(rc.top), int(rc.right), int(rc.bottom));
        strOut = szBuffer;
        const POINT samples[] = {{0, 0}, {5, 5}, {12, 12}, {60, 50}, {110, 50}, {120, 75}, {149, 99}, {199, 149}};
        for (const POINT &pt : samples)
            strOut += PtInRegion(hRgn, pt.x, pt.y) ? '1' : '0';
    }
    DeleteObject(hRgn);
    return strOut;
}

std::string sizeOf(const QPixmap &pixmap)
{
    if (pixmap.isNull())
        return "null";
    char szBuffer[32];
    std::snprintf(szBuffer, sizeof szBuffer, "%dx%d", pixmap.width(), pixmap.height());
    return szBuffer;
}

} // namespace

void scenarioRegions()
{
    scenario("regions");
    QWidget *pWidget = widget("R", kFrameless, QRect(100, 100, 200, 150));
    pWidget->show();
    flush();
    const HWND h = hwndOf(pWidget);
    note("none", "%s", regionOf(h).c_str());
    pWidget->setMask(QRegion(10, 10, 100, 80, QRegion::Ellipse));
    note("qt-ellipse", "%s", regionOf(h).c_str());
    pWidget->setMask(QRegion(0, 0, 50, 50) + QRegion(100, 50, 50, 50));
    note("qt-two-rects", "%s", regionOf(h).c_str());
    pWidget->clearMask();
    note("qt-clear", "%s", regionOf(h).c_str());

    // Set behind Qt's back, as the window host cuts holes.
    HRGN hRound = CreateRoundRectRgn(0, 0, 200, 150, 20, 20);
    HRGN hHole = CreateRectRgn(100, 40, 130, 60);
    CombineRgn(hRound, hRound, hHole, RGN_DIFF);
    DeleteObject(hHole);
    SetWindowRgn(h, hRound, TRUE);
    note("native", "%s", regionOf(h).c_str());
    pWidget->resize(250, 180);
    flush();
    note("qt-resize", "%s", regionOf(h).c_str());
    pWidget->hide();
    pWidget->show();
    flush();
    note("qt-hide-show", "%s", regionOf(h).c_str());
    const Browser browser = openBrowser(QStringLiteral("page"), QRect(200, 150, 700, 500));
    SetParent(h, browser.hFrame);
    flush();
    note("reparented", "%s", regionOf(h).c_str());
    SetWindowRgn(h, nullptr, TRUE);
    note("native-clear", "%s", regionOf(h).c_str());

    // A framed window: Qt's mask counts from the client area.
    QWidget *pFramed = widget("F", Qt::Window, QRect(300, 300, 200, 150));
    pFramed->setMask(QRegion(0, 0, 100, 80));
    const HWND hFramed = hwndOf(pFramed);
    RECT rcWindow = {};
    GetWindowRect(hFramed, &rcWindow);
    POINT ptClient = {0, 0};
    ClientToScreen(hFramed, &ptClient);
    HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(hFramed, hRgn);
    OffsetRgn(hRgn, rcWindow.left - ptClient.x, rcWindow.top - ptClient.y);
    RECT rcBox = {};
    GetRgnBox(hRgn, &rcBox);
    DeleteObject(hRgn);
    note("framed", "client-box=(%d,%d)-(%d,%d)", int(rcBox.left), int(rcBox.top), int(rcBox.right),
         int(rcBox.bottom));
}

void scenarioGrab()
{
    scenario("grab");
    QWidget *pWidget = widget("G", kFrameless, QRect(100, 100, 200, 150));
    QWidget *pChild = widget("G.c", Qt::Widget, QRect(10, 10, 50, 40), pWidget);
    QWidget *pFramed = widget("F", Qt::Window, QRect(350, 100, 200, 150));
    pWidget->show();
    pFramed->show();
    flush();
    QScreen *pScreen = QGuiApplication::primaryScreen();
    const WId id = pWidget->winId();
    note("window", "whole=%s rest=%s part=%s larger=%s", sizeOf(pScreen->grabWindow(id)).c_str(),
         sizeOf(pScreen->grabWindow(id, 10, 20, -1, -1)).c_str(), sizeOf(pScreen->grabWindow(id, 0, 0, 50, 60)).c_str(),
         sizeOf(pScreen->grabWindow(id, 0, 0, 400, 300)).c_str());
    note("others", "child=%s framed=%s screen-is-screen-size=%s", sizeOf(pScreen->grabWindow(pChild->winId())).c_str(),
         sizeOf(pScreen->grabWindow(pFramed->winId())).c_str(),
         yes(pScreen->grabWindow(0).size() == pScreen->geometry().size()));
    pWidget->hide();
    flush();
    note("hidden", "whole=%s", sizeOf(pScreen->grabWindow(id)).c_str());
    const Browser browser = openBrowser(QStringLiteral("page"), QRect(200, 150, 700, 500));
    RECT rc = {};
    GetClientRect(browser.hRender, &rc);
    const QPixmap render = pScreen->grabWindow(WId(browser.hRender));
    note("foreign", "render-is-client-size=%s", yes(render.size() == QSize(rc.right, rc.bottom)));
    pWidget->show();
    SetParent(hwndOf(pWidget), browser.hRender);
    flush();
    note("reparented", "whole=%s rest=%s", sizeOf(pScreen->grabWindow(id)).c_str(),
         sizeOf(pScreen->grabWindow(id, 0, 0, -1, -1)).c_str());
}
