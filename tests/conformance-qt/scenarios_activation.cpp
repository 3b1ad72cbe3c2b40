// Show, hide, raise and lower of Qt windows; activation as Windows and as Qt see it, with
// Qt's activation events; tool windows shown without activation, next to another
// application's window.
#include "harness.h"
#include "scenarios.h"

#include "browser.h"

#include <QWindow>

using namespace conf;

namespace {

void setOnTop(QWidget *pWidget, bool bOnTop)
{
    pWidget->windowHandle()->setFlags(pWidget->windowHandle()->flags().setFlag(Qt::WindowStaysOnTopHint, bOnTop));
}

// Another application's window, in front as a newly opened one is.
HWND browser(const QRect &rc)
{
    const HWND h = openBrowser(QStringLiteral("page"), rc).hFrame;
    nameWindow(h, "browser");
    return h;
}

std::string focus()
{
    return std::string("focus=") + name(GetFocus());
}

} // namespace

void activationScenarios()
{
    // No activation here: activating a window has stacking side effects of its own.
    scenario("stacking");
    QWidget *pA = widget("A", kFrameless, QRect(100, 100, 200, 150));
    QWidget *pB = widget("B", kFrameless, QRect(150, 150, 200, 150));
    QWidget *pC = widget("C", kFrameless, QRect(200, 200, 200, 150));
    note("created", "%s", stack().c_str());
    for (QWidget *pWidget : {pA, pB, pC})
        pWidget->show();
    flush();
    note("shown", "%s %s", stack().c_str(), activation().c_str());
    steps({{"raise-A", [&] { pA->raise(); }}, {"lower-C", [&] { pC->lower(); }}, {"hide-B", [&] { pB->hide(); }},
           {"show-B", [&] { pB->show(); }}, {"raise-B", [&] { pB->raise(); }}},
          stack);
    QWidget *pTop = widget("T", kFrameless | Qt::WindowStaysOnTopHint, QRect(250, 250, 100, 100));
    note("topmost-created", "%s", stack().c_str());
    steps({{"topmost-raise-A",
            [&] {
                pTop->show();
                pA->raise();
            }},
           {"topmost-lower", [&] { pTop->lower(); }},
           {"C-on-top", [&] { setOnTop(pC, true); }},
           {"C-not-on-top", [&] { setOnTop(pC, false); }}},
          stack);
    // Win32 behind Qt's back, then Qt again.
    SetWindowPos(hwndOf(pA), HWND_BOTTOM, 0, 0, 0, 0, kStack);
    ShowWindow(hwndOf(pB), SW_HIDE);
    flush();
    note("native", "%s B-visible-in-qt=%s B-exposed=%s", stack().c_str(), yes(pB->isVisible()),
         yes(pB->windowHandle()->isExposed()));
    pB->show();
    flush();
    note("native-then-qt-show", "%s", stack().c_str());
    pB->hide();
    pB->show();
    flush();
    note("qt-hide-show", "%s exposed=%s", stack().c_str(), yes(pB->windowHandle()->isExposed()));

    scenario("activation");
    pA = widget("A", Qt::Window, QRect(100, 100, 300, 200));
    pB = widget("B", Qt::Window, QRect(450, 100, 300, 200));
    QWidget *pChild = widget("A.c", Qt::Widget, QRect(10, 10, 100, 80), pA);
    flush();
    events();
    steps({{"show-A", [&] { pA->show(); }}, {"show-B", [&] { pB->show(); }},
           {"activate-A", [&] { pA->activateWindow(); }}, {"foreground-B", [&] { SetForegroundWindow(hwndOf(pB)); }}},
          activationEvents);
    steps({{"focus-A.c", [&] { SetFocus(hwndOf(pChild)); }}, {"focus-B", [&] { SetFocus(hwndOf(pB)); }},
           {"activate-A.c", [&] { pChild->activateWindow(); }}},
          [] { return activation() + " " + focus() + " events: " + events(); });
    // Another application comes to the front, and Qt asks for its window back.
    HWND hBrowser = nullptr;
    steps({{"browser", [&] { hBrowser = browser(QRect(150, 150, 500, 400)); }},
           {"activate-B", [&] { pB->activateWindow(); }},
           {"foreground-browser", [&] { SetForegroundWindow(hBrowser); }}},
          activationEvents);
    const BOOL bChild = SetForegroundWindow(hwndOf(pChild));
    flush();
    note("foreground-A.c", "ok=%s %s", yes(bChild), activationEvents().c_str());
    // Qt hides without activating another window.
    pA->activateWindow();
    flush();
    events();
    steps({{"hide-active", [&] { pA->hide(); }}}, activationEvents);

    scenario("tool-show");
    QWidget *pMain = widget("M", Qt::Window, QRect(100, 100, 400, 300));
    pMain->show();
    pMain->activateWindow();
    flush();
    events();
    QWidget *pTool = widget("T", kFrameless, QRect(150, 150, 160, 90));
    QWidget *pOwned = widget("M.tool", kFrameless, QRect(200, 200, 160, 90), pMain);
    QWidget *pQuiet = widget("quiet", Qt::Window, QRect(300, 300, 200, 100));
    pQuiet->setAttribute(Qt::WA_ShowWithoutActivating);
    for (QWidget *pWidget : {pTool, pOwned, pQuiet})
        pWidget->show();
    flush();
    const HWND hTool = hwndOf(pTool);
    note("shown", "%s owners: T=%s M.tool=%s", activationEvents().c_str(), owner(hTool).c_str(),
         owner(hwndOf(pOwned)).c_str());
    steps({{"browser", [&] { hBrowser = browser(QRect(50, 50, 600, 450)); }}}, activationEvents);
    // The window host keeps its tool window owned by the browser; Qt's next show takes that back.
    SetWindowLongPtrW(hTool, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hBrowser));
    note("owned-by-browser", "T=%s", owner(hTool).c_str());
    pTool->hide();
    pTool->show();
    flush();
    note("hide-show", "%s owner=%s", activationEvents().c_str(), owner(hTool).c_str());
    steps({{"raise", [&] { pTool->raise(); }}, {"activate", [&] { pTool->activateWindow(); }},
           {"browser-again", [&] { SetForegroundWindow(hBrowser); }},
           {"no-focus",
            [&] {
                QWidget *pNoFocus = widget("no-focus", kFrameless | Qt::WindowDoesNotAcceptFocus,
                                           QRect(400, 400, 100, 100));
                pNoFocus->show();
                pNoFocus->activateWindow();
            }}},
          activationEvents);
}
