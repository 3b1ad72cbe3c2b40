// Placing the host over a page rectangle, covers (one side pulled in, the picture kept),
// rounded cut-outs in the window region, and the taskbar while the browser fills its
// monitor.
#include "WindowControl.h"
#include "WindowControlConstants.h"

#include <VarAvozov/WebClientComponents.h>

namespace {

// Bounds of page numbers. Windows makes no window larger than 32767 pixels a side and
// places none beyond 16-bit positions; a page position a million pixels out is off every
// screen already. A hole is cut off two largest windows from the corner, so that a corner
// of the largest size lying past a window's edge stays past it.
const int kMaxExtent = 32767;
const int kMinWindowPos = -32768;
const int kMaxWindowPos = 32767;
const int kPageLimit = 1000000;
const int kHoleLimit = 2 * (kMaxExtent + 1);

int pageExtent(qint64 value)
{
    return int(qBound<qint64>(0, value, kMaxExtent));
}

int pagePosition(qint64 value)
{
    return int(qBound<qint64>(-kPageLimit, value, kPageLimit));
}

int windowPosition(qint64 value)
{
    return int(qBound<qint64>(kMinWindowPos, value, kMaxWindowPos));
}

// Along one axis, where the native window starts inside a host longer than the screen:
// it keeps a screen-long slice, the one on the screen or nearest to it.
int sliceOffset(qint64 hostStart, int hostLength, int screenStart, int screenLength)
{
    if (screenLength <= 0 || hostLength <= screenLength)
        return 0;
    return int(qBound<qint64>(0, screenStart - hostStart, hostLength - screenLength));
}

int sliceLength(int hostLength, int screenLength)
{
    return screenLength > 0 ? qMin(hostLength, screenLength) : hostLength;
}

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

// A hole in host coordinates, made in the native window's (ptSlice into the host).
HRGN roundHole(int left, int top, int width, int height, int round, const QPoint &ptSlice)
{
    // A hole reaching past the host's corner is shifted to the edge, not shortened.
    const qint64 l = qMax(left, 0);
    const qint64 t = qMax(top, 0);
    const auto edge = [](qint64 value) { return int(qMin<qint64>(value, kHoleLimit)); };
    const int r = qBound(0, round, kMaxExtent);
    return CreateRoundRectRgn(edge(l) - ptSlice.x(), edge(t) - ptSlice.y(), edge(l + qMax(width, 0)) - ptSlice.x(),
                              edge(t + qMax(height, 0)) - ptSlice.y(), r, r);
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

QRect WindowControl::placedRect(const QRect &rcHost, bool bMoveChildren)
{
    // The screen corner of the area the host is placed in: its parent's client area.
    POINT ptArea = {0, 0};
    const HWND hArea = GetAncestor(m_hWnd, GA_PARENT);
    if (hArea && hArea != GetDesktopWindow())
        ClientToScreen(hArea, &ptArea);
    const int iScreenX = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int iScreenY = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int iScreenW = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int iScreenH = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const QPoint ptSlice(sliceOffset(qint64(ptArea.x) + rcHost.x(), rcHost.width(), iScreenX, iScreenW),
                         sliceOffset(qint64(ptArea.y) + rcHost.y(), rcHost.height(), iScreenY, iScreenH));

    if (ptSlice != m_ptSlice) {
        // Holes and the child keep their place in the host.
        if (HRGN hRegion = currentWindowRegion(m_hWnd)) {
            OffsetRgn(hRegion, m_ptSlice.x() - ptSlice.x(), m_ptSlice.y() - ptSlice.y());
            SetWindowRgn(m_hWnd, hRegion, TRUE);   // the window manager owns it now
        }
        m_ptSlice = ptSlice;
        if (bMoveChildren)
            placeChildren(m_rcWnd.width(), m_rcWnd.height());
    }
    return QRect(windowPosition(qint64(rcHost.x()) + ptSlice.x()), windowPosition(qint64(rcHost.y()) + ptSlice.y()),
                 sliceLength(rcHost.width(), iScreenW), sliceLength(rcHost.height(), iScreenH));
}

void WindowControl::setWndGeometry(int x, int y, int width, int height, bool resizeChildren)
{
    const int w = pageExtent(width);
    const int h = pageExtent(height);
    if (m_bActiveXParent) {
        x = 0;
        y = 0;
    }
    x = pagePosition(x);
    y = pagePosition(y);

    RECT rcParent = {0, 0, 0, 0};
    GetWindowRect(m_hParentHwnd, &rcParent);
    RECT rcClient = {0, 0, 0, 0};
    GetClientRect(m_hParentHwnd, &rcClient);
    POINT ptClient = {rcClient.left, rcClient.top};
    ClientToScreen(m_hParentHwnd, &ptClient);
    const RECT rcRender = renderRect();
    const bool bRender = m_hRenderWnd != nullptr;

    // Chrome's page starts at its render window; other browsers' at the client area
    // (a child) or the outer corner (a top-level host).
    qint64 X = x;
    qint64 Y = y;
    if (m_strClassName == kChromeClass && bRender) {
        X += rcRender.left - (m_bEmbed ? qint64(ptClient.x) : 0);
        Y += rcRender.top - (m_bEmbed ? qint64(ptClient.y) : 0);
    } else if (!m_bEmbed) {
        X += m_strClassName == kChromeClass ? ptClient.x : rcParent.left;
        Y += m_strClassName == kChromeClass ? ptClient.y : rcParent.top;
    }

    const bool bResize = w != m_rcWnd.width() || h != m_rcWnd.height();
    m_rcWnd = QRect(x, y, w, h);
    const QRect rcNative = placedRect(QRect(pagePosition(X), pagePosition(Y), w, h), false);
    if (bResize) {
        // A resize fills every cut-out; a host that never had a region keeps none.
        if (HRGN hRegion = currentWindowRegion(m_hWnd)) {
            HRGN hFull = CreateRectRgn(-m_ptSlice.x(), -m_ptSlice.y(), w - m_ptSlice.x(), h - m_ptSlice.y());
            CombineRgn(hRegion, hRegion, hFull, RGN_OR);
            DeleteObject(hFull);
            SetWindowRgn(m_hWnd, hRegion, TRUE);   // the window manager owns it now
        }
    }
    setGeometry(rcNative);
    if (rcNative.isEmpty()) {
        // Qt only hides an empty native window, where it was and as large as it was; any
        // later show (the redraw of SetWndGeometry) would bring the old picture back.
        SetWindowPos(m_hWnd, nullptr, rcNative.x(), rcNative.y(), rcNative.width(), rcNative.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

    if (resizeChildren)
        placeChildren(w, h);
    else
        fitChildToCover();
    updateTaskbars(rcParent, rcRender);
}

void WindowControl::repaintAtPlace()
{
    if (!isVisible())
        return;
    // Hidden and shown once so the native window repaints at its new place; without
    // SWP_NOZORDER both calls also bring it to the top of its siblings.
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, kStackOnly | SWP_HIDEWINDOW);
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, kStackOnly | SWP_SHOWWINDOW);
}

void WindowControl::placeChildren(int width, int height)
{
    // A host sliced to the screen keeps its child where the whole host would have it.
    const QRect rcChild(-m_ptSlice.x(), -m_ptSlice.y(), width, height);
    if (m_pWebClient)
        m_pWebClient->setGeometry(rcChild);
    if (m_pIntegrationWnd) {
        SetWindowPos(m_pIntegrationWnd, nullptr, rcChild.x(), rcChild.y(), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        m_rcIntegrationWnd = rcChild;
    }
    fitChildToCover();
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
        if (m_strClassName != kChromeClass)
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
    qint64 x = rcChild.x();
    qint64 y = rcChild.y();
    qint64 w = rcChild.width();
    qint64 h = rcChild.height();
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

    const QRect rcFit{int(x), int(y), int(w), int(h)};   // margins and host are bounded: no overflow
    if (m_pWebClient) {
        m_pWebClient->setGeometry(rcFit);
    } else {
        SetWindowPos(m_pIntegrationWnd, nullptr, rcFit.x(), rcFit.y(), rcFit.width(), rcFit.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        m_rcIntegrationWnd = rcFit;
    }
}

void WindowControl::setWndCover(const QString &position, int size)
{
    if (m_bActiveXParent)
        return;
    // A side cannot be covered by more than a window can be wide.
    size = qBound(-kMaxExtent, size, kMaxExtent);
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
    HRGN hHole = roundHole(left, top, width, height, round, m_ptSlice);
    HRGN hBase = currentWindowRegion(m_hWnd);
    if (!hBase) {
        hBase = CreateRectRgn(-m_ptSlice.x(), -m_ptSlice.y(), m_rcWnd.width() - m_ptSlice.x(),
                              m_rcWnd.height() - m_ptSlice.y());
    }
    HRGN hRegion = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(hRegion, hBase, hHole, RGN_DIFF);
    SetWindowRgn(m_hWnd, hRegion, TRUE);   // the window manager owns it now
    DeleteObject(hBase);
    DeleteObject(hHole);
}

void WindowControl::repairPartWindow(int left, int top, int width, int height, int round)
{
    HRGN hPatch = roundHole(left, top, width, height, round, m_ptSlice);
    // A host without a region is whole already.
    if (HRGN hRegion = currentWindowRegion(m_hWnd)) {
        CombineRgn(hRegion, hRegion, hPatch, RGN_OR);
        SetWindowRgn(m_hWnd, hRegion, TRUE);
    }
    DeleteObject(hPatch);
}
