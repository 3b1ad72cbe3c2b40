// Reacting when it happens: out-of-context WinEvent hooks on the browser's thread run the
// follow and stacking work of the periodic passes as soon as the browser window moves,
// rises or becomes the foreground window, instead of up to one period later. The passes
// keep running unchanged; a hook that never fires changes nothing.
//
// An embedded host only listens for the foreground: its activation flag decides whether a
// press in the video activates the browser, and a second press right after the first
// one must not activate again. A floating host also follows moves and restacking.
#include "WindowControl.h"

#include <QPointer>

#include <map>

namespace {

// Hooks are called on the thread that set them (the UI thread), with no context pointer.
std::map<HWINEVENTHOOK, WindowControl *> &hostsByHook()
{
    static std::map<HWINEVENTHOOK, WindowControl *> s_map;
    return s_map;
}

const DWORD kBrowserEvents[] = {EVENT_SYSTEM_FOREGROUND, EVENT_OBJECT_REORDER, EVENT_OBJECT_LOCATIONCHANGE};

} // namespace

void WindowControl::watchBrowser()
{
    if (m_hWatchedWnd && m_hWatchedWnd == m_hParentHwnd)
        return;
    unwatchBrowser();
    if (!m_hParentHwnd)
        return;
    // Activation and stacking happen to the browser's top-level window, in its thread.
    const HWND hRoot = GetAncestor(m_hParentHwnd, GA_ROOT);
    DWORD dwProcess = 0;
    const DWORD dwThread = GetWindowThreadProcessId(hRoot ? hRoot : m_hParentHwnd, &dwProcess);
    if (!dwThread)
        return;
    m_hWatchedWnd = m_hParentHwnd;
    const int iCount = m_bEmbed ? 1 : 3;
    for (int i = 0; i < iCount; ++i) {
        const DWORD event = kBrowserEvents[i];
        m_hBrowserHooks[i] = SetWinEventHook(event, event, nullptr, &WindowControl::browserEventProc, dwProcess,
                                             dwThread, WINEVENT_OUTOFCONTEXT);
        if (m_hBrowserHooks[i])
            hostsByHook()[m_hBrowserHooks[i]] = this;
    }
}

void WindowControl::unwatchBrowser()
{
    for (HWINEVENTHOOK &hHook : m_hBrowserHooks) {
        if (!hHook)
            continue;
        hostsByHook().erase(hHook);
        UnhookWinEvent(hHook);
        hHook = nullptr;
    }
    m_hWatchedWnd = nullptr;
}

void CALLBACK WindowControl::browserEventProc(HWINEVENTHOOK hHook, DWORD event, HWND hWnd, LONG idObject,
                                              LONG idChild, DWORD, DWORD)
{
    // An event that waited while its host went finds no host.
    const auto it = hostsByHook().find(hHook);
    if (it == hostsByHook().end() || idChild != CHILDID_SELF)
        return;
    it->second->onBrowserEvent(event, hWnd, idObject);
}

void WindowControl::onBrowserEvent(DWORD event, HWND hWnd, LONG idObject)
{
    // The host's own restacking and activation come from another thread than the
    // browser's, so they do not come back here; a nested event waits for the passes.
    if (m_bInBrowserEvent || !m_hParentHwnd || !isVisible())
        return;
    bool bFollow = false;
    bool bStack = false;
    switch (event) {
    case EVENT_OBJECT_LOCATIONCHANGE:
        bFollow = !m_bEmbed && hWnd == m_hParentHwnd && idObject == OBJID_WINDOW;
        break;
    case EVENT_SYSTEM_FOREGROUND:
        bStack = idObject == OBJID_WINDOW && (hWnd == m_hParentHwnd || hWnd == GetAncestor(m_hParentHwnd, GA_ROOT));
        break;
    case EVENT_OBJECT_REORDER:
        // Told by the container whose children changed order: as its window, or as its client area.
        bStack = !m_bEmbed && hWnd == GetAncestor(m_hParentHwnd, GA_PARENT)
                 && (idObject == OBJID_WINDOW || idObject == OBJID_CLIENT);
        break;
    default:
        break;
    }
    if (!bFollow && !bStack)
        return;
    QPointer<WindowControl> pSelf(this);
    m_bInBrowserEvent = true;
    if (bFollow)
        followParent();
    else
        trackForeground();
    if (pSelf)
        m_bInBrowserEvent = false;
}
