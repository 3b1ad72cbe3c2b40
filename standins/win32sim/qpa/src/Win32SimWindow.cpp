#include "Win32SimWindow.h"

#include "Win32SimWindowStyle.h"

#include <QGuiApplication>
#include <QHash>
#include <QVariant>
#include <QWindow>
#include <QtGui/private/qwindow_p.h>
#include <qpa/qplatformscreen.h>
#include <qpa/qwindowsysteminterface.h>

#include <string>

namespace {
QHash<HWND, Win32SimWindow *> g_hashWindows;

// Every platform window here is ours; a dead one has no handle to offer.
HWND hwndOf(const QWindow *pWindow)
{
    auto *pPlatformWindow = pWindow ? static_cast<const Win32SimWindow *>(pWindow->handle()) : nullptr;
    return pPlatformWindow && pPlatformWindow->isAlive() ? pPlatformWindow->hwnd() : nullptr;
}

HRGN regionToHrgn(const QRegion &region, const QPoint &offset)
{
    HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
    for (const QRect &rect : region) {
        const QRect r = rect.translated(offset);
        HRGN hPart = CreateRectRgn(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
        CombineRgn(hRgn, hRgn, hPart, RGN_OR);
        DeleteObject(hPart);
    }
    return hRgn;
}
} // namespace

// Created here and now: Qt sends no setParent or setGeometry for the initial state, so
// both are read from the QWindow.
Win32SimWindow::Win32SimWindow(QWindow *window)
    : QPlatformWindow(window)
{
    // A window given a foreign native parent is that window's child, never a top-level.
    const QVariant embeddedParent = window->property("_q_embedded_native_parent_handle");
    m_bForeignParent = embeddedParent.isValid();
    m_bEmbedded = m_bForeignParent;
    // A child of a dead parent gets no window (CreateWindowExW refuses WS_CHILD without one).
    const bool bChild = window->parent() != nullptr || m_bForeignParent;
    const HWND hParent = m_bForeignParent ? reinterpret_cast<HWND>(embeddedParent.value<WId>()) : hwndOf(window->parent());
    // A popup stays on top by itself and gets no owner.
    const HWND hOwner = bChild || window->type() == Qt::Popup ? nullptr : hwndOf(window->transientParent());

    const Qt::WindowFlags flags = window->flags();
    const Win32SimWindowStyle style = win32SimWindowStyle(window, flags, bChild);
    const Win32SimWindowClass windowClass = win32SimWindowClass(window);
    registerWin32SimWindowClass(windowClass, &Win32SimWindow::windowProc);

    QRect rc = bChild ? windowGeometry() : initialGeometry(window, windowGeometry(), 160, 160);
    rc.setSize(rc.size().expandedTo(QSize(1, 1)));
    const std::wstring strTitle = formatWindowTitle(window->title(), QStringLiteral(" - ")).toStdWString();

    s_pCreating = this;
    HWND hwnd = CreateWindowExW(style.dwExStyle, windowClass.strName.c_str(), strTitle.c_str(), style.dwStyle,
                                rc.x(), rc.y(), rc.width(), rc.height(), bChild ? hParent : hOwner,
                                nullptr, GetModuleHandleW(nullptr), this);
    s_pCreating = nullptr;
    if (hwnd && !m_bDead) {
        attach(hwnd);
        m_bTopMost = style.dwExStyle & WS_EX_TOPMOST;
        // A frame makes the window rectangle larger than the client area Qt asked for.
        m_margins = readMargins();
        if (!m_margins.isNull()) {
            const QRect rcFrame = rc.marginsAdded(m_margins);
            SetWindowPos(hwnd, nullptr, rcFrame.x(), rcFrame.y(), rcFrame.width(), rcFrame.height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        syncGeometry(false);
    } else {
        qWarning("win32sim: CreateWindowExW failed for %s", qPrintable(window->objectName()));
        QPlatformWindow::setGeometry(rc);
    }
    m_bCreating = false;
}

Win32SimWindow::~Win32SimWindow()
{
    m_bDestroying = true;
    // Windows destroys owned windows with their owner; Qt's transient children live on.
    const QWindowList listTopLevels = QGuiApplication::topLevelWindows();
    for (QWindow *pWindow : listTopLevels) {
        auto *pPlatformWindow = static_cast<Win32SimWindow *>(pWindow->handle());
        if (pWindow->transientParent() == window() && pPlatformWindow && pPlatformWindow->isAlive())
            pPlatformWindow->updateTransientParent();
    }
    if (isAlive())
        DestroyWindow(m_hWnd);
    detach();
}

Win32SimWindow *Win32SimWindow::s_pCreating = nullptr;

void Win32SimWindow::attach(HWND hwnd)
{
    if (m_hWnd == hwnd && g_hashWindows.value(hwnd) == this)
        return;
    m_hWnd = hwnd;
    g_hashWindows.insert(hwnd, this);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Win32SimWindow::detach()
{
    if (m_hWnd && g_hashWindows.value(m_hWnd) == this)
        g_hashWindows.remove(m_hWnd);
}

Win32SimWindow *Win32SimWindow::fromHwnd(HWND hwnd)
{
    return hwnd ? g_hashWindows.value(hwnd, nullptr) : nullptr;
}

bool Win32SimWindow::isAlive() const
{
    return m_hWnd && !m_bDead && IsWindow(m_hWnd);
}

void Win32SimWindow::initialize()
{
    // Now that Qt knows the window: tell it where the desktop really put it.
    if (isAlive() && geometry() != windowGeometry())
        QWindowSystemInterface::handleGeometryChange(window(), geometry());
}

void Win32SimWindow::setGeometry(const QRect &rect)
{
    if (!isAlive()) {
        QPlatformWindow::setGeometry(rect);
        return;
    }
    QRect rcClient = rect;
    if (qt_window_private(window())->positionPolicy == QWindowPrivate::WindowFrameInclusive)
        rcClient.translate(m_margins.left(), m_margins.top());
    const QRect rcFrame = rcClient.marginsAdded(m_margins);
    // The numbers go to the desktop as they are: after a native SetParent they count
    // from the new parent's client area, as on Windows.
    m_bInSetGeometry = true;
    SetWindowPos(m_hWnd, nullptr, rcFrame.x(), rcFrame.y(), qMax(rcFrame.width(), 0), qMax(rcFrame.height(), 0),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    m_bInSetGeometry = false;
    syncGeometry(true);
}

void Win32SimWindow::setVisible(bool visible)
{
    if (!isAlive()) {
        if (!visible)
            updateExposure(nullptr, false);
        return;
    }
    const int iExposeCount = m_iExposeCount;
    if (visible) {
        // Every show of a top-level gives it its Qt transient parent as owner again (none
        // when it has none), whatever owner it got meanwhile.
        if (!window()->parent() && !(window()->windowStates() & Qt::WindowMinimized))
            updateTransientParent();
        const bool bChild = window()->parent() || m_bForeignParent;
        const Win32SimWindowStyle style = win32SimWindowStyle(window(), window()->flags(), bChild);
        const bool bNoActivate = style.bShowWithoutActivating || bChild
                                 || window()->property("_q_showWithoutActivating").toBool();
        ShowWindow(m_hWnd, bNoActivate ? SW_SHOWNOACTIVATE : SW_SHOW);
        // A popup opened while no Qt window has the focus (from a tray icon) takes the foreground.
        if (window()->type() == Qt::Popup && !window()->parent() && !QGuiApplication::focusWindow() && isAlive())
            SetForegroundWindow(m_hWnd);
    } else if (window()->flags() & Qt::Popup) {
        // Qt's Windows platform tests the flags so: true for every type with the Qt::Window
        // bit, so top-level windows are hidden with ShowWindow, which activates another window.
        ShowWindow(m_hWnd, SW_HIDE);
    } else {
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    updateExposureTree(nullptr, false);
    // Widgets paint on expose: showing must produce one even when nothing changed.
    if (visible && m_bExposed && iExposeCount == m_iExposeCount)
        updateExposure(nullptr, false, true);
}

void Win32SimWindow::updateTransientParent() const
{
    if (window()->type() == Qt::Popup)
        return;
    const HWND hOld = GetWindow(m_hWnd, GW_OWNER);
    HWND hNew = nullptr;
    if (const QWindow *pTransient = window()->transientParent()) {
        auto *pPlatformWindow = static_cast<const Win32SimWindow *>(pTransient->handle());
        // An owner being destroyed would take this window with it.
        if (pPlatformWindow && pPlatformWindow->isAlive() && !pPlatformWindow->m_bDestroying)
            hNew = pPlatformWindow->hwnd();
    }
    // Owners are top-level windows.
    while (hNew && (DWORD(GetWindowLongW(hNew, GWL_STYLE)) & WS_CHILD))
        hNew = GetParent(hNew);
    if (hNew != hOld)
        SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hNew));
}

void Win32SimWindow::applyStyle(Qt::WindowFlags flags, bool bChild)
{
    const Win32SimWindowStyle style = win32SimWindowStyle(window(), flags, bChild);
    const DWORD dwKeep = DWORD(GetWindowLongW(m_hWnd, GWL_STYLE)) & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowLongW(m_hWnd, GWL_STYLE, LONG(style.dwStyle | dwKeep));
    SetWindowLongW(m_hWnd, GWL_EXSTYLE, LONG(style.dwExStyle));
    const bool bTopMost = !bChild && (style.dwExStyle & WS_EX_TOPMOST);
    if (bTopMost != m_bTopMost)
        SetWindowPos(m_hWnd, bTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_bTopMost = bTopMost;

    // Keep the client area where it is while the frame comes or goes.
    const QRect rcClient = readClientInParent();
    m_margins = readMargins();
    const QRect rcFrame = rcClient.marginsAdded(m_margins);
    m_bInSetGeometry = true;
    SetWindowPos(m_hWnd, nullptr, rcFrame.x(), rcFrame.y(), rcFrame.width(), rcFrame.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_bInSetGeometry = false;
    syncGeometry(true);
}

void Win32SimWindow::setWindowFlags(Qt::WindowFlags flags)
{
    if (isAlive())
        applyStyle(flags, window()->parent() != nullptr || m_bForeignParent);
}

void Win32SimWindow::setWindowState(Qt::WindowStates state)
{
    const bool bWasNormal = !(m_windowStates & (Qt::WindowMaximized | Qt::WindowFullScreen));
    if (state & (Qt::WindowFullScreen | Qt::WindowMaximized)) {
        if (bWasNormal)
            m_rcNormal = geometry();
        const QPlatformScreen *pScreen = screen();
        if (pScreen) {
            const QRect rc = (state & Qt::WindowFullScreen) ? pScreen->geometry()
                                                            : pScreen->availableGeometry() - m_margins;
            setGeometry(rc);
        }
    } else if (!bWasNormal && m_rcNormal.isValid()) {
        setGeometry(m_rcNormal);
    }
    m_windowStates = state;
}

void Win32SimWindow::setParent(const QPlatformWindow *parent)
{
    if (!isAlive())
        return;
    auto *pParent = static_cast<const Win32SimWindow *>(parent);
    HWND hParent = pParent && pParent->isAlive() ? pParent->hwnd() : nullptr;
    m_bInSetParent = true;
    SetParent(m_hWnd, hParent);
    m_bInSetParent = false;
    if (!isAlive())
        return;
    applyStyle(window()->flags(), hParent != nullptr);
    updateExposureTree(nullptr, false);
}

void Win32SimWindow::setWindowTitle(const QString &title)
{
    // An empty title reads as the application's name, as on Qt's Windows platform.
    if (isAlive())
        SetWindowTextW(m_hWnd, formatWindowTitle(title, QStringLiteral(" - ")).toStdWString().c_str());
}

void Win32SimWindow::raise()
{
    const Qt::WindowType type = window()->type();
    const bool bRaises = type == Qt::Popup || type == Qt::SubWindow || !(window()->flags() & Qt::WindowStaysOnBottomHint);
    if (isAlive() && bRaises)
        SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32SimWindow::lower()
{
    // A window that stays on top is not lowered.
    if (isAlive() && !(window()->flags() & Qt::WindowStaysOnTopHint))
        SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

QPoint Win32SimWindow::mapToGlobal(const QPoint &pos) const
{
    POINT pt = {pos.x(), pos.y()};
    if (!isAlive() || !ClientToScreen(m_hWnd, &pt))
        return QPlatformWindow::mapToGlobal(pos);
    return QPoint(pt.x, pt.y);
}

QPoint Win32SimWindow::mapFromGlobal(const QPoint &pos) const
{
    POINT pt = {pos.x(), pos.y()};
    if (!isAlive() || !ScreenToClient(m_hWnd, &pt))
        return QPlatformWindow::mapFromGlobal(pos);
    return QPoint(pt.x, pt.y);
}

void Win32SimWindow::setMask(const QRegion &region)
{
    if (!isAlive())
        return;
    // The region belongs to the desktop once handed over; an empty mask removes it.
    SetWindowRgn(m_hWnd, region.isEmpty() ? nullptr : regionToHrgn(region, QPoint(m_margins.left(), m_margins.top())),
                 TRUE);
}

bool Win32SimWindow::isActive() const
{
    // The foreground window is this one or one of its WS_CHILD ancestors.
    const HWND hForeground = GetForegroundWindow();
    return isAlive() && hForeground && (hForeground == m_hWnd || IsChild(hForeground, m_hWnd));
}

void Win32SimWindow::requestActivateWindow()
{
    // Activation follows the focus (WM_SETFOCUS), which works for child windows too.
    if (!isAlive())
        return;
    SetForegroundWindow(m_hWnd);
    if (isAlive())
        SetFocus(m_hWnd);
}

// What Qt's Windows platform reports: a top-level window (no Qt parent, not embedded) in
// screen coordinates, even inside a foreign window after a native SetParent; any other
// relative to GetParent, which is the owner for a WS_POPUP window.
QRect Win32SimWindow::readGeometry() const
{
    RECT rc = {};
    GetWindowRect(m_hWnd, &rc);
    POINT pt = {rc.left, rc.top};
    if (!isTopLevel()) {
        if (HWND hParent = GetParent(m_hWnd))
            ScreenToClient(hParent, &pt);
    }
    return QRect(pt.x, pt.y, rc.right - rc.left, rc.bottom - rc.top).marginsRemoved(m_margins);
}

// The client area in the numbers SetWindowPos takes: relative to the parent's client area.
QRect Win32SimWindow::readClientInParent() const
{
    RECT rc = {};
    POINT pt = {0, 0};
    GetClientRect(m_hWnd, &rc);
    ClientToScreen(m_hWnd, &pt);
    HWND hParent = GetAncestor(m_hWnd, GA_PARENT);
    if (hParent && hParent != GetDesktopWindow())
        ScreenToClient(hParent, &pt);
    return QRect(pt.x, pt.y, rc.right - rc.left, rc.bottom - rc.top);
}

QMargins Win32SimWindow::readMargins() const
{
    RECT rcWindow = {};
    RECT rcClient = {};
    POINT pt = {0, 0};
    if (!GetWindowRect(m_hWnd, &rcWindow) || !GetClientRect(m_hWnd, &rcClient) || !ClientToScreen(m_hWnd, &pt))
        return QMargins();
    return QMargins(pt.x - rcWindow.left, pt.y - rcWindow.top, rcWindow.right - (pt.x + rcClient.right),
                    rcWindow.bottom - (pt.y + rcClient.bottom));
}

void Win32SimWindow::syncGeometry(bool bNotify)
{
    if (!isAlive())
        return;
    m_margins = readMargins();
    const QRect rc = readGeometry();
    const bool bChanged = rc != QPlatformWindow::geometry();
    QPlatformWindow::setGeometry(rc);
    if ((bChanged || bNotify) && !m_bCreating && !m_bDestroying && !m_bInSetGeometry)
        QWindowSystemInterface::handleGeometryChange(window(), rc);
}
