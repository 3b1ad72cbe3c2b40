// What the desktop reports about a Qt window, forwarded to Qt as a window system does.
#include "Win32SimIntegration.h"
#include "Win32SimWindow.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QStyleHints>
#include <QThread>
#include <QVector>
#include <QWindow>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qwindowsysteminterface.h>

#include <windows.h>

namespace {
QPointer<QWindow> g_pLastActive;      // the window Qt was last told is active
QPoint g_ptLastMouse;                  // screen position of the last mouse message
ulong g_ulMouseTime = 0;               // event time of the last mouse message
ulong g_ulPressTime = 0;               // event time of the last button press

bool onGuiThread()
{
    const QCoreApplication *pApp = QCoreApplication::instance();
    return pApp && QThread::currentThread() == pApp->thread();
}

QPoint pointFromLParam(LPARAM lParam)
{
    return QPoint(short(LOWORD(lParam)), short(HIWORD(lParam)));
}

// The desktop decides what is a double click (WM_LBUTTONDBLCLK); Qt decides by the time
// between presses. Event times are spaced so that both agree.
ulong mouseTime(UINT message)
{
    const ulong ulInterval = ulong(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    ulong ulTime = qMax(ulong(GetTickCount()), g_ulMouseTime + 1);
    if (message == WM_LBUTTONDBLCLK)
        ulTime = g_ulPressTime + 1;
    else if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)
        ulTime = qMax(ulTime, g_ulPressTime + ulInterval + 1);
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_LBUTTONDBLCLK)
        g_ulPressTime = ulTime;
    g_ulMouseTime = qMax(g_ulMouseTime, ulTime);
    return ulTime;
}

BOOL CALLBACK collectChild(HWND hwnd, LPARAM lParam)
{
    reinterpret_cast<QVector<HWND> *>(lParam)->append(hwnd);
    return TRUE;
}
} // namespace

LRESULT CALLBACK Win32SimWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Win32SimWindow *pWindow = fromHwnd(hwnd);
    if (!pWindow && (message == WM_NCCREATE || message == WM_CREATE) && lParam) {
        // Only our own CreateWindowExW hands over a platform window.
        auto *pCreate = reinterpret_cast<const CREATESTRUCTW *>(lParam);
        if (s_pCreating && pCreate->lpCreateParams == s_pCreating) {
            pWindow = s_pCreating;
            pWindow->attach(hwnd);
        }
    }
    if (!pWindow)
        return DefWindowProcW(hwnd, message, wParam, lParam);

    if (!onGuiThread()) {
        // Qt can only be told on its own thread; keep the handle's fate, drop the rest.
        if (message == WM_NCDESTROY)
            pWindow->m_bDead = true;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    // Every message first goes to the native event filters and to nativeEvent
    // (eventType "windows_generic_MSG"), there and then, so that a widget sees
    // WM_DESTROY while the desktop is destroying.
    if (!pWindow->m_bDestroying) {
        MSG msg = {hwnd, message, wParam, lParam, GetTickCount(), {g_ptLastMouse.x(), g_ptLastMouse.y()}};
        long lResult = 0;
        const QByteArray eventType = QByteArrayLiteral("windows_generic_MSG");
        QAbstractEventDispatcher *pDispatcher = QAbstractEventDispatcher::instance();
        bool bAccepted = pDispatcher && pDispatcher->filterNativeEvent(eventType, &msg, &lResult);
        if (!bAccepted && (pWindow = fromHwnd(hwnd)))
            bAccepted = QWindowSystemInterface::handleNativeEvent(pWindow->window(), eventType, &msg, &lResult);
        // A handler may have deleted the window.
        pWindow = fromHwnd(hwnd);
        if (bAccepted) {
            if (pWindow && message == WM_NCDESTROY)
                pWindow->handleDestroyed();
            return LRESULT(lResult);
        }
        if (!pWindow)
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return pWindow->handleMessage(message, wParam, lParam);
}

LRESULT Win32SimWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_WINDOWPOSCHANGING:
        // Qt's Windows platform decides here, whenever the z-order changes, whether a window
        // without a Qt parent is embedded: after a native SetParent it is, and it then maps
        // its points through the desktop.
        if (!m_bCreating && lParam && !(reinterpret_cast<const WINDOWPOS *>(lParam)->flags & SWP_NOZORDER)) {
            const HWND hParent = GetAncestor(m_hWnd, GA_PARENT);
            m_bEmbedded = !window()->parent() && hParent && hParent != GetDesktopWindow();
        }
        break;
    case WM_WINDOWPOSCHANGED:
    case WM_MOVE:
    case WM_SIZE:
        if (!m_bCreating)
            syncGeometry(false);
        if (message == WM_WINDOWPOSCHANGED && lParam) {
            const UINT uFlags = reinterpret_cast<const WINDOWPOS *>(lParam)->flags;
            if (uFlags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
                updateExposureTree(nullptr, false);
        }
        break;
    case WM_SHOWWINDOW:
        // Sent before the change: the new state of this window comes with the message.
        updateExposureTree(m_hWnd, wParam != 0);
        break;
    case WM_ACTIVATE:
        // Without the default handling no focus comes, so Qt hears of no activation.
        if (window()->flags() & Qt::WindowDoesNotAcceptFocus)
            return 0;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        handleFocus(message);
        return 0;
    case WM_MOUSEACTIVATE:
        if (window()->flags() & Qt::WindowDoesNotAcceptFocus)
            return MA_NOACTIVATE;
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        handleMouse(message, wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        handleWheel(wParam, lParam);
        return 0;
    case WM_CLOSE:
        if (!m_bCreating && !m_bDestroying)
            QWindowSystemInterface::handleCloseEvent(window());
        return 0;   // Qt decides whether the window goes
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
        // As Qt's Windows platform: the monitors or a work area changed, the screens follow.
        if (Win32SimIntegration *pIntegration = Win32SimIntegration::instance())
            pIntegration->syncScreens();
        break;
    case WM_NCDESTROY:
        handleDestroyed();
        break;
    default:
        break;
    }
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

// Qt's activation follows the keyboard focus, as on Qt's Windows platform: it works for
// child and embedded windows, which get no WM_ACTIVATE. Focus leaving for another Qt
// window activates that one at once instead of deactivating first.
void Win32SimWindow::handleFocus(UINT message)
{
    if (m_bCreating || m_bDestroying)
        return;
    QWindow *pNext = nullptr;
    if (message == WM_SETFOCUS) {
        QWindow *pTop = topLevelOf(window());
        QWindow *pModal = nullptr;
        if (QGuiApplicationPrivate::instance()->isWindowBlocked(pTop, &pModal) && pTop != pModal) {
            pModal->requestActivate();
            return;
        }
        // Our own SetParent can move the focus into a native child; the focus stays put in Qt.
        if (m_bInSetParent) {
            QWindow *pFocus = QGuiApplication::focusWindow();
            if (pFocus && pFocus != window()) {
                pFocus->requestActivate();
                return;
            }
        }
        pNext = window();
    } else if (const HWND hFocus = GetFocus()) {
        // The closest Qt window at or above the new focus window.
        Win32SimWindow *pFocus = nullptr;
        for (HWND h = hFocus; h && !pFocus; h = GetParent(h))
            pFocus = fromHwnd(h);
        if (pFocus && pFocus != this)
            pNext = pFocus->window();
    }
    if (pNext != g_pLastActive) {
        g_pLastActive = pNext;
        QWindowSystemInterface::handleWindowActivated(pNext);
    }
}

// The Qt window at the top of this one's tree, also across a foreign window it is embedded in.
QWindow *Win32SimWindow::topLevelOf(QWindow *pWindow)
{
    while (QWindow *pParent = pWindow->parent())
        pWindow = pParent;
    auto *pPlatformWindow = static_cast<const Win32SimWindow *>(pWindow->handle());
    if (pPlatformWindow && pPlatformWindow->isEmbedded() && pPlatformWindow->isAlive()) {
        const HWND hDesktop = GetDesktopWindow();
        for (HWND h = GetAncestor(pPlatformWindow->hwnd(), GA_PARENT); h && h != hDesktop;
             h = GetAncestor(h, GA_PARENT)) {
            if (Win32SimWindow *pAncestor = fromHwnd(h))
                return topLevelOf(pAncestor->window());
        }
    }
    return pWindow;
}

void Win32SimWindow::handleMouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_bCreating || m_bDestroying)
        return;
    const QPoint ptLocal = pointFromLParam(lParam);
    POINT pt = {ptLocal.x(), ptLocal.y()};
    ClientToScreen(m_hWnd, &pt);
    g_ptLastMouse = QPoint(pt.x, pt.y);

    Qt::MouseButtons buttons;
    if (wParam & MK_LBUTTON)
        buttons |= Qt::LeftButton;
    if (wParam & MK_RBUTTON)
        buttons |= Qt::RightButton;
    Qt::MouseButton button = Qt::NoButton;
    QEvent::Type type = QEvent::MouseMove;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        button = Qt::LeftButton;
        buttons |= Qt::LeftButton;
        type = QEvent::MouseButtonPress;
        break;
    case WM_LBUTTONUP:
        button = Qt::LeftButton;
        buttons &= ~Qt::LeftButton;
        type = QEvent::MouseButtonRelease;
        break;
    case WM_RBUTTONDOWN:
        button = Qt::RightButton;
        buttons |= Qt::RightButton;
        type = QEvent::MouseButtonPress;
        break;
    case WM_RBUTTONUP:
        button = Qt::RightButton;
        buttons &= ~Qt::RightButton;
        type = QEvent::MouseButtonRelease;
        break;
    default:
        break;
    }
    QWindowSystemInterface::handleMouseEvent(window(), mouseTime(message), QPointF(ptLocal), QPointF(g_ptLastMouse),
                                             buttons, button, type);
}

void Win32SimWindow::handleWheel(WPARAM wParam, LPARAM lParam)
{
    if (m_bCreating || m_bDestroying)
        return;
    const QPoint ptGlobal = pointFromLParam(lParam);
    POINT pt = {ptGlobal.x(), ptGlobal.y()};
    ScreenToClient(m_hWnd, &pt);
    g_ptLastMouse = ptGlobal;
    const int iDelta = short(HIWORD(wParam));
    QWindowSystemInterface::handleWheelEvent(window(), QPointF(pt.x, pt.y), QPointF(ptGlobal), QPoint(),
                                             QPoint(0, iDelta));
}

// The desktop destroyed the window (a parent went, or someone called DestroyWindow):
// the handle is dead and must not be used again. Qt's Windows platform tells Qt nothing
// of it, so the window stays exposed for Qt until Qt hides it.
void Win32SimWindow::handleDestroyed()
{
    m_bDead = true;
    detach();
}

void Win32SimWindow::updateExposure(HWND hHint, bool bHintShown, bool bForce)
{
    bool bExposed = m_hWnd && !m_bDead && !m_bDestroying;
    // Exposed: this window and every Qt window above it have WS_VISIBLE (hHint's new
    // state comes with WM_SHOWWINDOW, before the change). Other ancestors do not count:
    // nothing tells a child when a foreign ancestor shows again, so a Qt window inside
    // a hidden browser window keeps painting and the desktop keeps it off the screen.
    HWND hDesktop = GetDesktopWindow();
    for (HWND h = m_hWnd; bExposed && h && h != hDesktop; h = GetAncestor(h, GA_PARENT)) {
        if (h != m_hWnd && !fromHwnd(h))
            continue;
        bExposed = h == hHint ? bHintShown : (DWORD(GetWindowLongW(h, GWL_STYLE)) & WS_VISIBLE) != 0;
    }
    if (bExposed == m_bExposed && !bForce)
        return;
    m_bExposed = bExposed;
    if (m_bCreating || m_bDestroying)
        return;
    ++m_iExposeCount;
    const QRegion region = bExposed ? QRegion(QRect(QPoint(), geometry().size())) : QRegion();
    QWindowSystemInterface::handleExposeEvent(window(), region);
}

void Win32SimWindow::updateExposureTree(HWND hHint, bool bHintShown)
{
    updateExposure(hHint, bHintShown);
    if (!isAlive())
        return;
    // Native children (and Qt windows re-parented into this one) follow their ancestor.
    QVector<HWND> vecChildren;
    EnumChildWindows(m_hWnd, collectChild, reinterpret_cast<LPARAM>(&vecChildren));
    for (HWND hChild : vecChildren) {
        if (Win32SimWindow *pChild = fromHwnd(hChild))
            pChild->updateExposure(hHint, bHintShown);
    }
}
