// Texts, class names, window longs and the default window procedure. As in Windows,
// texts of the process's own windows go through WM_GETTEXT/WM_SETTEXT, so a window
// procedure that does not pass those on to DefWindowProcW keeps its own text.
#include "State.h"

#include <algorithm>

using namespace win32sim::detail;

namespace {

void handleWindowPosChanged(HWND h, const WINDOWPOS *wp)
{
    State &s = State::get();
    Window *w = s.win(h);
    if (!w || !wp)
        return;
    constexpr UINT noClientSize = 0x0800;
    constexpr UINT noClientMove = 0x1000;
    if (!(wp->flags & noClientMove)) {
        const QRect c = clientRectParent(w);
        sendMessage(h, WM_MOVE, 0, MAKELPARAM(c.x(), c.y()));
        if (!(w = s.win(h)))
            return;
    }
    if (!(wp->flags & noClientSize)) {
        const QRect c = clientRectParent(w);
        const WPARAM kind = (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED
                            : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        sendMessage(h, WM_SIZE, kind, MAKELPARAM(c.width(), c.height()));
    }
}

LONG_PTR setLong(HWND h, int index, LONG_PTR value, bool ptr)
{
    State &s = desktop();
    Window *w = s.win(h);
    if (!w || s.isDesktop(h)) {
        SetLastError(w ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE: {
        STYLESTRUCT st{};
        st.styleOld = index == GWL_STYLE ? w->style : w->exStyle;
        st.styleNew = DWORD(value);
        sendMessage(h, WM_STYLECHANGING, WPARAM(index), reinterpret_cast<LPARAM>(&st));
        if (!(w = s.win(h)))
            return 0;
        DWORD v = st.styleNew;
        const DWORD old = index == GWL_STYLE ? w->style : w->exStyle;
        if (index == GWL_STYLE) {
            if (w->parent == s.desktop)
                v |= WS_CLIPSIBLINGS;
            if (w->style & WS_MINIMIZE)
                v |= WS_MINIMIZE;
            w->style = v;
        } else {
            // WS_EX_TOPMOST only changes through SetWindowPos.
            v = (v & ~DWORD(WS_EX_TOPMOST)) | (w->exStyle & WS_EX_TOPMOST);
            if (v & WS_EX_DLGMODALFRAME)
                v |= WS_EX_WINDOWEDGE;
            else if (!(v & WS_EX_STATICEDGE) && (w->style & (WS_DLGFRAME | WS_THICKFRAME)))
                v |= WS_EX_WINDOWEDGE;
            else
                v &= ~DWORD(WS_EX_WINDOWEDGE);
            w->exStyle = v;
        }
        st.styleOld = old;
        st.styleNew = v;
        sendMessage(h, WM_STYLECHANGED, WPARAM(index), reinterpret_cast<LPARAM>(&st));
        return LONG(old);
    }
    case GWLP_WNDPROC: {
        if (!ptr) {
            SetLastError(ERROR_INVALID_INDEX);   // a pointer does not fit a LONG here
            return 0;
        }
        const LONG_PTR old = reinterpret_cast<LONG_PTR>(w->proc ? w->proc : &DefWindowProcW);
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    }
    case GWLP_USERDATA: {
        const LONG_PTR old = w->userData;
        w->userData = ptr ? value : LONG(value);
        return old;
    }
    case GWLP_ID: {
        const LONG_PTR old = w->id;
        w->id = value;
        return old;
    }
    case GWLP_HINSTANCE: {
        const LONG_PTR old = reinterpret_cast<LONG_PTR>(w->instance);
        w->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    }
    case GWLP_HWNDPARENT: {
        if (w->parent != s.desktop)
            return reinterpret_cast<LONG_PTR>(SetParent(h, reinterpret_cast<HWND>(value)));
        const HWND old = w->owner;
        HWND owner = reinterpret_cast<HWND>(value);
        w->owner = (owner && s.win(owner) && owner != h) ? GetAncestor(owner, GA_ROOT) : nullptr;
        return reinterpret_cast<LONG_PTR>(old);
    }
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

LONG_PTR getLong(HWND h, int index, bool ptr)
{
    State &s = desktop();
    Window *w = s.win(h);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (index) {
    case GWL_STYLE:
        return LONG(w->style);
    case GWL_EXSTYLE:
        return LONG(w->exStyle);
    case GWLP_WNDPROC:
        if (!ptr) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        return reinterpret_cast<LONG_PTR>(w->proc ? w->proc : &DefWindowProcW);
    case GWLP_USERDATA:
        return ptr ? w->userData : LONG(w->userData);
    case GWLP_ID:
        return w->id;
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(GetParent(h));
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

} // namespace

int WINAPI GetWindowTextW(HWND hWnd, LPWSTR buf, int max)
{
    Lock lock(State::mutex());
    State &s = desktop();
    if (!buf || max <= 0)
        return 0;
    buf[0] = 0;
    if (!s.win(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return int(sendMessage(hWnd, WM_GETTEXT, WPARAM(max), reinterpret_cast<LPARAM>(buf)));
}

int WINAPI GetWindowTextLengthW(HWND hWnd)
{
    Lock lock(State::mutex());
    State &s = desktop();
    if (!s.win(hWnd))
        return 0;
    return int(sendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI SetWindowTextW(HWND hWnd, LPCWSTR text)
{
    Lock lock(State::mutex());
    State &s = desktop();
    if (!s.win(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return BOOL(sendMessage(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

int WINAPI GetClassNameW(HWND hWnd, LPWSTR buf, int max)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *w = s.win(hWnd);
    if (!w || !w->cls) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return toW(w->cls->name, buf, max);
}

LONG WINAPI GetWindowLongW(HWND hWnd, int index)
{
    Lock lock(State::mutex());
    return LONG(getLong(hWnd, index, false));
}

LONG WINAPI SetWindowLongW(HWND hWnd, int index, LONG value)
{
    Lock lock(State::mutex());
    return LONG(setLong(hWnd, index, value, false));
}

LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int index)
{
    Lock lock(State::mutex());
    return getLong(hWnd, index, true);
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int index, LONG_PTR value)
{
    Lock lock(State::mutex());
    return setLong(hWnd, index, value, true);
}

LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *w = s.win(hWnd);
    if (!w)
        return 0;
    switch (msg) {
    case WM_NCCREATE: {
        auto *cs = reinterpret_cast<const CREATESTRUCTW *>(lParam);
        if (cs && cs->lpszName)
            w->title = fromW(cs->lpszName);
        return TRUE;
    }
    case WM_SETTEXT:
        w->title = fromW(reinterpret_cast<LPCWSTR>(lParam));
        return TRUE;
    case WM_GETTEXT:
        return toW(w->title, reinterpret_cast<LPWSTR>(lParam), int(wParam));
    case WM_GETTEXTLENGTH:
        return LRESULT(w->title.toStdWString().size());
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_WINDOWPOSCHANGED:
        handleWindowPosChanged(hWnd, reinterpret_cast<const WINDOWPOS *>(lParam));
        return 0;
    case WM_WINDOWPOSCHANGING: {
        // Sizable and overlapped windows keep within their tracking sizes.
        auto *wp = reinterpret_cast<WINDOWPOS *>(lParam);
        if (!wp || (wp->flags & SWP_NOSIZE))
            return 0;
        if ((w->style & WS_THICKFRAME) || !(w->style & (WS_POPUP | WS_CHILD))) {
            const DWORD style = w->style;
            const MINMAXINFO info = minMaxInfo(hWnd);
            wp->cx = std::min<int>(wp->cx, info.ptMaxTrackSize.x);
            wp->cy = std::min<int>(wp->cy, info.ptMaxTrackSize.y);
            if (!(style & WS_MINIMIZE)) {
                wp->cx = std::max<int>(wp->cx, info.ptMinTrackSize.x);
                wp->cy = std::max<int>(wp->cy, info.ptMinTrackSize.y);
            }
        }
        return 0;
    }
    case WM_NCCALCSIZE: {
        RECT *r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS *>(lParam)->rgrc[0] : reinterpret_cast<RECT *>(lParam);
        if (!r)
            return 0;
        const QMargins m = nonClientMargins(w->style, w->exStyle);
        r->left += m.left();
        r->top += m.top();
        r->right -= m.right();
        r->bottom -= m.bottom();
        r->right = std::max(r->right, r->left);
        r->bottom = std::max(r->bottom, r->top);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(w->style & WS_MINIMIZE))
            SetFocus(hWnd);
        return 0;
    case WM_NCACTIVATE:
        return TRUE;
    case WM_MOUSEACTIVATE:
        if (w->style & WS_CHILD) {
            const HWND parent = GetParent(hWnd);
            if (parent && !s.isDesktop(parent))
                if (LRESULT r = sendMessage(parent, WM_MOUSEACTIVATE, wParam, lParam))
                    return r;
        }
        return MA_ACTIVATE;
    case WM_MOUSEWHEEL:
        if (w->style & WS_CHILD) {
            const HWND parent = GetParent(hWnd);
            if (parent && !s.isDesktop(parent))
                return sendMessage(parent, msg, wParam, lParam);
        }
        return 0;
    default:
        return 0;
    }
}

LRESULT WINAPI CallWindowProcW(WNDPROC proc, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!proc)
        return 0;
    return proc(hWnd, msg, wParam, lParam);
}
