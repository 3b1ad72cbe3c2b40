// The periodic passes that keep a host glued to its browser window (the manager's timers
// run them): a top-level host follows the browser and keeps its place in the stacking
// order, an embedded host repaints once the browser stops moving, and an IE11 host
// re-attaches when its page moves to another frame tab.
#include "WindowControl.h"
#include "WindowControlConstants.h"

#include <QDebug>
#include <QPointer>

namespace {

const int kPictureInterval = 200;      // ms between two pictures while the browser is active
const int kSettleTicks = 5;            // still ticks counted before the refresh

// The top of the window's parent chain; the window itself when it has no parent.
HWND rootOf(HWND hWnd)
{
    HWND hRoot = hWnd;
    for (HWND h = hWnd ? GetParent(hWnd) : nullptr; h; h = GetParent(h))
        hRoot = h;
    return hRoot;
}

} // namespace

void WindowControl::followParent()
{
    if (!m_hParentHwnd || !isVisible())
        return;
    // A browser that has gone reads as standing still.
    RECT rcParent = {m_iParentLeft, m_iParentTop, m_iParentLeft, m_iParentTop};
    GetWindowRect(m_hParentHwnd, &rcParent);
    if (rcParent.left == m_iParentLeft && rcParent.top == m_iParentTop)
        return;
    m_iParentLeft = rcParent.left;
    m_iParentTop = rcParent.top;
    // Whoever is told of the move (Qt's move event) may destroy this host.
    QPointer<WindowControl> pSelf(this);
    setWndGeometry(m_rcWnd.x(), m_rcWnd.y(), m_rcWnd.width(), m_rcWnd.height(), true);
    if (pSelf)
        updateTopMost(true);
}

bool WindowControl::trackForeground()
{
    const HWND hForeground = GetForegroundWindow();
    const HWND hRoot = rootOf(m_hParentHwnd);
    if (hForeground != m_hParentHwnd && hForeground != m_hWnd && hForeground != hRoot) {
        m_bBrowserActive = false;
        // The user went to another application: drop behind it with the browser,
        // and leave that application in front.
        if (!m_bEmbed && placeAboveParent()) {
            if (hForeground)
                SetForegroundWindow(hForeground);
            else
                qDebug().noquote() << "GetForegroundWindow=NULL";
        }
        return false;
    }
    m_bBrowserActive = true;
    if (!m_bEmbed)
        updateTopMost(false);
    return true;
}

void WindowControl::updateWndZOrder()
{
    if (isVisible()) {
        QPointer<WindowControl> pSelf(this);
        if (trackForeground() && pSelf && !m_bEmbed) {
            ++m_iZOrderTick;
            if (m_iZOrderTick * kZOrderInterval >= kPictureInterval) {
                m_iZOrderTick = 0;
                // The page's callback may destroy this host.
                grabWindowImage();
            }
        }
        if (!pSelf)
            return;
    }

    // IE11 moves a page between frame tabs (and frames) by re-parenting its tab window.
    if (m_strClassName == kIeFrameClass && m_hTabWindow && !m_bActiveXParent) {
        const HWND hFrameTab = GetParent(m_hTabWindow);
        if (hFrameTab != m_hFrameTab) {
            qDebug().noquote().nospace() << "updateWndZOrder ie11 frame tab change = " << hFrameTab;
            m_hFrameTab = hFrameTab;
            if (hFrameTab)
                updateParentWnd();
        }
    }
}

void WindowControl::checkBrowserMove()
{
    if (!m_bEmbed || !isVisible())
        return;
    const LONG lastLeft = m_rcParentLast.left;
    const LONG lastTop = m_rcParentLast.top;
    GetWindowRect(m_hParentHwnd, &m_rcParentLast);
    if (m_rcParentLast.left != lastLeft || m_rcParentLast.top != lastTop) {
        m_iMoveSettleCount = 0;
        m_bParentMoving = true;
        return;
    }
    if (!m_bParentMoving)
        return;
    if (m_iMoveSettleCount != kSettleTicks) {
        ++m_iMoveSettleCount;
        return;
    }

    qDebug().noquote() << "checkBrowserMove";
    QRect rcHost = m_rcWnd;
    if (m_strClassName == kChromeClass && m_hRenderWnd) {
        const RECT rcRender = renderRect();
        RECT rcClient = {0, 0, 0, 0};
        GetClientRect(m_hParentHwnd, &rcClient);
        POINT ptClient = {rcClient.left, rcClient.top};
        ClientToScreen(m_hParentHwnd, &ptClient);
        rcHost.translate(rcRender.left - ptClient.x, rcRender.top - ptClient.y);
    }
    // Resized twice, so that the native window surely repaints after the drag.
    rcHost = placedRect(rcHost);
    setGeometry(rcHost.adjusted(0, 0, 1, 1));
    setGeometry(rcHost);
    m_bParentMoving = false;
}
