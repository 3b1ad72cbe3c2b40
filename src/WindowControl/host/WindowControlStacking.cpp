// Stacking of a top-level host: directly above its browser window, or topmost while the
// browser fills its monitor; and the browser of an embedded host brought out of the
// topmost band. Stacking calls never move, size or activate.
#include "WindowControl.h"
#include "WindowControlConstants.h"

#include <QDebug>

bool WindowControl::placeAboveParent()
{
    const HWND hAbove = GetWindow(m_hParentHwnd, GW_HWNDPREV);
    if (hAbove == m_hWnd)
        return false;
    // Out of the topmost band first, or the second call could not put it below hAbove.
    SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, kStackOnly);
    SetWindowPos(m_hWnd, hAbove, 0, 0, 0, 0, kStackOnly);
    m_bTopMost = false;
    return true;
}

void WindowControl::updateTopMost(bool force)
{
    if (m_bTopMost && !force)
        return;
    SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, kStackOnly);
    if (m_bCoverMonitor) {
        SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, kStackOnly);
        m_bTopMost = true;
    } else {
        placeAboveParent();
        m_bTopMost = false;
    }
}

void WindowControl::activateBrowser()
{
    if (!m_bEmbed)
        return;
    qDebug().noquote().nospace() << m_strUUID << " Browser Activate";
    // The browser itself leaves the topmost band; its child host goes with it.
    SetWindowPos(m_hParentHwnd, HWND_NOTOPMOST, 0, 0, 0, 0, kStackOnly);
}
