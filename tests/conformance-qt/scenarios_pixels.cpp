// Window regions on Qt windows (QWidget::setMask and SetWindowRgn), and grabs of Qt
// windows through the screen. Wine's headless driver has no screen contents, so a grab
// records its size only.
#include "harness.h"
#include "scenarios.h"

#include "browser.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QRegion>
#include <QScreen>

using namespace conf;

namespace {

// The region's box and which of the sample points it holds, in window coordinates.
std::string regionOf(HWND h)
{
    HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
    const int iType = GetWindowRgn(h, hRgn);
    RECT rc = {};
    GetRgnBox(hRgn, &rc);
    std::string strOut = iType == SIMPLEREGION ? "simple" : iType == COMPLEXREGION ? "complex" : "null";
    strOut += " box=" + rectText(rc) + " in:";
    for (const POINT &pt : {POINT{0, 0}, {5, 5}, {12, 12}, {60, 50}, {110, 50}, {120, 75}, {149, 99}, {199, 149}})
        strOut += PtInRegion(hRgn, pt.x, pt.y) ? '1' : '0';
    DeleteObject(hRgn);
    return iType == ERROR ? "none" : strOut;
}

std::string sizeOf(const QPixmap &pixmap)
{
    return pixmap.isNull() ? "null" : std::to_string(pixmap.width()) + "x" + std::to_string(pixmap.height());
}

} // namespace

void pixelScenarios()
{
    scenario("regions");
    QWidget *pWidget = widget("R", kFrameless, QRect(100, 100, 200, 150));
    pWidget->show();
    flush();
    const HWND h = hwndOf(pWidget);
    // Qt's masks, then one set behind Qt's back, as the window host cuts holes.
    HRGN hRound = CreateRoundRectRgn(0, 0, 200, 150, 20, 20);
    HRGN hHole = CreateRectRgn(100, 40, 130, 60);
    CombineRgn(hRound, hRound, hHole, RGN_DIFF);
    DeleteObject(hHole);
    walk({{"none", [] {}},
          {"qt-ellipse", [&] { pWidget->setMask(QRegion(10, 10, 100, 80, QRegion::Ellipse)); }},
          {"qt-two-rects", [&] { pWidget->setMask(QRegion(0, 0, 50, 50) + QRegion(100, 50, 50, 50)); }},
          {"qt-clear", [&] { pWidget->clearMask(); }},
          {"native", [&] { SetWindowRgn(h, hRound, TRUE); }}},
         [&] { return regionOf(h); });
    steps({{"qt-resize", [&] { pWidget->resize(250, 180); }},
           {"qt-hide-show",
            [&] {
                pWidget->hide();
                pWidget->show();
            }},
           {"reparented",
            [&] { SetParent(h, openBrowser(QStringLiteral("page"), QRect(200, 150, 700, 500)).hFrame); }}},
          [&] { return regionOf(h); });
    walk({{"native-clear", [&] { SetWindowRgn(h, nullptr, TRUE); }}}, [&] { return regionOf(h); });
    // A framed window: Qt's mask counts from the client area.
    QWidget *pFramed = widget("F", Qt::Window, QRect(300, 300, 200, 150));
    pFramed->setMask(QRegion(0, 0, 100, 80));
    const HWND hFramed = hwndOf(pFramed);
    RECT rcWindow = {}, rcBox = {};
    GetWindowRect(hFramed, &rcWindow);
    const POINT ptClient = corner(hFramed);
    HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(hFramed, hRgn);
    OffsetRgn(hRgn, rcWindow.left - ptClient.x, rcWindow.top - ptClient.y);
    GetRgnBox(hRgn, &rcBox);
    DeleteObject(hRgn);
    note("framed", "client-box=%s", rectText(rcBox).c_str());

    scenario("grab");
    pWidget = widget("G", kFrameless, QRect(100, 100, 200, 150));
    QWidget *pChild = widget("G.c", Qt::Widget, QRect(10, 10, 50, 40), pWidget);
    pFramed = widget("F", Qt::Window, QRect(350, 100, 200, 150));
    pWidget->show();
    pFramed->show();
    flush();
    QScreen *pScreen = QGuiApplication::primaryScreen();
    const WId id = pWidget->winId();
    const auto grab = [&](WId w, int x = 0, int y = 0, int cx = -1, int cy = -1) {
        return sizeOf(pScreen->grabWindow(w, x, y, cx, cy));
    };
    note("window", "whole=%s rest=%s part=%s larger=%s", grab(id).c_str(), grab(id, 10, 20).c_str(),
         grab(id, 0, 0, 50, 60).c_str(), grab(id, 0, 0, 400, 300).c_str());
    note("others", "child=%s framed=%s screen-is-screen-size=%s", grab(pChild->winId()).c_str(),
         grab(pFramed->winId()).c_str(), yes(pScreen->grabWindow(0).size() == pScreen->geometry().size()));
    pWidget->hide();
    flush();
    note("hidden", "whole=%s", grab(id).c_str());
    const Browser browser = openBrowser(QStringLiteral("page"), QRect(200, 150, 700, 500));
    RECT rc = {};
    GetClientRect(browser.hRender, &rc);
    const QPixmap render = pScreen->grabWindow(WId(browser.hRender));
    note("foreign", "render-is-client-size=%s", yes(render.size() == QSize(rc.right, rc.bottom)));
    pWidget->show();
    SetParent(hwndOf(pWidget), browser.hRender);
    flush();
    note("reparented", "whole=%s rest=%s", grab(id).c_str(), grab(id, 0, 0).c_str());
}
