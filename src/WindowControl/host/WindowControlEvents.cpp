// What the host hears from Qt and from Windows: its own activation, the destruction of
// the browser window it is embedded in; and the mouse message it sends the browser.
#include "WindowControl.h"

#include <QDebug>
#include <QEvent>

bool WindowControl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != this) {
        qDebug().noquote() << "QWidget::eventFilter";
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::WindowActivate:
        qDebug().noquote().nospace() << m_strUUID << " WindowActivate";
        // Activation raises the host to the top; put it back in its place.
        if (!m_bEmbed)
            updateTopMost(true);
        break;
    case QEvent::WindowDeactivate:
        qDebug().noquote().nospace() << m_strUUID << " WindowDeactivate";
        break;
    default:
        break;
    }
    return false;
}

bool WindowControl::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    // Qt's Windows platform names its MSG records "windows_generic_MSG" and
    // "windows_dispatcher_MSG"; anything else is not one.
    const MSG *pMsg = eventType.startsWith("windows_") ? static_cast<const MSG *>(message) : nullptr;
    if (m_bEmbed && pMsg && pMsg->message == WM_DESTROY) {
        // Sent to the children of a browser window being destroyed: leaving the tree now
        // keeps the host alive for the next browser window (updateParentWnd).
        SetParent(m_hWnd, nullptr);
        if (isVisible()) {
            qDebug().noquote() << "nativeEvent WM_DESTROY to hide Window";
            m_bHiddenByParentDestroy = true;
            hide();
        }
        return false;
    }
    return QWidget::nativeEvent(eventType, message, result);
}

void WindowControl::triggerMouseEvent()
{
    // Client point (10, 150) with the left button down.
    PostMessageW(m_hParentHwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 150));
}
