#include "BrowserTrees.h"

#include <QColor>
#include <QStringList>

#include <windows.h>

namespace win32sim::face {

namespace {

HWND makeWindow(const QString &className, const QString &title, const QRect &rect, HWND parent, QColor colour,
                bool visible = true)
{
    NewWindow window;
    window.className = className;
    window.title = title;
    window.rect = rect;
    window.parent = parent;
    window.framed = !parent;
    window.visible = visible;
    window.colour = colour;
    return createWindow(window);
}

QRect clientArea(HWND hwnd)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    return QRect(0, 0, client.right, client.bottom);
}

} // namespace

ChromeWindow buildChrome(const QString &title, const QRect &rect, int stripHeight)
{
    ChromeWindow c;
    c.frame = makeWindow(QStringLiteral("Chrome_WidgetWin_1"), title, rect, nullptr, QColor(0xDE, 0xE1, 0xE6));
    const QRect client = clientArea(c.frame);
    const int strip = qBound(0, stripHeight, client.height());
    const QRect page(0, strip, client.width(), client.height() - strip);
    // The compositor comes first among the children, as in the browser; the render
    // search skips it by class.
    c.compositor = makeWindow(QStringLiteral("Intermediate D3D Window"), QString(), page, c.frame, Qt::white);
    c.render = makeWindow(QStringLiteral("Chrome_RenderWidgetHostHWND"), QStringLiteral("Chrome Legacy Window"),
                          page, c.frame, Qt::white);
    return c;
}

IeWindow buildIe11(const QString &frameTitle, const QRect &rect, const QStringList &tabTitles)
{
    IeWindow ie;
    ie.frame = makeWindow(QStringLiteral("IEFrame"), frameTitle, rect, nullptr, QColor(0xF0, 0xF0, 0xF0));
    const QRect area = clientArea(ie.frame);
    for (int i = 0; i < tabTitles.size(); ++i) {
        // Only the first tab shows; each holds one page window over its whole area.
        const HWND frameTab = makeWindow(QStringLiteral("Frame Tab"), QString(), area, ie.frame, Qt::white, i == 0);
        ie.frameTabs.append(frameTab);
        ie.tabWindows.append(makeWindow(QStringLiteral("TabWindowClass"), tabTitles.at(i), area, frameTab, Qt::white));
    }
    return ie;
}

} // namespace win32sim::face
