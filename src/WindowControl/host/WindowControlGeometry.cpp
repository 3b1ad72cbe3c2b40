// Placing the host over a page rectangle, covers (one side pulled in, the picture kept),
// rounded cut-outs in the window region, and the taskbar while the browser fills its
// monitor.
#include "WindowControl.h"

#include <VarAvozov/WebClientComponents.h>

namespace {

const QString kChrome = QStringLiteral("Chrome");

// The window region of hWnd, as a new region the caller deletes; null when it has none.
HRGN currentWindowRegion(HWND hWnd)
{
    HRGN hRegion = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(hWnd, hRegion) == ERROR) {
        DeleteObject(hRegion);
        return nullptr;
    }
    return hRegion;
}

HRGN roundHole(int left, int top, int width, int height, int round)
{
    // A hole reaching past the host's corner is shifted to the edge, not shortened.
    const int l = qMax(left, 0);
    const int t = qMax(top, 0);
    const int r = qMax(round, 0);
    return CreateRoundRectRgn(l, t, l + qMax(width, 0), t + qMax(height, 0), r, r);
}

} // namespace

RECT WindowControl::renderRect()
{
    RECT rcRender = {0, 0, 0, 0};
    if (m_hRenderWnd && !IsWindow(m_hRenderWnd))
        m_hRenderWnd = nullptr;
    if (!m_hRenderWnd)
        findRenderHwnd();
    if (m_hRenderWnd)
        GetWindowRect(m_hRenderWnd, &rcRender);
    return rcRender;
}

void WindowControl::setWndGeometry(int x, int y, int width, int height, bool resizeChildren)
{
    const int w = qMax(width, 0);
    const int h = qMax(height, 0);
    if (m_bActiveXParent) {
        x = 0;
        y = 0;
    }

    RECT rcParent = {0, 0, 0, 0};
    GetWindowRect(m_hParentHwnd, &rcParent);
    RECT rcClient = {0, 0, 0, 0};
    GetClientRect(m_hParentHwnd, &rcClient);
    POINT ptClient = {rcClient.left, rcClient.top};
    ClientToScreen(m_hParentHwnd, &ptClient);
    const RECT rcRender = renderRect();
    const bool bRender = m_hRenderWnd != nullptr;

    if (w != m_rcWnd.width() || h != m_rcWnd.height()) {
        // A resize fills every cut-out; a host that never had a region keeps none.
        if (HRGN hRegion = currentWindowRegion(m_hWnd)) {
            HRGN hFull = CreateRectRgn(0, 0, w, h);
            CombineRgn(hRegion, hRegion, hFull, RGN_OR);
            DeleteObject(hFull);
            SetWindowRgn(m_hWnd, hRegion, TRUE);   // the window manager owns it now
        }
    }
    m_rcWnd = QRect(x, y, w, h);

    // Chrome's page starts at its render window; other browsers' at the client area
    // (a child) or the outer corner (a top-level host).
    int X = x;
    int Y = y;
    if (m_strClassName == kChrome && bRender) {
        X += rcRender.left - (m_bEmbed ? ptClient.x : 0);
        Y += rcRender.top - (m_bEmbed ? ptClient.y : 0);
    } else if (!m_bEmbed) {
        X += m_strClassName == kChrome ? ptClient.x : rcParent.left;
        Y += m_strClassName == kChrome ? ptClient.y : rcParent.top;
    }
    setGeometry(X, Y, w, h);

    if (resizeChildren) {
        if (m_pWebClient)
            m_pWebClient->setGeometry(0, 0, w, h);
        if (m_pIntegrationWnd) {
            SetWindowPos(m_pIntegrationWnd, nullptr, 0, 0, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
            m_rcIntegrationWnd = QRect(0, 0, w, h);
        }
    }
    fitChildToCover();
    updateTaskbars(rcParent, rcRender);
}

void WindowControl::updateTaskbars(const RECT &rcParent, const RECT &rcRender)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(m_hParentHwnd, MONITOR_DEFAULTTONEAREST), &info);
    const LONG monitorWidth = info.rcMonitor.right - info.rcMonitor.left;
    const LONG monitorHeight = info.rcMonitor.bottom - info.rcMonitor.top;
    const bool bSameSize = monitorHeight == rcParent.bottom - rcParent.top
                           || monitorWidth == rcParent.right - rcParent.left;
    m_bCoverMonitor = bSameSize && rcRender.top == rcParent.top;
    const bool bPrimary = info.dwFlags == MONITORINFOF_PRIMARY;

    if (m_bCoverMonitor) {
        // Only a Chrome page in full screen takes the taskbar away.
        if (m_strClassName != kChrome)
            return;
        if (bPrimary) {
            if (IsWindowVisible(m_hTrayWnd)) {
                ShowWindow(m_hTrayWnd, SW_HIDE);
                ShowWindow(FindWindowW(L"Button", nullptr), SW_HIDE);
            }
        } else if (m_hSecondaryTrayWnd && IsWindowVisible(m_hSecondaryTrayWnd)) {
            ShowWindow(m_hSecondaryTrayWnd, SW_HIDE);
        }
    } else if (bPrimary) {
        if (!IsWindowVisible(m_hTrayWnd)) {
            ShowWindow(m_hTrayWnd, SW_SHOW);
            ShowWindow(FindWindowW(L"Button", nullptr), SW_SHOW);
        }
    } else if (m_hSecondaryTrayWnd && !IsWindowVisible(m_hSecondaryTrayWnd)) {
        ShowWindow(m_hSecondaryTrayWnd, SW_SHOW);
    }
}

void WindowControl::fitChildToCover()
{
    if (m_bActiveXParent || (!m_pWebClient && !m_pIntegrationWnd))
        return;
    const QRect rcChild = m_pWebClient ? m_pWebClient->geometry() : m_rcIntegrationWnd;
    int x = rcChild.x();
    int y = rcChild.y();
    int w = rcChild.width();
    int h = rcChild.height();
    const int L = m_rcCover.left();
    const int T = m_rcCover.top();
    const int Rm = m_rcCover.right();
    const int B = m_rcCover.bottom();

    // The child keeps the covered strips, outside the host, where the host clips them.
    if (L > 0) {
        x -= L;
        if (x > 0)
            x = 0;
        else
            w += L;
    }
    if (Rm > 0)
        w += Rm;
    if (T > 0) {
        y -= T;
        if (y > 0)
            y = 0;
        else
            h += T;
    }
    if (B > 0)
        h += B;

    if (m_pWebClient) {
        m_pWebClient->setGeometry(x, y, w, h);
    } else {
        SetWindowPos(m_pIntegrationWnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
        m_rcIntegrationWnd = QRect(x, y, w, h);
    }
}

void WindowControl::setWndCover(const QString &position, int size)
{
    if (m_bActiveXParent)
        return;
    const int L = m_rcCover.left();
    const int T = m_rcCover.top();
    const int Rm = m_rcCover.right();
    const int B = m_rcCover.bottom();
    int x = m_rcWnd.x();
    int y = m_rcWnd.y();
    int w = m_rcWnd.width();
    int h = m_rcWnd.height();

    // Each margin is applied against the previous one of its side.
    if (position == QLatin1String("left")) {
        m_rcCover.setLeft(size);
        x += size - L;
        w += L - size;
    } else if (position == QLatin1String("right")) {
        m_rcCover.setRight(size);
        w += Rm - size;
    } else if (position == QLatin1String("top")) {
        m_rcCover.setTop(size);
        y += size - T;
        h += T - size;
    } else if (position == QLatin1String("bottom")) {
        m_rcCover.setBottom(size);
        h += B - size;
    }
    setWndGeometry(x, y, w, h, true);
}

void WindowControl::cutPartWindow(int left, int top, int width, int height, int round)
{
    HRGN hHole = roundHole(left, top, width, height, round);
    HRGN hBase = currentWindowRegion(m_hWnd);
    if (!hBase)
        hBase = CreateRectRgn(0, 0, m_rcWnd.width(), m_rcWnd.height());
    HRGN hRegion = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(hRegion, hBase, hHole, RGN_DIFF);
    SetWindowRgn(m_hWnd, hRegion, TRUE);   // the window manager owns it now
    DeleteObject(hBase);
    DeleteObject(hHole);
}

void WindowControl::repairPartWindow(int left, int top, int width, int height, int round)
{
    HRGN hPatch = roundHole(left, top, width, height, round);
    // A host without a region is whole already.
    if (HRGN hRegion = currentWindowRegion(m_hWnd)) {
        CombineRgn(hRegion, hRegion, hPatch, RGN_OR);
        SetWindowRgn(m_hWnd, hRegion, TRUE);
    }
    DeleteObject(hPatch);
}
