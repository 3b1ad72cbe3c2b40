#include "Win32SimScreen.h"

#include "Win32SimIntegration.h"
#include "Win32SimWindow.h"

#include <QPixmap>
#include <QWindow>

#include <win32sim/Desktop.h>

Win32SimScreen::Win32SimScreen(int iIndex, const QRect &rcGeometry, const QRect &rcWork)
    : m_iIndex(iIndex), m_rcGeometry(rcGeometry), m_rcWork(rcWork)
{
}

void Win32SimScreen::setGeometries(const QRect &rcGeometry, const QRect &rcWork)
{
    m_rcGeometry = rcGeometry;
    m_rcWork = rcWork;
}

QSizeF Win32SimScreen::physicalSize() const
{
    // Millimetres at the logical 96 dots per inch.
    return QSizeF(m_rcGeometry.width() * 25.4 / 96.0, m_rcGeometry.height() * 25.4 / 96.0);
}

QString Win32SimScreen::name() const
{
    return QStringLiteral("\\\\.\\DISPLAY%1").arg(m_iIndex + 1);
}

QList<QPlatformScreen *> Win32SimScreen::virtualSiblings() const
{
    if (Win32SimIntegration *pIntegration = Win32SimIntegration::instance())
        return pIntegration->screens();
    return {const_cast<Win32SimScreen *>(this)};
}

QWindow *Win32SimScreen::topLevelAt(const QPoint &point) const
{
    // The first Qt top-level window at or above the window under the point (a Qt
    // window may sit inside a foreign one).
    for (HWND hwnd = WindowFromPoint(POINT{point.x(), point.y()}); hwnd; hwnd = GetAncestor(hwnd, GA_PARENT)) {
        Win32SimWindow *pWindow = Win32SimWindow::fromHwnd(hwnd);
        if (pWindow && !pWindow->window()->parent())
            return pWindow->window();
        if (hwnd == GetDesktopWindow())
            break;
    }
    return nullptr;
}

// A screen grab, as on Windows: the window's client area as the desktop shows it, with
// whatever lies over it. x and y count from the client corner; -1 sizes take the rest.
QPixmap Win32SimScreen::grabWindow(WId window, int x, int y, int width, int height) const
{
    HWND hwnd = reinterpret_cast<HWND>(window);
    QPoint ptOrigin;
    QSize size;
    if (hwnd) {
        RECT rc = {};
        POINT pt = {0, 0};
        if (!IsWindow(hwnd) || !GetClientRect(hwnd, &rc) || !ClientToScreen(hwnd, &pt))
            return QPixmap();
        ptOrigin = QPoint(pt.x, pt.y);
        size = QSize(rc.right - rc.left, rc.bottom - rc.top);
    } else {
        ptOrigin = m_rcGeometry.topLeft();
        size = m_rcGeometry.size();
    }
    if (width < 0)
        width = size.width() - x;
    if (height < 0)
        height = size.height() - y;
    if (width <= 0 || height <= 0)
        return QPixmap();
    return QPixmap::fromImage(win32sim::grabScreen(QRect(ptOrigin + QPoint(x, y), QSize(width, height))));
}
