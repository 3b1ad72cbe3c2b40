// Qt windows inside another process's browser window tree: a top-level tool window put in
// with SetParent (as the window host embeds its window) and the geometry Qt and Win32 see
// afterwards, and a window created inside it as an embedded native window.
#include "scenarios.h"
#include "transcript.h"

#include "browser.h"

#include <QVariant>
#include <QWindow>

using namespace qconf;

namespace {

const Qt::WindowFlags kFrameless = Qt::Tool | Qt::FramelessWindowHint;

Browser nameBrowser(const Browser &browser)
{
    nameWindow(browser.hFrame, "B");
    nameWindow(browser.hCompositor, "B.d3d");
    nameWindow(browser.hRender, "B.render");
    return browser;
}

// Sees WM_DESTROY in nativeEvent; a detacher leaves the tree being destroyed and hides, as
// the window host does.
class DestroyWatcher : public QWidget
{
public:
    explicit DestroyWatcher(bool bDetach) : QWidget(nullptr, kFrameless), m_bDetach(bDetach) {}
    int m_iDestroys = 0;

protected:
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override
    {
        const MSG *pMsg = static_cast<const MSG *>(message);
        if (eventType == "windows_generic_MSG" && pMsg->message == WM_DESTROY) {
            ++m_iDestroys;
            if (m_bDetach) {
                SetParent(pMsg->hwnd, nullptr);
                hide();
            }
        }
        return QWidget::nativeEvent(eventType, message, result);
    }

private:
    bool m_bDetach;
};

std::string children(HWND hParent)
{
    std::string strOut;
    for (HWND h = GetWindow(hParent, GW_CHILD); h && strOut.size() < 200; h = GetWindow(h, GW_HWNDNEXT))
        strOut += std::string(strOut.empty() ? "" : " ") + name(h);
    return strOut.empty() ? "none" : strOut;
}

// Where the window is, as Win32 and as Qt see it, counted from `ref`'s client corner.
std::string where(const QWidget *pWidget, HWND ref)
{
    return "rect=" + windowRect(hwndOf(pWidget), ref) + " qt=" + qtGeometry(pWidget, ref) + " map=" +
           point(pWidget->mapToGlobal(QPoint(0, 0)), ref);
}

} // namespace

void scenarioReparent()
{
    scenario("reparent");
    const Browser browser = nameBrowser(openBrowser(QStringLiteral("page - key"), QRect(200, 150, 700, 500)));
    QWidget *pHost = widget("H", kFrameless, QRect(10, 10, 320, 180));
    QWidget *pVideo = widget("H.video", Qt::Widget, QRect(0, 0, 320, 180), pHost);
    pHost->show();
    flush();
    events();
    note("browser", "frame=%s render=%s children: %s %s", className(browser.hFrame).c_str(),
         className(browser.hRender).c_str(), children(browser.hFrame).c_str(), activation().c_str());

    const HWND hHost = hwndOf(pHost);
    SetParent(hHost, browser.hFrame);
    flush();
    note("set-parent", "parent=%s ga-parent=%s root=%s owner=%s %s visible=%s exposed=%s", name(GetParent(hHost)),
         name(GetAncestor(hHost, GA_PARENT)), name(GetAncestor(hHost, GA_ROOT)), name(GetWindow(hHost, GW_OWNER)),
         styles(hHost).c_str(), yes(IsWindowVisible(hHost)), yes(pHost->windowHandle()->isExposed()));
    note("set-parent-order", "B: %s", children(browser.hFrame).c_str());
    note("set-parent-where", "%s video=%s", where(pHost, browser.hFrame).c_str(),
         point(pVideo->mapToGlobal(QPoint(1, 2)), browser.hFrame).c_str());
    note("set-parent-activation", "%s events: %s qt-visible=%s", activation().c_str(), events().c_str(),
         yes(pHost->isVisible()));
    SetWindowPos(hHost, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    note("on-top", "B: %s", children(browser.hFrame).c_str());

    // Hidden and shown by Qt while inside.
    pHost->hide();
    flush();
    note("qt-hide", "visible=%s exposed=%s parent=%s", yes(IsWindowVisible(hHost)),
         yes(pHost->windowHandle()->isExposed()), name(GetParent(hHost)));
    pHost->show();
    flush();
    note("qt-show", "visible=%s exposed=%s parent=%s owner=%s %s events: %s", yes(IsWindowVisible(hHost)),
         yes(pHost->windowHandle()->isExposed()), name(GetParent(hHost)), name(GetWindow(hHost, GW_OWNER)),
         activation().c_str(), events().c_str());
    // The browser hides and shows again (it is minimised, or its tab is switched).
    ShowWindow(browser.hFrame, SW_HIDE);
    flush();
    note("browser-hidden", "visible=%s exposed=%s", yes(IsWindowVisible(hHost)), yes(pHost->windowHandle()->isExposed()));
    ShowWindow(browser.hFrame, SW_SHOWNA);
    flush();
    note("browser-shown", "visible=%s exposed=%s", yes(IsWindowVisible(hHost)), yes(pHost->windowHandle()->isExposed()));

    // Out again.
    SetParent(hHost, nullptr);
    flush();
    note("detached", "parent=%s %s %s", name(GetParent(hHost)), styles(hHost).c_str(), where(pHost, nullptr).c_str());
    note("detached-stack", "%s", stack().c_str());
}

// A top-level window re-parented behind Qt's back stays a top-level window for Qt: Qt reads
// its rectangle on the screen, and the numbers it gives count from the new parent.
void scenarioReparentedGeometry()
{
    scenario("reparent-geometry");
    const Browser browser = nameBrowser(openBrowser(QStringLiteral("page - key"), QRect(200, 150, 700, 500)));
    QWidget *pHost = widget("H", kFrameless, QRect(10, 10, 320, 180));
    QWidget *pVideo = widget("H.video", Qt::Widget, QRect(5, 6, 100, 80), pHost);
    pHost->show();
    flush();
    const HWND hHost = hwndOf(pHost);
    const HWND hFrame = browser.hFrame;
    SetParent(hHost, hFrame);
    flush();
    note("set-parent", "%s", where(pHost, hFrame).c_str());
    note("set-parent-qt-raw", "%s", rectText(pHost->geometry().translated(-clientCorner(nullptr))).c_str());
    pHost->setGeometry(20, 30, 300, 160);
    flush();
    note("qt-set-geometry", "%s", where(pHost, hFrame).c_str());
    MoveWindow(hHost, 40, 50, 280, 150, TRUE);
    flush();
    note("move-window", "%s video=%s", where(pHost, hFrame).c_str(),
         point(pVideo->mapToGlobal(QPoint(0, 0)), hFrame).c_str());
    pHost->resize(260, 140);
    flush();
    note("qt-resize", "%s", where(pHost, hFrame).c_str());
    SetWindowPos(hHost, nullptr, 12, 14, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    flush();
    note("swp-move", "%s", where(pHost, hFrame).c_str());

    // The browser moves: the child goes along, Qt hears nothing.
    RECT rc = {};
    GetWindowRect(hFrame, &rc);
    SetWindowPos(hFrame, nullptr, rc.left + 50, rc.top + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    flush();
    note("browser-moved", "%s video=%s", where(pHost, hFrame).c_str(),
         point(pVideo->mapToGlobal(QPoint(0, 0)), hFrame).c_str());
    pHost->move(pHost->pos());   // what a host does to let Qt re-read it
    flush();
    note("qt-move-same", "%s", where(pHost, hFrame).c_str());

    // Into the render child instead, then out to the screen.
    SetParent(hHost, browser.hRender);
    flush();
    note("to-render", "parent=%s %s", name(GetParent(hHost)), where(pHost, browser.hRender).c_str());
    SetParent(hHost, nullptr);
    flush();
    note("to-desktop", "%s", where(pHost, nullptr).c_str());
    pHost->setGeometry(100, 110, 200, 100);
    flush();
    note("qt-set-geometry-top-level", "%s", where(pHost, nullptr).c_str());
}

// The browser goes (closed by its own process) with Qt windows inside.
void scenarioParentDestroyed()
{
    scenario("parent-destroyed");
    const Browser browser = nameBrowser(openBrowser(QStringLiteral("page"), QRect(200, 150, 700, 500)));
    auto *pDetacher = new DestroyWatcher(true);
    auto *pStayer = new DestroyWatcher(false);
    pDetacher->setGeometry(10, 10, 200, 100);
    pStayer->setGeometry(10, 200, 200, 100);
    const HWND hDetacher = hwndOf(pDetacher);
    const HWND hStayer = hwndOf(pStayer);
    nameWindow(hDetacher, "D");
    nameWindow(hStayer, "S");
    pDetacher->show();
    pStayer->show();
    flush();
    SetParent(hDetacher, browser.hFrame);
    SetParent(hStayer, browser.hFrame);
    flush();
    closeBrowsers();
    flush();
    note("closed", "D: destroys=%d alive=%s parent=%s visible=%s qt-visible=%s exposed=%s", pDetacher->m_iDestroys,
         yes(IsWindow(hDetacher)), name(GetAncestor(hDetacher, GA_PARENT)), yes(IsWindowVisible(hDetacher)),
         yes(pDetacher->isVisible()), yes(pDetacher->windowHandle()->isExposed()));
    note("closed-stayer", "S: destroys=%d alive=%s qt-visible=%s exposed=%s", pStayer->m_iDestroys,
         yes(IsWindow(hStayer)), yes(pStayer->isVisible()), yes(pStayer->windowHandle()->isExposed()));
    pDetacher->show();
    pStayer->setGeometry(20, 30, 100, 50);   // Qt's requests on the dead handle come to nothing
    pStayer->hide();
    flush();
    note("after", "D: same=%s visible=%s exposed=%s %s S: alive=%s", yes(hwndOf(pDetacher) == hDetacher),
         yes(IsWindowVisible(hDetacher)), yes(pDetacher->windowHandle()->isExposed()), stack().c_str(),
         yes(IsWindow(hStayer)));
    delete pStayer;
    delete pDetacher;
    flush();
    note("deleted", "D-alive=%s", yes(IsWindow(hDetacher)));
}

// Created inside the foreign window: Qt's "_q_embedded_native_parent_handle".
void scenarioEmbedded()
{
    scenario("embedded");
    const Browser browser = nameBrowser(openBrowser(QStringLiteral("page"), QRect(200, 150, 700, 500)));
    auto *pEmbedded = new QWidget;
    pEmbedded->setObjectName(QStringLiteral("E"));
    pEmbedded->setAttribute(Qt::WA_NativeWindow);   // the QWindow exists, not yet its native window
    pEmbedded->windowHandle()->setProperty("_q_embedded_native_parent_handle",
                                           QVariant::fromValue(WId(browser.hRender)));
    pEmbedded->setGeometry(10, 20, 200, 100);
    QWidget *pChild = widget("E.c", Qt::Widget, QRect(5, 6, 50, 40), pEmbedded);
    pEmbedded->show();
    flush();
    const HWND hEmbedded = hwndOf(pEmbedded);
    nameWindow(hEmbedded, "E");
    note("created", "class=%s %s parent=%s root=%s", className(hEmbedded).c_str(), styles(hEmbedded).c_str(),
         name(GetParent(hEmbedded)), name(GetAncestor(hEmbedded, GA_ROOT)));
    note("where", "%s child-map=%s child=%s", where(pEmbedded, browser.hRender).c_str(),
         point(pChild->mapToGlobal(QPoint(1, 2)), browser.hRender).c_str(),
         clientRect(hwndOf(pChild), browser.hRender).c_str());
    note("qt-raw", "%s", rectText(pEmbedded->geometry()).c_str());
    pEmbedded->setGeometry(30, 40, 220, 120);
    flush();
    note("qt-set-geometry", "%s", where(pEmbedded, browser.hRender).c_str());
    MoveWindow(hEmbedded, 50, 60, 240, 130, TRUE);
    flush();
    note("move-window", "%s", where(pEmbedded, browser.hRender).c_str());
    note("order", "B.render: %s", children(browser.hRender).c_str());
    pEmbedded->hide();
    flush();
    note("qt-hide", "visible=%s exposed=%s", yes(IsWindowVisible(hEmbedded)),
         yes(pEmbedded->windowHandle()->isExposed()));
    delete pEmbedded;
    flush();
    note("deleted", "B.render: %s", children(browser.hRender).c_str());
}

// Activation of an embedded window follows the foreign top-level window and the focus.
void scenarioEmbeddedFocus()
{
    scenario("embedded-focus");
    const Browser browser = nameBrowser(openBrowser(QStringLiteral("page"), QRect(200, 150, 700, 500)));
    note("browser", "%s", activation().c_str());
    QWidget *pOther = widget("other-qt", Qt::Window, QRect(100, 500, 200, 100));
    pOther->show();
    flush();
    note("other-qt-shown", "%s events: %s", activation().c_str(), events().c_str());
    auto *pEmbedded = new QWidget;
    pEmbedded->setObjectName(QStringLiteral("E"));
    pEmbedded->setAttribute(Qt::WA_NativeWindow);
    pEmbedded->windowHandle()->setProperty("_q_embedded_native_parent_handle",
                                           QVariant::fromValue(WId(browser.hFrame)));
    pEmbedded->setGeometry(10, 20, 200, 100);
    QWidget *pChild = widget("E.c", Qt::Widget, QRect(5, 6, 50, 40), pEmbedded);
    pEmbedded->show();
    flush();
    const HWND hEmbedded = hwndOf(pEmbedded);
    nameWindow(hEmbedded, "E");
    note("shown", "%s events: %s", activation().c_str(), events().c_str());
    SetForegroundWindow(browser.hFrame);
    flush();
    note("browser-foreground", "%s E-active=%s E-window-active=%s events: %s", activation().c_str(),
         yes(pEmbedded->isActiveWindow()), yes(pEmbedded->windowHandle()->isActive()), events().c_str());
    SetFocus(hEmbedded);
    flush();
    note("focus-E", "focus=%s %s events: %s", name(GetFocus()), activation().c_str(), events().c_str());
    SetFocus(hwndOf(pChild));
    flush();
    note("focus-E.c", "focus=%s %s events: %s", name(GetFocus()), activation().c_str(), events().c_str());
    pOther->activateWindow();
    flush();
    note("other-qt", "%s E-active=%s events: %s", activation().c_str(), yes(pEmbedded->isActiveWindow()),
         events().c_str());
    pChild->activateWindow();
    flush();
    note("activate-E.c", "focus=%s %s events: %s", name(GetFocus()), activation().c_str(), events().c_str());
    delete pEmbedded;
    flush();
    note("deleted", "%s events: %s", activation().c_str(), events().c_str());
}
