// Qt windows as native windows: the class, style bits, title, parent and owner that winId()
// shows for each kind of Qt window, native children, and the owners Qt gives tool windows.
#include "harness.h"
#include "scenarios.h"

#include <QWindow>

using namespace conf;

namespace {

void describe(const char *pszKey, HWND h)
{
    note(pszKey, "class=%s %s title=%s parent=%s owner=%s", className(h).c_str(), styles(h).c_str(),
         title(h).c_str(), name(GetParent(h)), owner(h).c_str());
}

} // namespace

void windowScenarios()
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
        {"own-dc", Qt::Window | Qt::MSWindowsOwnDC, QRect(600, 460, 100, 100), false},
    };
    describe("W", hwndOf(pMain));
    HWND hTool = nullptr;
    for (const auto &kind : kinds) {
        const HWND h = hwndOf(widget(kind.pszRole, kind.flags, kind.rc, kind.bOwned ? pMain : nullptr));
        describe(kind.pszRole, h);
        hTool = hTool ? hTool : h;
    }
    auto *pTitled = new QWidget;
    pTitled->setWindowTitle(QStringLiteral("Titled \u00e9"));
    note("titled", "%s", title(hwndOf(pTitled)).c_str());
    pTitled->setWindowTitle(QStringLiteral("Renamed"));
    note("renamed", "%s", title(hwndOf(pTitled)).c_str());
    delete pTitled;
    // The client area is where Qt was asked to put it, whatever the frame.
    note("client", "W=%s tool=%s", clientArea(hwndOf(pMain), corner()).c_str(), windowRect(hTool, corner()).c_str());

    scenario("children");
    pMain = widget("W", Qt::Window, QRect(100, 100, 300, 200));
    QWidget *pChild = widget("W.c", Qt::Widget, QRect(10, 20, 50, 40), pMain);
    QWidget *pGrandChild = widget("W.c.g", Qt::Widget, QRect(5, 6, 20, 10), pChild);
    auto *pAlien = new QWidget(pMain);  // no native window of its own
    pAlien->setGeometry(70, 20, 50, 40);
    describe("child", hwndOf(pChild));
    describe("grandchild", hwndOf(pGrandChild));
    const HWND hMain = hwndOf(pMain);
    note("native-children", "W=%s alien-is-native=%s", name(GetWindow(hMain, GW_CHILD)),
         yes(pAlien->internalWinId() != 0));
    pMain->show();
    flush();
    const POINT o = corner(hMain);
    note("shown", "W=%s W.c=%s W.c.g=%s visible=%s", clientArea(hMain, corner()).c_str(),
         clientArea(hwndOf(pChild), o).c_str(), clientArea(hwndOf(pGrandChild), o).c_str(),
         yes(IsWindowVisible(hwndOf(pGrandChild))));
    note("map", "W.c(1,2)=%s W.c.g(1,2)=%s", point(pChild->mapToGlobal(QPoint(1, 2)), hMain).c_str(),
         point(pGrandChild->mapToGlobal(QPoint(1, 2)), hMain).c_str());
    // Moved and hidden by Qt, then by Win32.
    pChild->setGeometry(30, 40, 60, 50);
    pGrandChild->hide();
    flush();
    note("qt-moved", "W.c=%s W.c.g-visible=%s", clientArea(hwndOf(pChild), o).c_str(),
         yes(IsWindowVisible(hwndOf(pGrandChild))));
    SetWindowPos(hwndOf(pChild), nullptr, 15, 25, 70, 45, kNoZ);
    flush();
    note("native-moved", "qt=%s", rectText(pChild->geometry()).c_str());
    // Qt's own re-parenting moves the same native window.
    const HWND hChild = hwndOf(pChild);
    pChild->setParent(nullptr);
    pChild->setWindowFlags(kFrameless);
    note("to-top-level", "same=%s parent=%s %s", yes(hwndOf(pChild) == hChild), name(GetParent(hwndOf(pChild))),
         styles(hwndOf(pChild)).c_str());
    delete pChild;

    scenario("owners");
    pMain = widget("W", Qt::Window, QRect(100, 100, 300, 200));
    QWidget *pTool = widget("tool", kFrameless, QRect(400, 100, 160, 90));
    QWidget *pOwned = widget("W.tool", kFrameless, QRect(420, 120, 160, 90), pMain);
    hTool = hwndOf(pTool);
    const HWND hOwned = hwndOf(pOwned);
    const auto owners = [&] { return "tool=" + owner(hTool) + " W.tool=" + owner(hOwned); };
    note("created", "%s", owners().c_str());
    // An owner given behind Qt's back lasts until Qt shows the window again.
    for (QWidget *pWidget : {pMain, pTool, pOwned})
        pWidget->show();
    flush();
    const auto showBoth = [&](bool bShow) {
        pTool->setVisible(bShow);
        pOwned->setVisible(bShow);
    };
    steps({{"set-behind",
            [&] {
                SetWindowLongPtrW(hTool, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hwndOf(pMain)));
                SetWindowLongPtrW(hOwned, GWLP_HWNDPARENT, 0);
            }},
           {"hidden", [&] { showBoth(false); }},
           {"shown-again", [&] { showBoth(true); }}},
          owners);
    // A transient parent set later, and one that goes first: the owned window lives on,
    // without an owner.
    QWidget *pOther = widget("other", Qt::Window, QRect(100, 400, 200, 100));
    const auto showAgain = [&](QWidget *pParent) {
        pTool->windowHandle()->setTransientParent(pParent->windowHandle());
        pTool->hide();
        pTool->show();
    };
    steps({{"transient-set", [&] { pTool->windowHandle()->setTransientParent(pMain->windowHandle()); }},
           {"transient-shown", [&] { showAgain(pMain); }},
           {"before-owner-goes", [&] { showAgain(pOther); }}},
          [&] { return "tool=" + owner(hTool); });
    delete pOther;
    flush();
    note("owner-gone", "tool-alive=%s owner=%s visible=%s", yes(IsWindow(hTool)), owner(hTool).c_str(),
         yes(IsWindowVisible(hTool)));
}
