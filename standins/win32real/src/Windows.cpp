// Windows as tests and the demo make them, and what a user does to them. Windows of the
// other applications are made and changed by the helper process, as their own
// application would; windows of this process are changed here.
#include "Face.h"
#include "BrowserTrees.h"
#include "WindowStyles.h"

#include <QColor>
#include <QStringList>

using namespace win32real;

namespace win32real {

QPoint parentClientOrigin(HWND hwnd)
{
    const HWND parent = GetAncestor(hwnd, GA_PARENT);
    if (!parent || parent == GetDesktopWindow())
        return QPoint();
    POINT p = {0, 0};
    ClientToScreen(parent, &p);
    return QPoint(p.x, p.y);
}

} // namespace win32real

namespace {

// A request about one window to the helper when the window is one of its own; false
// when it is not.
bool toOwner(HWND hwnd, Message request)
{
    if (!apps().owns(hwnd))
        return false;
    request.insert(request.begin() + 1, handleText(hwnd));
    apps().request(request);
    return true;
}

} // namespace

namespace win32sim {

HWND createWindow(const NewWindow &window)
{
    const face::CreateStyles c = face::createStyles(window, window.parent && IsWindow(window.parent));
    const QRect r = window.rect;
    const long long colour = window.colour.isValid()
        ? static_cast<long long>(RGB(window.colour.red(), window.colour.green(), window.colour.blue()))
        : -1;
    // A newly opened application window comes to the foreground.
    AllowSetForegroundWindow(apps().processId());
    const Message made = apps().request({op::Create, wide(c.className), wide(window.title), number(r.x()),
                                         number(r.y()), number(r.width()), number(r.height()), number(c.style),
                                         number(c.exStyle), handleText(c.parent), number(colour)});
    return made.empty() ? nullptr : toHwnd(made[0]);
}

ChromeWindow createChrome(const QString &title, const QRect &rect, int stripHeight)
{
    return face::buildChrome(title, rect, stripHeight);
}

IeWindow createIe11(const QString &frameTitle, const QRect &rect, const QStringList &tabTitles)
{
    return face::buildIe11(frameTitle, rect, tabTitles);
}

void moveWindow(HWND hwnd, const QRect &r)
{
    if (!IsWindow(hwnd))
        return;
    const QPoint p = r.topLeft() - parentClientOrigin(hwnd);
    if (!toOwner(hwnd, {op::Move, number(p.x()), number(p.y()), number(r.width()), number(r.height())}))
        SetWindowPos(hwnd, nullptr, p.x(), p.y(), r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void setTitle(HWND hwnd, const QString &title)
{
    if (!toOwner(hwnd, {op::Title, wide(title)}))
        SetWindowTextW(hwnd, wide(title).c_str());
}

void show(HWND hwnd)
{
    AllowSetForegroundWindow(apps().processId());
    if (!toOwner(hwnd, {op::Show, number(SW_SHOW)}))
        ShowWindow(hwnd, SW_SHOW);
}

void hide(HWND hwnd)
{
    if (!toOwner(hwnd, {op::Show, number(SW_HIDE)}))
        ShowWindow(hwnd, SW_HIDE);
}

void activate(HWND hwnd)
{
    // As when the user switches to the window: its application brings it to the top and
    // activates it (Wine's headless driver would not raise it on activation alone).
    const HWND root = GetAncestor(hwnd, GA_ROOT);
    if (!root)
        return;
    AllowSetForegroundWindow(apps().processId());
    if (!toOwner(root, {op::Activate})) {
        SetWindowPos(root, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetForegroundWindow(root);
    }
}

void destroy(HWND hwnd)
{
    if (!toOwner(hwnd, {op::Destroy}))
        DestroyWindow(hwnd);
}

void moveTab(HWND tabWindow, HWND frameTab)
{
    // Frame tabs share the frame's client area, so the position numbers carry over.
    if (!toOwner(tabWindow, {op::Parent, handleText(frameTab)}))
        SetParent(tabWindow, frameTab);
}

} // namespace win32sim
