// SetWindowPos, ShowWindow and the rectangles, following the steps Wine takes so that
// the flags in WM_WINDOWPOSCHANGING/WM_WINDOWPOSCHANGED and the resulting order agree:
// the redundant-flag fix-ups, owned popups kept above their owner, the internal
// SWP_NOCLIENTSIZE/SWP_NOCLIENTMOVE bits that DefWindowProcW reads to send
// WM_SIZE/WM_MOVE, activation through SetForegroundWindow for shown top-level windows.
#include "State.h"

#include <algorithm>

using namespace win32sim::detail;

namespace {

constexpr UINT kNoClientSize = 0x0800;   // SWP_NOCLIENTSIZE
constexpr UINT kNoClientMove = 0x1000;   // SWP_NOCLIENTMOVE
constexpr UINT kNoPosChange = SWP_NOSIZE | SWP_NOMOVE | kNoClientSize | kNoClientMove | SWP_NOZORDER;
constexpr UINT kStatusFlags = kNoPosChange | SWP_FRAMECHANGED | SWP_HIDEWINDOW | SWP_SHOWWINDOW;

bool isSpecialInsertAfter(HWND h)
{
    return h == HWND_TOP || h == HWND_BOTTOM || h == HWND_TOPMOST || h == HWND_NOTOPMOST;
}

int clampCoord(int v)
{
    return std::max(-32768, std::min(32767, v));
}

HWND firstSibling(Window *w)
{
    Window *p = State::get().win(w->parent);
    return (p && !p->children.empty()) ? p->children.front() : nullptr;
}

// "Already at the top" for HWND_TOP: the taskbars over it do not count, so that a window
// right under them is at the top as it is on a desktop without them (Wine's headless one).
bool atTop(Window *w)
{
    State &s = State::get();
    Window *p = s.win(w->parent);
    if (!p)
        return false;
    for (HWND h : p->children) {
        if (h == w->handle)
            return true;
        Window *o = s.win(h);
        if (!o || o->threadId != kShellThread || !(o->exStyle & WS_EX_TOPMOST) || (w->exStyle & WS_EX_TOPMOST))
            return false;
    }
    return false;
}

HWND lastSibling(Window *w)
{
    Window *p = State::get().win(w->parent);
    return (p && !p->children.empty()) ? p->children.back() : nullptr;
}

bool fixupFlags(WINDOWPOS *wp, const QRect &oldRect, int pdx, int pdy)
{
    State &s = State::get();
    Window *w = s.win(wp->hwnd);
    if (!w)
        return false;
    if (!isVisibleChain(w->parent) && !s.isDesktop(w->parent))
        wp->flags |= SWP_NOREDRAW;
    if (w->style & WS_VISIBLE) {
        wp->flags &= ~SWP_SHOWWINDOW;
    } else {
        wp->flags &= ~SWP_HIDEWINDOW;
        if (!(wp->flags & SWP_SHOWWINDOW))
            wp->flags |= SWP_NOREDRAW;
    }
    if (oldRect.width() == wp->cx && oldRect.height() == wp->cy)
        wp->flags |= SWP_NOSIZE;
    if (oldRect.x() - pdx == wp->x && oldRect.y() - pdy == wp->y)
        wp->flags |= SWP_NOMOVE;

    if ((w->style & (WS_POPUP | WS_CHILD)) != WS_CHILD) {
        // Activating brings the window to the top.
        if (!(wp->flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW))
            && ((wp->flags & SWP_NOZORDER)
                || (wp->hwndInsertAfter != HWND_TOPMOST && wp->hwndInsertAfter != HWND_NOTOPMOST))) {
            wp->flags &= ~SWP_NOZORDER;
            wp->hwndInsertAfter = HWND_TOP;
        }
    }
    if (wp->flags & SWP_NOZORDER)
        return true;
    const HWND ia = wp->hwndInsertAfter;
    if (ia == HWND_TOP) {
        if (atTop(w))
            wp->flags |= SWP_NOZORDER;
    } else if (ia == HWND_BOTTOM) {
        if (!(w->exStyle & WS_EX_TOPMOST) && lastSibling(w) == wp->hwnd)
            wp->flags |= SWP_NOZORDER;
    } else if (ia == HWND_TOPMOST) {
        if ((w->exStyle & WS_EX_TOPMOST) && firstSibling(w) == wp->hwnd)
            wp->flags |= SWP_NOZORDER;
    } else if (ia == HWND_NOTOPMOST) {
        if (!(w->exStyle & WS_EX_TOPMOST))
            wp->flags |= SWP_NOZORDER;
    } else if (wp->hwnd == ia || wp->hwnd == nextSibling(ia)) {
        wp->flags |= SWP_NOZORDER;
    }
    return true;
}

bool isTopmostWin(HWND h)
{
    Window *w = State::get().win(h);
    return w && (w->exStyle & WS_EX_TOPMOST);
}

// Owned popups stay above their owner: an owned window is not placed below it, and
// moving the owner moves its owned windows first. Returns the window to insert after.
HWND doOwnedPopups(HWND h, HWND insertAfter)
{
    State &s = State::get();
    Window *w = s.win(h);
    if (!w || (w->style & WS_CHILD))
        return insertAfter;
    std::vector<HWND> list;
    bool haveList = false;
    if (w->owner && insertAfter != HWND_TOPMOST) {
        list = topLevelList();
        haveList = true;
        for (size_t i = 0; i < list.size(); ++i) {
            const bool topmost = isTopmostWin(list[i]);
            if (list[i] == w->owner) {
                if (i > 0)
                    insertAfter = list[i - 1];
                else
                    insertAfter = topmost ? HWND_TOPMOST : HWND_TOP;
                break;
            }
            if (insertAfter == HWND_TOP || insertAfter == HWND_NOTOPMOST) {
                if (!topmost)
                    break;
            } else if (list[i] == insertAfter) {
                break;
            }
        }
    }
    if (insertAfter == HWND_BOTTOM)
        return insertAfter;
    if (!haveList)
        list = topLevelList();
    size_t i = 0;
    if (insertAfter == HWND_TOP || insertAfter == HWND_NOTOPMOST) {
        if (insertAfter == HWND_NOTOPMOST || !isTopmostWin(h))
            while (i < list.size() && isTopmostWin(list[i]))
                ++i;
    } else if (insertAfter != HWND_TOPMOST) {
        for (i = 0; i < list.size(); ++i) {
            if (list[i] == insertAfter)
                break;
            if (list[i] == h)
                return insertAfter;   // moving backwards: nothing to do
        }
    }
    for (; i < list.size(); ++i) {
        if (list[i] == h)
            break;
        Window *o = s.win(list[i]);
        if (!o || o->owner != h)
            continue;
        SetWindowPos(list[i], insertAfter, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_DEFERERASE);
        insertAfter = list[i];
    }
    return insertAfter;
}

} // namespace

namespace win32sim {
namespace detail {

// Wine's defaults: the maximised size is the parent's client area plus the frame (the
// caption left out), the smallest tracking size is the system's for framed windows and
// twice the frame otherwise, the largest the virtual screen plus a frame's margin.
MINMAXINFO minMaxInfo(HWND h)
{
    State &s = State::get();
    MINMAXINFO info{};
    Window *w = s.win(h);
    if (!w)
        return info;
    const QRect r = screenRect(w);
    info.ptReserved = POINT{r.x(), r.y()};
    DWORD style = w->style;
    if ((style & WS_CAPTION) == WS_CAPTION)
        style &= ~DWORD(WS_BORDER);
    Window *p = s.win(w->parent);
    const QRect pc = p ? (s.isDesktop(p->handle) ? QRect(QPoint(), p->rect.size()) : QRect(QPoint(), p->client.size()))
                       : QRect();
    const QMargins m = nonClientMargins(style, w->exStyle);
    info.ptMaxSize = POINT{pc.width() + m.left() + m.right(), pc.height() + m.top() + m.bottom()};
    info.ptMaxPosition = POINT{-m.left(), -m.top()};
    if (w->style & (WS_DLGFRAME | WS_BORDER))
        info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    else
        info.ptMinTrackSize = POINT{2 * m.left(), 2 * m.top()};
    info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    sendMessage(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    info.ptMaxTrackSize.x = std::max(info.ptMaxTrackSize.x, info.ptMinTrackSize.x);
    info.ptMaxTrackSize.y = std::max(info.ptMaxTrackSize.y, info.ptMinTrackSize.y);
    return info;
}

BOOL setWindowPosInternal(WINDOWPOS *wp, int pdx, int pdy)
{
    State &s = State::get();
    Window *w = s.win(wp->hwnd);
    if (!w || s.isDesktop(wp->hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!(wp->flags & SWP_NOZORDER) && !isSpecialInsertAfter(wp->hwndInsertAfter)) {
        Window *iw = s.win(wp->hwndInsertAfter);
        if (!iw)
            return FALSE;
        if (iw->parent != w->parent)
            return TRUE;   // not a sibling: nothing happens
    }
    if (!(wp->flags & SWP_NOMOVE)) {
        wp->x = clampCoord(wp->x);
        wp->y = clampCoord(wp->y);
    }
    if (!(wp->flags & SWP_NOSIZE)) {
        wp->cx = std::max(0, std::min(32767, wp->cx));
        wp->cy = std::max(0, std::min(32767, wp->cy));
    }
    if (!(wp->flags & SWP_NOSENDCHANGING))
        sendMessage(wp->hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(wp));
    if (!(w = s.win(wp->hwnd)))
        return FALSE;

    const DWORD thread = w->threadId;
    const QRect oldRect = w->rect;
    const QRect oldClient = clientRectParent(w);
    QRect newRect = oldRect;
    if (!(wp->flags & SWP_NOSIZE))
        newRect.setSize(QSize(wp->cx, wp->cy));
    if (!(wp->flags & SWP_NOMOVE))
        newRect.moveTo(wp->x, wp->y);
    wp->flags |= kNoClientMove | kNoClientSize;

    wp->x = clampCoord(wp->x);
    wp->y = clampCoord(wp->y);
    wp->cx = std::max(0, std::min(32767, wp->cx));
    wp->cy = std::max(0, std::min(32767, wp->cy));
    if (!fixupFlags(wp, oldRect, pdx, pdy))
        return FALSE;

    if ((wp->flags & (SWP_NOZORDER | SWP_HIDEWINDOW | SWP_SHOWWINDOW)) != SWP_NOZORDER
        && w->parent == s.desktop)
        wp->hwndInsertAfter = doOwnedPopups(wp->hwnd, wp->hwndInsertAfter);
    if (!(w = s.win(wp->hwnd)))
        return FALSE;

    // The client area: asked of the window (WM_NCCALCSIZE) when the size or the frame
    // changes, otherwise carried along with the window.
    QRect newClient = oldClient.translated(newRect.topLeft() - oldRect.topLeft());
    if ((wp->flags & (SWP_FRAMECHANGED | SWP_NOSIZE)) != SWP_NOSIZE) {
        NCCALCSIZE_PARAMS params{};
        params.rgrc[0] = RECT{newRect.x(), newRect.y(), newRect.x() + newRect.width(), newRect.y() + newRect.height()};
        params.rgrc[1] = RECT{oldRect.x(), oldRect.y(), oldRect.x() + oldRect.width(), oldRect.y() + oldRect.height()};
        params.rgrc[2] = RECT{oldClient.x(), oldClient.y(), oldClient.x() + oldClient.width(),
                              oldClient.y() + oldClient.height()};
        params.lppos = wp;
        sendMessage(wp->hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        if (!(w = s.win(wp->hwnd)))
            return FALSE;
        const RECT &c = params.rgrc[0];
        newClient = QRect(c.left, c.top, std::max(0, int(c.right - c.left)), std::max(0, int(c.bottom - c.top)));
        if (newClient.x() != oldClient.x() - pdx || newClient.y() != oldClient.y() - pdy)
            wp->flags &= ~kNoClientMove;
        if (newClient.size() != oldClient.size())
            wp->flags &= ~kNoClientSize;
    } else if (!(wp->flags & SWP_NOMOVE)
               && (newClient.x() != oldClient.x() - pdx || newClient.y() != oldClient.y() - pdy)) {
        wp->flags &= ~kNoClientMove;
    }

    if (!(wp->flags & SWP_NOZORDER) && w->parent && linkWindow(w, wp->hwndInsertAfter))
        raiseReorder(w);
    if (wp->flags & SWP_SHOWWINDOW)
        w->style |= WS_VISIBLE;
    else if (wp->flags & SWP_HIDEWINDOW)
        w->style &= ~WS_VISIBLE;
    w->rect = newRect;
    w->client = newClient;

    if (!(wp->flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW))) {
        if ((w->style & (WS_CHILD | WS_POPUP)) == WS_CHILD)
            sendMessage(wp->hwnd, WM_CHILDACTIVATE, 0, 0);
        else
            setForegroundInternal(wp->hwnd, false);
    }
    if (!s.win(wp->hwnd))
        return TRUE;
    if ((wp->flags & kStatusFlags) != kNoPosChange) {
        wp->x = newRect.x();
        wp->y = newRect.y();
        wp->cx = newRect.width();
        wp->cy = newRect.height();
        sendMessage(wp->hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(wp));
    }
    if ((wp->flags & (SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED)) != (SWP_NOSIZE | SWP_NOMOVE))
        raiseWinEvent(EVENT_OBJECT_LOCATIONCHANGE, wp->hwnd, OBJID_WINDOW, CHILDID_SELF, thread);
    return TRUE;
}

// The parent tells that its children changed order: as its window when it is the desktop,
// as its client area otherwise.
void raiseReorder(const Window *w)
{
    const bool topLevel = State::get().isDesktop(w->parent);
    raiseWinEvent(EVENT_OBJECT_REORDER, w->parent, topLevel ? OBJID_WINDOW : OBJID_CLIENT, CHILDID_SELF, w->threadId);
}

} // namespace detail
} // namespace win32sim

BOOL WINAPI SetWindowPos(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    Lock lock(State::mutex());
    desktop();
    WINDOWPOS wp{};
    wp.hwnd = hWnd;
    wp.hwndInsertAfter = insertAfter;
    wp.x = x;
    wp.y = y;
    wp.cx = cx;
    wp.cy = cy;
    wp.flags = flags & 0x7FFF & ~(kNoClientMove | kNoClientSize);
    if (flags & kNoClientMove)
        wp.flags |= kNoClientMove;
    if (flags & kNoClientSize)
        wp.flags |= kNoClientSize;
    return setWindowPosInternal(&wp, 0, 0);
}

BOOL WINAPI MoveWindow(HWND hWnd, int x, int y, int width, int height, BOOL repaint)
{
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!repaint)
        flags |= SWP_NOREDRAW;
    return SetWindowPos(hWnd, nullptr, x, y, width, height, flags);
}

BOOL WINAPI BringWindowToTop(HWND hWnd)
{
    return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL WINAPI ShowWindow(HWND hWnd, int cmd)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *w = s.win(hWnd);
    if (!w || s.isDesktop(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const DWORD style = w->style;
    const bool wasVisible = (style & WS_VISIBLE) != 0;
    // Minimised and maximised states are not kept: those commands show the window.
    UINT swp = 0;
    switch (cmd) {
    case SW_HIDE:
        if (!wasVisible)
            return FALSE;
        swp |= SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE;
        if (style & WS_CHILD)
            swp |= SWP_NOACTIVATE | SWP_NOZORDER;
        break;
    case SW_SHOWMINNOACTIVE:
    case SW_MINIMIZE:
    case SW_FORCEMINIMIZE:
    case SW_SHOWNA:
        swp |= SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
        if (style & WS_CHILD)
            swp |= SWP_NOZORDER;
        break;
    case SW_SHOWMINIMIZED:
    case SW_SHOWMAXIMIZED:
    case SW_SHOW:
        if (wasVisible)
            return TRUE;
        swp |= SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
        if (style & WS_CHILD)
            swp |= SWP_NOACTIVATE | SWP_NOZORDER;
        break;
    case SW_SHOWNOACTIVATE:
        swp |= SWP_NOACTIVATE | SWP_NOZORDER;
        [[fallthrough]];
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
        if (wasVisible)
            return TRUE;
        swp |= SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
        if (style & WS_CHILD)
            swp |= SWP_NOACTIVATE | SWP_NOZORDER;
        break;
    default:
        return wasVisible;
    }
    const bool show = cmd != SW_HIDE;
    if (show != wasVisible || cmd == SW_SHOWNA) {
        sendMessage(hWnd, WM_SHOWWINDOW, show, 0);
        if (!(w = s.win(hWnd)))
            return wasVisible;
    }
    if (!isVisibleChain(w->parent) && !s.isDesktop(w->parent)) {
        // Under a hidden parent only the style changes.
        if (show)
            w->style |= WS_VISIBLE;
        else
            w->style &= ~WS_VISIBLE;
    } else {
        SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, swp);
    }
    if (!(w = s.win(hWnd)))
        return wasVisible;
    if (cmd == SW_HIDE) {
        if (hWnd == s.foreground)
            activateOtherWindow(hWnd);
        if (s.focus && (s.focus == hWnd || IsChild(hWnd, s.focus))) {
            Window *cw = s.win(hWnd);
            HWND parent = cw ? cw->parent : nullptr;
            SetFocus(s.isDesktop(parent) ? nullptr : parent);
        }
        return wasVisible;
    }
    if (w->needSize) {
        w->needSize = false;
        const QRect c = clientRectParent(w);
        sendMessage(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.width(), c.height()));
        if ((w = s.win(hWnd)))
            sendMessage(hWnd, WM_MOVE, 0, MAKELPARAM(clientRectParent(w).x(), clientRectParent(w).y()));
    }
    return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND hWnd)
{
    Lock lock(State::mutex());
    State &s = desktop();
    if (s.isDesktop(hWnd))
        return TRUE;
    return isVisibleChain(hWnd);
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT r)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *w = s.win(hWnd);
    if (!w || !r) {
        SetLastError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const QRect q = screenRect(w);
    *r = RECT{q.x(), q.y(), q.x() + q.width(), q.y() + q.height()};
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT r)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *w = s.win(hWnd);
    if (!w || !r) {
        SetLastError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const QRect q = clientRectParent(w);
    *r = RECT{0, 0, q.width(), q.height()};
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT p)
{
    Lock lock(State::mutex());
    State &s = desktop();
    if (!s.win(hWnd) || !p) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const QPoint o = s.isDesktop(hWnd) ? QPoint() : clientOrigin(hWnd);
    p->x += o.x();
    p->y += o.y();
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT p)
{
    Lock lock(State::mutex());
    State &s = desktop();
    if (!s.win(hWnd) || !p) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const QPoint o = s.isDesktop(hWnd) ? QPoint() : clientOrigin(hWnd);
    p->x -= o.x();
    p->y -= o.y();
    return TRUE;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT r, DWORD style, BOOL, DWORD exStyle)
{
    if (!r)
        return FALSE;
    const QMargins m = nonClientMargins(style, exStyle);
    r->left -= m.left();
    r->top -= m.top();
    r->right += m.right();
    r->bottom += m.bottom();
    return TRUE;
}

BOOL WINAPI IsIconic(HWND hWnd)
{
    Lock lock(State::mutex());
    Window *w = desktop().win(hWnd);
    return w && (w->style & WS_MINIMIZE);
}

BOOL WINAPI IsZoomed(HWND hWnd)
{
    Lock lock(State::mutex());
    Window *w = desktop().win(hWnd);
    return w && (w->style & WS_MAXIMIZE);
}
