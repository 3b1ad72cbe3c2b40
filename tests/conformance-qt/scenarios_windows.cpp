// Qt windows as native windows: the class, style bits, title, parent and owner that winId()
// shows for each kind of Qt window, native children, and the owners Qt gives tool windows.
#include "scenarios.h"
#include "transcript.h"

#include <QApplication>
#include <QWindow>

using namespace qconf;

namespace {

const Qt::WindowFlags kFrameless = Qt::Tool | Qt::FramelessWindowHint;

void describe(const char *pszKey, HWND h)
{
    note(pszKey, "class=%s %s title=%s parent=%s owner=%s", className(h).c_str(), styles(h).c_str(),
         title(h).c_str(), name(GetParent(h)), name(GetWindow(h, GW_OWNER)));
}

} // namespace

void scenarioNativeWindows()
{
    scenario("native");
    QWidget *pMain = widget("W", Qt::Window, QRect(100, 100, 300, 200));
    const struct
    {
        const char *pszRole;
        Qt::WindowFlags flags;
        QRect rc;
        bool bOwned;
    } kinds[] = {
        {"tool", kFrameless, QRect(400, 100, 160, 90), false},
        {"tool-framed", Qt::Tool, QRect(400, 220, 160, 90), false},
        {"W.tool", kFrameless, QRect(420, 120, 160, 90), true},
        {"W.dialog", Qt::Dialog, QRect(140, 140, 200, 100), true},
        {"popup", Qt::Popup, QRect(200, 300, 120, 80), false},
        {"tooltip", Qt::ToolTip, QRect(220, 320, 120, 20), false},
        {"splash", Qt::SplashScreen, QRect(240, 340, 120, 80), false},
        {"on-top", kFrameless | Qt::WindowStaysOnTopHint, QRect(600, 100, 100, 100), false},
        {"no-focus", kFrameless | Qt::WindowDoesNotAcceptFocus, QRect(600, 220, 100, 100), false},
        {"fixed-dialog", Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint, QRect(600, 340, 100, 100), false},
    };
    describe("W", hwndOf(pMain));
    QWidget *pTool = nullptr;
    for (const auto &kind : kinds) {
        QWidget *pWidget = widget(kind.pszRole, kind.flags, kind.rc, kind.bOwned ? pMain : nullptr);
        describe(kind.pszRole, hwndOf(pWidget));
        if (!pTool)
            pTool = pWidget;
    }
    QWidget *pTitled = new QWidget;
    pTitled->setObjectName(QStringLiteral("titled"));
    pTitled->setWindowTitle(QStringLiteral("Titled \u00e9"));
    note("titled", "%s", title(hwndOf(pTitled)).c_str());
    pTitled->setWindowTitle(QStringLiteral("Renamed"));
    note("renamed", "%s", title(hwndOf(pTitled)).c_str());
    delete pTitled;
    // The client area is where Qt was asked to put it, whatever the frame.
    note("client", "W=%s tool=%s", clientRect(hwndOf(pMain)).c_str(),
         windowRect(hwndOf(pTool)).c_str());
}

void scenarioChildWindows()
{
    scenario("children");
    QWidget *pMain = widget("W", Qt::Window, QRect(100, 100, 300, 200));
    QWidget *pChild = widget("W.c", Qt::Widget, QRect(10, 20, 50, 40), pMain);
    QWidget *pGrandChild = widget("W.c.g", Qt::Widget, QRect(5, 6, 20, 10), pChild);
    auto *pAlien = new QWidget(pMain);   // no native window of its own
    pAlien->setGeometry(70, 20, 50, 40);
    describe("child", hwndOf(pChild));
    describe("grandchild", hwndOf(pGrandChild));
    note("native-children", "W=%s alien-is-native=%s", name(GetWindow(hwndOf(pMain), GW_CHILD)),
         yes(pAlien->internalWinId() != 0));
    pMain->show();
    flush();
    const HWND hMain = hwndOf(pMain);
    note("shown", "W=%s W.c=%s W.c.g=%s visible=%s", clientRect(hMain).c_str(),
         clientRect(hwndOf(pChild), hMain).c_str(), clientRect(hwndOf(pGrandChild), hMain).c_str(),
         yes(IsWindowVisible(hwndOf(pGrandChild))));
    note("map", "W.c(1,2)=%s W.c.g(1,2)=%s", point(pChild->mapToGlobal(QPoint(1, 2)), hMain).c_str(),
         point(pGrandChild->mapToGlobal(QPoint(1, 2)), hMain).c_str());

    // Moved and hidden by Qt, then by Win32.
    pChild->setGeometry(30, 40, 60, 50);
    pGrandChild->hide();
    flush();
    note("qt-moved", "W.c=%s W.c.g-visible=%s", clientRect(hwndOf(pChild), hMain).c_str(),
         yes(IsWindowVisible(hwndOf(pGrandChild))));
    SetWindowPos(hwndOf(pChild), nullptr, 15, 25, 70, 45, SWP_NOZORDER | SWP_NOACTIVATE);
    flush();
    note("native-moved", "qt=%s", rectText(pChild->geometry()).c_str());

    // Qt's own re-parenting moves the same native window.
    const HWND hChild = hwndOf(pChild);
    pChild->setParent(nullptr);
    pChild->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    note("to-top-level", "same=%s parent=%s %s", yes(hwndOf(pChild) == hChild), name(GetParent(hwndOf(pChild))),
         styles(hwndOf(pChild)).c_str());
    delete pChild;
}

void scenarioToolOwners()
{
    scenario("owners");
    QWidget *pMain = widget("W", Qt::Window, QRect(100, 100, 300, 200));
    QWidget *pTool = widget("tool", kFrameless, QRect(400, 100, 160, 90));
    QWidget *pOwned = widget("W.tool", kFrameless, QRect(420, 120, 160, 90), pMain);
    const HWND hMain = hwndOf(pMain);
    const HWND hTool = hwndOf(pTool);
    const HWND hOwned = hwndOf(pOwned);
    note("created", "tool=%s W.tool=%s", name(GetWindow(hTool, GW_OWNER)), name(GetWindow(hOwned, GW_OWNER)));

    // An owner given behind Qt's back lasts until Qt shows the window again.
    pMain->show();
    pTool->show();
    pOwned->show();
    flush();
    SetWindowLongPtrW(hTool, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hMain));
    SetWindowLongPtrW(hOwned, GWLP_HWNDPARENT, 0);
    note("set-behind", "tool=%s W.tool=%s", name(GetWindow(hTool, GW_OWNER)), name(GetWindow(hOwned, GW_OWNER)));
    pTool->hide();
    pOwned->hide();
    flush();
    note("hidden", "tool=%s W.tool=%s", name(GetWindow(hTool, GW_OWNER)), name(GetWindow(hOwned, GW_OWNER)));
    pTool->show();
    pOwned->show();
    flush();
    note("shown-again", "tool=%s W.tool=%s", name(GetWindow(hTool, GW_OWNER)), name(GetWindow(hOwned, GW_OWNER)));

    // A transient parent set later, and one that goes first.
    pTool->windowHandle()->setTransientParent(pMain->windowHandle());
    note("transient-set", "tool=%s", name(GetWindow(hTool, GW_OWNER)));
    pTool->hide();
    pTool->show();
    flush();
    note("transient-shown", "tool=%s", name(GetWindow(hTool, GW_OWNER)));
    // The owner going first leaves the owned window alive, without an owner.
    QWidget *pOther = widget("other", Qt::Window, QRect(100, 400, 200, 100));
    pTool->windowHandle()->setTransientParent(pOther->windowHandle());
    pTool->hide();
    pTool->show();
    flush();
    note("before-owner-goes", "tool=%s", name(GetWindow(hTool, GW_OWNER)));
    delete pOther;
    flush();
    note("owner-gone", "tool-alive=%s owner=%s visible=%s", yes(IsWindow(hTool)), name(GetWindow(hTool, GW_OWNER)),
         yes(IsWindowVisible(hTool)));
}
