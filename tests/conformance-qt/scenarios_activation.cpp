// Show, hide, raise and lower of Qt windows; activation as Windows and as Qt see it, with
// Qt's activation events; tool windows shown without activation, next to another
// application's window.
#include "scenarios.h"
#include "transcript.h"

#include "browser.h"

#include <QWindow>

using namespace qconf;

namespace {
const Qt::WindowFlags kFrameless = Qt::Tool | Qt::FramelessWindowHint;
}

// No activation here: activating a window has stacking side effects of its own.
void scenarioStacking()
{
    scenario("stacking");
    QWidget *pA = widget("A", kFrameless, QRect(100, 100, 200, 150));
    QWidget *pB = widget("B", kFrameless, QRect(150, 150, 200, 150));
    QWidget *pC = widget("C", kFrameless, QRect(200, 200, 200, 150));
    note("created", "%s", stack().c_str());
    pA->show();
    pB->show();
    pC->show();
    flush();
    note("shown", "%s %s", stack().c_str(), activation().c_str());
    pA->raise();
    flush();
    note("raise-A", "%s", stack().c_str());
    pC->lower();
    flush();
    note("lower-C", "%s", stack().c_str());
    pB->hide();
    flush();
    note("hide-B", "%s", stack().c_str());
    pB->show();
    flush();
    note("show-B", "%s", stack().c_str());
    pB->raise();
    flush();
    note("raise-B", "%s", stack().c_str());

    QWidget *pTop = widget("T", kFrameless | Qt::WindowStaysOnTopHint, QRect(250, 250, 100, 100));
    note("topmost-created", "%s", stack().c_str());
    pTop->show();
    pA->raise();
    flush();
    note("topmost-raise-A", "%s", stack().c_str());
    pTop->lower();
    flush();
    note("topmost-lower", "%s", stack().c_str());
    pC->windowHandle()->setFlags(pC->windowHandle()->flags() | Qt::WindowStaysOnTopHint);
    flush();
    note("C-on-top", "%s", stack().c_str());
    pC->windowHandle()->setFlags(pC->windowHandle()->flags() & ~Qt::WindowStaysOnTopHint);
    flush();
    note("C-not-on-top", "%s", stack().c_str());

    // Win32 behind Qt's back, then Qt again.
    SetWindowPos(hwndOf(pA), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
}

void scenarioActivation()
{
    scenario("activation");
    QWidget *pA = widget("A", Qt::Window, QRect(100, 100, 300, 200));
    QWidget *pB = widget("B", Qt::Window, QRect(450, 100, 300, 200));
    QWidget *pChild = widget("A.c", Qt::Widget, QRect(10, 10, 100, 80), pA);
    flush();
    events();
    pA->show();
    flush();
    note("show-A", "%s events: %s", activation().c_str(), events().c_str());
    pB->show();
    flush();
    note("show-B", "%s events: %s", activation().c_str(), events().c_str());
    pA->activateWindow();
    flush();
    note("activate-A", "%s events: %s", activation().c_str(), events().c_str());
    SetForegroundWindow(hwndOf(pB));
    flush();
    note("foreground-B", "%s events: %s", activation().c_str(), events().c_str());
    SetFocus(hwndOf(pChild));
    flush();
    note("focus-A.c", "%s focus=%s events: %s", activation().c_str(), name(GetFocus()), events().c_str());
    SetFocus(hwndOf(pB));
    flush();
    note("focus-B", "%s focus=%s events: %s", activation().c_str(), name(GetFocus()), events().c_str());
    pChild->activateWindow();
    flush();
    note("activate-A.c", "%s focus=%s events: %s", activation().c_str(), name(GetFocus()), events().c_str());

    // Another application comes to the front, and Qt asks for its window back.
    const Browser browser = openBrowser(QStringLiteral("page"), QRect(150, 150, 500, 400));
    nameWindow(browser.hFrame, "browser");
    flush();
    note("browser", "%s events: %s", activation().c_str(), events().c_str());
    pB->activateWindow();
    flush();
    note("activate-B", "%s events: %s", activation().c_str(), events().c_str());
    SetForegroundWindow(browser.hFrame);
    flush();
    note("foreground-browser", "%s events: %s", activation().c_str(), events().c_str());
    const BOOL bChild = SetForegroundWindow(hwndOf(pChild));
    flush();
    note("foreground-A.c", "ok=%s %s events: %s", yes(bChild), activation().c_str(), events().c_str());

    // Qt hides without activating another window.
    pA->activateWindow();
    flush();
    events();
    pA->hide();
    flush();
    note("hide-active", "%s events: %s", activation().c_str(), events().c_str());
}

void scenarioToolWithoutActivation()
{
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
    pTool->show();
    pOwned->show();
    pQuiet->show();
    flush();
    note("shown", "%s events: %s owners: T=%s M.tool=%s", activation().c_str(), events().c_str(),
         name(GetWindow(hwndOf(pTool), GW_OWNER)), name(GetWindow(hwndOf(pOwned), GW_OWNER)));

    const Browser browser = openBrowser(QStringLiteral("page"), QRect(50, 50, 600, 450));
    nameWindow(browser.hFrame, "browser");
    flush();
    note("browser", "%s events: %s", activation().c_str(), events().c_str());
    // The window host keeps its tool window owned by the browser; Qt's next show takes that back.
    SetWindowLongPtrW(hwndOf(pTool), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(browser.hFrame));
    note("owned-by-browser", "T=%s", name(GetWindow(hwndOf(pTool), GW_OWNER)));
    pTool->hide();
    pTool->show();
    flush();
    note("hide-show", "%s events: %s owner=%s", activation().c_str(), events().c_str(),
         name(GetWindow(hwndOf(pTool), GW_OWNER)));
    pTool->raise();
    flush();
    note("raise", "%s events: %s", activation().c_str(), events().c_str());
    pTool->activateWindow();
    flush();
    note("activate", "%s events: %s", activation().c_str(), events().c_str());
    SetForegroundWindow(browser.hFrame);
    flush();
    note("browser-again", "%s events: %s", activation().c_str(), events().c_str());
    QWidget *pNoFocus = widget("no-focus", kFrameless | Qt::WindowDoesNotAcceptFocus, QRect(400, 400, 100, 100));
    pNoFocus->show();
    pNoFocus->activateWindow();
    flush();
    note("no-focus", "%s events: %s", activation().c_str(), events().c_str());
}
