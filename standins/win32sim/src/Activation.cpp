// Foreground, active and focus windows. One input queue for the whole desktop, so the
// active window is the foreground window. Messages and their order follow Wine:
// WM_NCACTIVATE/WM_ACTIVATE(WA_INACTIVE) to the old window, WM_ACTIVATEAPP when the
// thread changes, WM_NCACTIVATE/WM_ACTIVATE to the new one, then WM_KILLFOCUS/WM_SETFOCUS;
// EVENT_SYSTEM_FOREGROUND once the new window is active, before WM_ACTIVATEAPP.
// Unlike Wine's headless driver, and like Windows, activating a top-level window also
// brings it to the top of its band (its owned windows stay above it);
// WIN32SIM_ACTIVATION_RAISE=0 in the environment turns that off, for comparing
// transcripts with Wine.
#include "State.h"

#include <cstdlib>
#include <cstring>

using namespace win32sim::detail;

namespace {

bool canActivate(HWND h)
{
    Window *w = State::get().win(h);
    if (!w || !(w->style & WS_VISIBLE))
        return false;
    if ((w->style & (WS_POPUP | WS_CHILD)) == WS_CHILD)
        return false;
    return !(w->style & WS_DISABLED);
}

bool validForeground(HWND h)
{
    State &s = State::get();
    Window *w = s.win(h);
    return w && !s.isDesktop(h) && (w->style & (WS_POPUP | WS_CHILD)) != WS_CHILD;
}

// True when only windows it owns lie above it in its band.
bool atTopOfBand(Window *w)
{
    State &s = State::get();
    for (HWND h : topLevelList()) {
        if (h == w->handle)
            return true;
        Window *o = s.win(h);
        if (!o)
            continue;
        const bool sameBand = ((o->exStyle ^ w->exStyle) & WS_EX_TOPMOST) == 0;
        if (!sameBand)
            continue;
        HWND owner = o->owner;
        while (owner && owner != w->handle) {
            Window *ow = s.win(owner);
            owner = ow ? ow->owner : nullptr;
        }
        if (owner != w->handle)
            return false;
    }
    return true;
}

bool raiseEnabled()
{
    static const bool enabled = [] {
        const char *v = std::getenv("WIN32SIM_ACTIVATION_RAISE");
        return !(v && std::strcmp(v, "0") == 0);
    }();
    return enabled;
}

void raiseOnActivation(HWND h)
{
    if (!raiseEnabled())
        return;
    State &s = State::get();
    Window *w = s.win(h);
    if (!w || w->parent != s.desktop || atTopOfBand(w))
        return;
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND setFocusWindow(HWND h)
{
    State &s = State::get();
    const HWND previous = s.focus;
    if (previous == h)
        return previous;
    s.focus = h;
    if (previous && s.win(previous)) {
        sendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(h), 0);
        if (s.focus != h)
            return previous;   // changed by the message
    }
    if (h && s.win(h))
        sendMessage(h, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

} // namespace

namespace win32sim {
namespace detail {

bool setActiveInternal(HWND h, HWND *prev, bool mouse, bool focus)
{
    State &s = State::get();
    HWND previous = s.foreground;
    if (previous == h) {
        if (prev)
            *prev = h;
        return true;
    }
    if (h)
        raiseOnActivation(h);
    if (previous && s.win(previous)) {
        sendMessage(previous, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(h));
        sendMessage(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(previous)), reinterpret_cast<LPARAM>(h));
    }
    if (h && !s.win(h))
        return false;
    previous = s.foreground;
    s.foreground = h;
    if (prev)
        *prev = previous;
    if (previous == h)
        return true;

    if (Window *active = s.win(h))
        raiseWinEvent(EVENT_SYSTEM_FOREGROUND, h, OBJID_WINDOW, CHILDID_SELF, active->threadId);
    Window *ow = s.win(previous);
    Window *nw = s.win(h);
    const DWORD oldThread = ow ? ow->threadId : 0;
    const DWORD newThread = nw ? nw->threadId : 0;
    if (oldThread != newThread) {
        const std::vector<HWND> list = topLevelList();
        if (oldThread)
            for (HWND t : list)
                if (Window *tw = s.win(t); tw && tw->threadId == oldThread)
                    sendMessage(t, WM_ACTIVATEAPP, FALSE, LPARAM(newThread));
        if (newThread)
            for (HWND t : list)
                if (Window *tw = s.win(t); tw && tw->threadId == newThread)
                    sendMessage(t, WM_ACTIVATEAPP, TRUE, LPARAM(oldThread));
    }
    if (h && s.win(h)) {
        sendMessage(h, WM_NCACTIVATE, h == s.foreground, reinterpret_cast<LPARAM>(previous));
        sendMessage(h, WM_ACTIVATE, MAKEWPARAM(mouse ? WA_CLICKACTIVE : WA_ACTIVE, IsIconic(h)),
                    reinterpret_cast<LPARAM>(previous));
    }
    if (focus && h == s.foreground) {
        if (!s.focus || !h || GetAncestor(s.focus, GA_ROOT) != h)
            setFocusWindow(h);
    }
    return true;
}

BOOL setForegroundInternal(HWND h, bool mouse)
{
    State &s = State::get();
    if (h && !validForeground(h)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (s.foreground == h)
        return TRUE;
    return setActiveInternal(h, nullptr, mouse, true);
}

void activateOtherWindow(HWND h)
{
    State &s = State::get();
    HWND to = nullptr;
    Window *w = s.win(h);
    if (w && (w->style & WS_POPUP) && w->owner) {
        to = GetAncestor(w->owner, GA_ROOT);
        if (!canActivate(to))
            to = nullptr;
    }
    if (!to) {
        for (HWND n = nextSibling(h); n; n = nextSibling(n))
            if (canActivate(n)) {
                to = n;
                break;
            }
    }
    if (!to) {
        for (HWND n : topLevelList()) {
            if (n == h)
                break;
            if (canActivate(n)) {
                to = n;
                break;
            }
        }
    }
    if (!s.foreground || s.foreground == h) {
        if (setForegroundInternal(to, false))
            return;
    }
    if (setActiveInternal(to, nullptr, false, true))
        setActiveInternal(nullptr, nullptr, false, true);
}

} // namespace detail
} // namespace win32sim

HWND WINAPI GetForegroundWindow(void)
{
    Lock lock(State::mutex());
    return desktop().foreground;
}

BOOL WINAPI SetForegroundWindow(HWND hWnd)
{
    Lock lock(State::mutex());
    desktop();
    if (!hWnd)
        return FALSE;
    return setForegroundInternal(hWnd, false);
}

HWND WINAPI GetActiveWindow(void)
{
    Lock lock(State::mutex());
    return desktop().foreground;
}

HWND WINAPI SetActiveWindow(HWND hWnd)
{
    Lock lock(State::mutex());
    State &s = desktop();
    if (hWnd) {
        Window *w = s.win(hWnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        if ((w->style & (WS_POPUP | WS_CHILD)) == WS_CHILD)
            return s.foreground;
    }
    HWND prev = nullptr;
    if (!setActiveInternal(hWnd, &prev, false, true))
        return nullptr;
    return prev;
}

HWND WINAPI GetFocus(void)
{
    Lock lock(State::mutex());
    return desktop().focus;
}

HWND WINAPI SetFocus(HWND hWnd)
{
    Lock lock(State::mutex());
    State &s = desktop();
    const HWND previous = s.focus;
    if (hWnd) {
        if (!s.win(hWnd)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        if (hWnd == previous)
            return previous;
        HWND top = hWnd;
        for (;;) {
            Window *w = s.win(top);
            if (w->style & (WS_MINIMIZE | WS_DISABLED))
                return nullptr;
            if (!(w->style & WS_CHILD))
                break;
            const HWND parent = w->parent;
            if (!parent || s.isDesktop(parent)) {
                if ((w->style & (WS_POPUP | WS_CHILD)) == WS_CHILD)
                    return nullptr;
                break;
            }
            top = parent;
        }
        if (top != s.foreground) {
            if (!setActiveInternal(top, nullptr, false, false))
                return nullptr;
            if (!s.win(hWnd) || top != s.foreground)
                return nullptr;
        }
    } else if (!previous) {
        return nullptr;
    }
    return setFocusWindow(hWnd);
}
