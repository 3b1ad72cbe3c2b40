// Parents, owners, siblings, enumeration and re-parenting. SetParent does what Wine
// does: hide, re-link at the top of the new parent's children keeping the position
// numbers (now relative to the new parent's client area), show again. Styles are not
// touched, so GetParent of a re-parented popup is still its owner.
#include "State.h"

#include <algorithm>

using namespace win32sim::detail;

namespace {

bool regionContains(const Window *w, const QPoint &screen)
{
    const QRect r = screenRect(w);
    if (!r.contains(screen))
        return false;
    return !w->hasRegion || w->region.contains(screen - r.topLeft());
}

bool enumChildren(const std::vector<HWND> &list, WNDENUMPROC func, LPARAM lParam)
{
    State &s = State::get();
    for (HWND h : list) {
        Window *w = s.win(h);
        if (!w)
            continue;
        const std::vector<HWND> children = w->children;
        BOOL ret = func(h, lParam);
        if (ret && !children.empty())
            ret = enumChildren(children, func, lParam);
        if (!ret)
            return false;
    }
    return true;
}

} // namespace

namespace win32sim {
namespace detail {

HWND hitTest(const QPoint &screen, bool *inClient)
{
    State &s = State::get();
    if (inClient)
        *inClient = false;
    HWND found = nullptr;
    for (HWND h : topLevelList()) {
        Window *w = s.win(h);
        if (w && (w->style & WS_VISIBLE) && regionContains(w, screen)) {
            found = h;
            break;
        }
    }
    if (!found)
        return nullptr;
    for (;;) {
        Window *w = s.win(found);
        if (!clientRectScreen(w).contains(screen))
            return found;
        HWND child = nullptr;
        for (HWND c : w->children) {
            Window *cw = s.win(c);
            if (!cw || !(cw->style & WS_VISIBLE))
                continue;
            if ((cw->style & (WS_POPUP | WS_CHILD | WS_DISABLED)) == (WS_CHILD | WS_DISABLED))
                continue;
            if (regionContains(cw, screen)) {
                child = c;
                break;
            }
        }
        if (!child) {
            if (inClient)
                *inClient = true;
            return found;
        }
        found = child;
    }
}

} // namespace detail
} // namespace win32sim

BOOL WINAPI IsWindow(HWND hWnd)
{
    Lock lock(State::mutex());
    return desktop().win(hWnd) != nullptr;
}

BOOL WINAPI IsChild(HWND parent, HWND hWnd)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *w = s.win(hWnd);
    // Only WS_CHILD links count, as in Windows.
    while (w && (w->style & WS_CHILD) && w->parent && !s.isDesktop(w->parent)) {
        if (w->parent == parent)
            return TRUE;
        w = s.win(w->parent);
    }
    return FALSE;
}

HWND WINAPI GetDesktopWindow(void)
{
    Lock lock(State::mutex());
    return desktop().desktop;
}

HWND WINAPI GetWindow(HWND hWnd, UINT cmd)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *w = s.win(hWnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    Window *p = s.win(w->parent);
    switch (cmd) {
    case GW_HWNDFIRST:
        return (p && !p->children.empty()) ? p->children.front() : nullptr;
    case GW_HWNDLAST:
        return (p && !p->children.empty()) ? p->children.back() : nullptr;
    case GW_HWNDNEXT:
        return nextSibling(hWnd);
    case GW_HWNDPREV:
        return prevSibling(hWnd);
    case GW_OWNER:
        return w->owner;
    case GW_CHILD:
        return w->children.empty() ? nullptr : w->children.front();
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND WINAPI GetTopWindow(HWND hWnd)
{
    Lock lock(State::mutex());
    State &s = desktop();
    return GetWindow(hWnd ? hWnd : s.desktop, GW_CHILD);
}

HWND WINAPI GetParent(HWND hWnd)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *w = s.win(hWnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (w->style & WS_POPUP)
        return w->owner;
    if (w->style & WS_CHILD)
        return w->parent;
    return nullptr;
}

HWND WINAPI GetAncestor(HWND hWnd, UINT flags)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *w = s.win(hWnd);
    if (!w || s.isDesktop(hWnd))
        return nullptr;
    switch (flags) {
    case GA_PARENT:
        return w->parent;
    case GA_ROOT:
    case GA_ROOTOWNER: {
        while (w->parent && !s.isDesktop(w->parent) && s.win(w->parent))
            w = s.win(w->parent);
        HWND root = w->handle;
        if (flags == GA_ROOTOWNER) {
            for (HWND o = GetParent(root); o; o = GetParent(o))
                root = o;
        }
        return root;
    }
    default:
        return nullptr;
    }
}

HWND WINAPI SetParent(HWND hWnd, HWND newParent)
{
    Lock lock(State::mutex());
    State &s = desktop();
    HWND parent = newParent ? newParent : s.desktop;
    Window *pw = s.win(parent);
    Window *w = s.win(hWnd);
    if (!pw || !w || s.isDesktop(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    for (Window *a = pw; a; a = s.win(a->parent))
        if (a->handle == hWnd) {
            SetLastError(ERROR_INVALID_PARAMETER);   // a window cannot go under its own descendant
            return nullptr;
        }
    const bool wasVisible = ShowWindow(hWnd, SW_HIDE);
    if (!(w = s.win(hWnd)) || !(pw = s.win(parent)))
        return nullptr;
    const HWND oldParent = w->parent;
    const QPoint oldScreen = screenRect(w).topLeft();
    unlinkWindow(w);
    w->parent = parent;
    linkWindow(w, HWND_TOP);
    const QPoint newScreen = screenRect(w).topLeft();

    WINDOWPOS wp{};
    wp.hwnd = hWnd;
    wp.hwndInsertAfter = HWND_TOP;
    wp.x = w->rect.x();
    wp.y = w->rect.y();
    wp.flags = SWP_NOSIZE;
    setWindowPosInternal(&wp, newScreen.x() - oldScreen.x(), newScreen.y() - oldScreen.y());
    if (wasVisible && s.win(hWnd))
        ShowWindow(hWnd, SW_SHOW);
    return oldParent;
}

BOOL WINAPI EnumWindows(WNDENUMPROC func, LPARAM lParam)
{
    Lock lock(State::mutex());
    State &s = desktop();
    if (!func)
        return FALSE;
    BOOL ret = TRUE;
    for (HWND h : topLevelList()) {
        if (!s.win(h))
            continue;
        if (!(ret = func(h, lParam)))
            break;
    }
    return ret;
}

BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC func, LPARAM lParam)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *p = s.win(parent ? parent : s.desktop);
    if (!p || !func)
        return FALSE;
    enumChildren(p->children, func, lParam);
    return TRUE;
}

HWND WINAPI FindWindowW(LPCWSTR className, LPCWSTR windowName)
{
    Lock lock(State::mutex());
    State &s = desktop();
    WindowClass *cls = nullptr;
    if (className) {
        const uintptr_t v = reinterpret_cast<uintptr_t>(className);
        cls = v <= 0xFFFF ? s.findClass(ATOM(v)) : s.findClass(fromW(className));
        if (!cls) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
    }
    const QString title = fromW(windowName);
    for (HWND h : topLevelList()) {
        Window *w = s.win(h);
        if (!w || (cls && w->cls != cls))
            continue;
        if (!windowName || w->title.compare(title, Qt::CaseInsensitive) == 0)
            return h;
    }
    return nullptr;
}

HWND WINAPI WindowFromPoint(POINT pt)
{
    Lock lock(State::mutex());
    desktop();
    return hitTest(QPoint(pt.x, pt.y), nullptr);
}

HWND WINAPI ChildWindowFromPoint(HWND parent, POINT pt)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *p = s.win(parent);
    if (!p)
        return nullptr;
    const QPoint screen = QPoint(pt.x, pt.y) + (s.isDesktop(parent) ? QPoint() : clientOrigin(parent));
    if (!s.isDesktop(parent) && !screenRect(p).contains(screen))
        return nullptr;
    for (HWND c : p->children) {
        Window *cw = s.win(c);
        if (cw && regionContains(cw, screen))
            return c;
    }
    return parent;
}

DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, DWORD *processId)
{
    Lock lock(State::mutex());
    Window *w = desktop().win(hWnd);
    if (!w)
        return 0;
    if (processId)
        *processId = processOfThread(w->threadId);
    return w->threadId;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd)
{
    Lock lock(State::mutex());
    Window *w = desktop().win(hWnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL enable)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *w = s.win(hWnd);
    if (!w)
        return FALSE;
    const BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
    if (enable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        sendMessage(hWnd, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        w->style |= WS_DISABLED;
        if (s.focus == hWnd || IsChild(hWnd, s.focus))
            SetFocus(nullptr);
        sendMessage(hWnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}
