// Qt windows inside another process's browser window tree: a top-level tool window put in
// with SetParent (as the window host embeds its window) and the geometry Qt and Win32 see
// afterwards, and a window created inside it as an embedded native window.
#include "harness.h"
#include "scenarios.h"

#include "browser.h"

#include <QVariant>
#include <QWindow>

using namespace conf;

namespace {

Browser namedBrowser(const QString &title)
{
    const Browser browser = openBrowser(title, QRect(200, 150, 700, 500));
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

// Created inside the foreign window `parent` with Qt's "_q_embedded_native_parent_handle",
// with a native child "E.c"; shown.
QWidget *embedded(HWND parent)
{
    auto *pEmbedded = new QWidget;
    pEmbedded->setObjectName(QStringLiteral("E"));
    pEmbedded->setAttribute(Qt::WA_NativeWindow);  // the QWindow exists, not yet its native window
    pEmbedded->windowHandle()->setProperty("_q_embedded_native_parent_handle", QVariant::fromValue(WId(parent)));
    pEmbedded->setGeometry(10, 20, 200, 100);
    widget("E.c", Qt::Widget, QRect(5, 6, 50, 40), pEmbedded);
    pEmbedded->show();
    flush();
    nameWindow(hwndOf(pEmbedded), "E");
    return pEmbedded;
}

std::string mapped(const QWidget *pWidget, int x, int y, HWND ref)
{
    return point(pWidget->mapToGlobal(QPoint(x, y)), ref);
}

} // namespace

void reparentScenarios()
{
    scenario("reparent");
    Browser browser = namedBrowser(QStringLiteral("page - key"));
    HWND hFrame = browser.hFrame;
    QWidget *pHost = widget("H", kFrameless, QRect(10, 10, 320, 180));
    QWidget *pVideo = widget("H.video", Qt::Widget, QRect(0, 0, 320, 180), pHost);
    pHost->show();
    flush();
    events();
    note("browser", "frame=%s render=%s children: %s %s", className(hFrame).c_str(),
         className(browser.hRender).c_str(), children(hFrame).c_str(), activation().c_str());
    const HWND hHost = hwndOf(pHost);
    const auto parents = [&] { return std::string("parent=") + name(GetParent(hHost)); };
    SetParent(hHost, hFrame);
    flush();
    note("set-parent", "%s ga-parent=%s root=%s owner=%s %s %s", parents().c_str(), name(GetAncestor(hHost, GA_PARENT)),
         name(GetAncestor(hHost, GA_ROOT)), owner(hHost).c_str(), styles(hHost).c_str(), shown(pHost).c_str());
    note("set-parent-order", "B: %s", children(hFrame).c_str());
    note("set-parent-where", "%s video=%s", where(pHost, hFrame).c_str(), mapped(pVideo, 1, 2, hFrame).c_str());
    note("set-parent-activation", "%s qt-visible=%s", activationEvents().c_str(), yes(pHost->isVisible()));
    SetWindowPos(hHost, HWND_TOP, 0, 0, 0, 0, kStack);
    note("on-top", "B: %s", children(hFrame).c_str());
    // Hidden and shown by Qt while inside; the browser hides and shows again (it is
    // minimised, or its tab is switched).
    steps({{"qt-hide", [&] { pHost->hide(); }}}, [&] { return shown(pHost) + " " + parents(); });
    steps({{"qt-show", [&] { pHost->show(); }}},
          [&] { return shown(pHost) + " " + parents() + " owner=" + owner(hHost) + " " + activationEvents(); });
    steps({{"browser-hidden", [&] { ShowWindow(hFrame, SW_HIDE); }},
           {"browser-shown", [&] { ShowWindow(hFrame, SW_SHOWNA); }}},
          [&] { return shown(pHost); });
    SetParent(hHost, nullptr);
    flush();
    note("detached", "%s %s %s", parents().c_str(), styles(hHost).c_str(), where(pHost, nullptr).c_str());
    note("detached-stack", "%s", stack().c_str());

    // A top-level window re-parented behind Qt's back stays a top-level window for Qt: Qt
    // reads its rectangle on the screen, and the numbers it gives count from the new parent.
    scenario("reparent-geometry");
    browser = namedBrowser(QStringLiteral("page - key"));
    hFrame = browser.hFrame;
    pHost = widget("H", kFrameless, QRect(10, 10, 320, 180));
    pVideo = widget("H.video", Qt::Widget, QRect(5, 6, 100, 80), pHost);
    pHost->show();
    flush();
    const HWND hMoved = hwndOf(pHost);
    const auto inFrame = [&] { return where(pHost, hFrame); };
    steps({{"set-parent", [&] { SetParent(hMoved, hFrame); }}}, inFrame);
    note("set-parent-qt-raw", "%s", rectText(pHost->geometry(), corner()).c_str());
    steps({{"qt-set-geometry", [&] { pHost->setGeometry(20, 30, 300, 160); }}}, inFrame);
    steps({{"move-window", [&] { MoveWindow(hMoved, 40, 50, 280, 150, TRUE); }}},
          [&] { return inFrame() + " video=" + mapped(pVideo, 0, 0, hFrame); });
    steps({{"qt-resize", [&] { pHost->resize(260, 140); }},
           {"swp-move", setPos(hMoved, nullptr, 12, 14, 0, 0, kNoZ | SWP_NOSIZE)}},
          inFrame);
    // The browser moves: the child goes along, Qt hears nothing; then a host lets Qt re-read it.
    RECT rc = {};
    GetWindowRect(hFrame, &rc);
    steps({{"browser-moved", setPos(hFrame, nullptr, rc.left + 50, rc.top + 20, 0, 0, kNoZ | SWP_NOSIZE)}},
          [&] { return inFrame() + " video=" + mapped(pVideo, 0, 0, hFrame); });
    steps({{"qt-move-same", [&] { pHost->move(pHost->pos()); }}}, inFrame);
    // Into the render child instead, then out to the screen.
    steps({{"to-render", [&] { SetParent(hMoved, browser.hRender); }}},
          [&] { return std::string("parent=") + name(GetParent(hMoved)) + " " + where(pHost, browser.hRender); });
    steps({{"to-desktop", [&] { SetParent(hMoved, nullptr); }},
           {"qt-set-geometry-top-level", [&] { pHost->setGeometry(100, 110, 200, 100); }}},
          [&] { return where(pHost, nullptr); });

    // The browser goes (closed by its own process) with Qt windows inside.
    scenario("parent-destroyed");
    hFrame = namedBrowser(QStringLiteral("page")).hFrame;
    auto *pDetacher = new DestroyWatcher(true);
    auto *pStayer = new DestroyWatcher(false);
    pDetacher->setGeometry(10, 10, 200, 100);
    pStayer->setGeometry(10, 200, 200, 100);
    const HWND hDetacher = hwndOf(pDetacher), hStayer = hwndOf(pStayer);
    nameWindow(hDetacher, "D");
    nameWindow(hStayer, "S");
    pDetacher->show();
    pStayer->show();
    flush();
    SetParent(hDetacher, hFrame);
    SetParent(hStayer, hFrame);
    flush();
    closeBrowsers();
    flush();
    note("closed", "D: destroys=%d alive=%s parent=%s visible=%s qt-visible=%s exposed=%s", pDetacher->m_iDestroys,
         yes(IsWindow(hDetacher)), name(GetAncestor(hDetacher, GA_PARENT)), yes(IsWindowVisible(hDetacher)),
         yes(pDetacher->isVisible()), yes(pDetacher->windowHandle()->isExposed()));
    note("closed-stayer", "S: destroys=%d alive=%s qt-visible=%s exposed=%s", pStayer->m_iDestroys,
         yes(IsWindow(hStayer)), yes(pStayer->isVisible()), yes(pStayer->windowHandle()->isExposed()));
    pDetacher->show();
    pStayer->setGeometry(20, 30, 100, 50);  // Qt's requests on the dead handle come to nothing
    pStayer->hide();
    flush();
    note("after", "D: same=%s %s %s S: alive=%s", yes(hwndOf(pDetacher) == hDetacher), shown(pDetacher).c_str(),
         stack().c_str(), yes(IsWindow(hStayer)));
    delete pStayer;
    delete pDetacher;
    flush();
    note("deleted", "D-alive=%s", yes(IsWindow(hDetacher)));

    // Created inside the foreign window: Qt's "_q_embedded_native_parent_handle".
    scenario("embedded");
    const HWND hRender = namedBrowser(QStringLiteral("page")).hRender;
    QWidget *pEmbedded = embedded(hRender);
    QWidget *pChild = pEmbedded->findChild<QWidget *>();
    HWND hEmbedded = hwndOf(pEmbedded);
    note("created", "class=%s %s parent=%s root=%s", className(hEmbedded).c_str(), styles(hEmbedded).c_str(),
         name(GetParent(hEmbedded)), name(GetAncestor(hEmbedded, GA_ROOT)));
    note("where", "%s child-map=%s child=%s", where(pEmbedded, hRender).c_str(), mapped(pChild, 1, 2, hRender).c_str(),
         clientArea(hwndOf(pChild), corner(hRender)).c_str());
    note("qt-raw", "%s", rectText(pEmbedded->geometry()).c_str());
    steps({{"qt-set-geometry", [&] { pEmbedded->setGeometry(30, 40, 220, 120); }},
           {"move-window", [&] { MoveWindow(hEmbedded, 50, 60, 240, 130, TRUE); }}},
          [&] { return where(pEmbedded, hRender); });
    note("order", "B.render: %s", children(hRender).c_str());
    steps({{"qt-hide", [&] { pEmbedded->hide(); }}}, [&] { return shown(pEmbedded); });
    steps({{"deleted", [&] { delete pEmbedded; }}}, [&] { return "B.render: " + children(hRender); });

    // Activation of an embedded window follows the foreign top-level window and the focus.
    scenario("embedded-focus");
    hFrame = namedBrowser(QStringLiteral("page")).hFrame;
    note("browser", "%s", activation().c_str());
    QWidget *pOther = widget("other-qt", Qt::Window, QRect(100, 500, 200, 100));
    steps({{"other-qt-shown", [&] { pOther->show(); }}, {"shown", [&] { pEmbedded = embedded(hFrame); }}},
          activationEvents);
    pChild = pEmbedded->findChild<QWidget *>();
    hEmbedded = hwndOf(pEmbedded);
    const auto active = [&] { return std::string(" E-active=") + yes(pEmbedded->isActiveWindow()); };
    steps({{"browser-foreground", [&] { SetForegroundWindow(hFrame); }}},
          [&] { return activation() + active() + " E-window-active=" + yes(pEmbedded->windowHandle()->isActive()) +
                       " events: " + events(); });
    const auto focused = [&] { return std::string("focus=") + name(GetFocus()) + " " + activationEvents(); };
    steps({{"focus-E", [&] { SetFocus(hEmbedded); }}, {"focus-E.c", [&] { SetFocus(hwndOf(pChild)); }}}, focused);
    steps({{"other-qt", [&] { pOther->activateWindow(); }}},
          [&] { return activation() + active() + " events: " + events(); });
    steps({{"activate-E.c", [&] { pChild->activateWindow(); }}}, focused);
    steps({{"deleted", [&] { delete pEmbedded; }}}, activationEvents);
}
