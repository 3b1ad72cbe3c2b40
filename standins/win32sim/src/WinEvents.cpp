// WinEvents: SetWinEventHook, UnhookWinEvent, NotifyWinEvent, and the events the desktop
// raises itself (SetWindowPos, activation). Filters as documented: by process and thread
// of the event, WINEVENT_SKIPOWNPROCESS and WINEVENT_SKIPOWNTHREAD against the hooking
// thread. Out-of-context hooks, the usual kind, get their events queued for the thread
// that set them and called from its next PeekMessageW or GetMessageW, as Wine posts them
// to that thread; in-context hooks are called at once on the raising thread. A hook that
// is removed gets nothing of what still waits for it, as documented (Wine delivers it).
//
// The control face's other processes have one thread each (State.h): a hook on a browser's
// thread also sees the other windows of that simulated process.
#include "State.h"

#include <algorithm>

using namespace win32sim::detail;

namespace {

const WinEventHook *findHook(HWINEVENTHOOK h)
{
    for (const WinEventHook &hook : State::get().winEventHooks)
        if (hook.handle == h)
            return &hook;
    return nullptr;
}

bool knownProcess(DWORD process)
{
    return process == kOwnProcess || process == kShellProcess || process == kOtherAppsProcess;
}

bool wants(const WinEventHook &hook, DWORD event, DWORD thread, DWORD process)
{
    if (event < hook.eventMin || event > hook.eventMax)
        return false;
    if (hook.process && hook.process != process)
        return false;
    if (hook.thread && hook.thread != thread)
        return false;
    if ((hook.flags & WINEVENT_SKIPOWNPROCESS) && process == processOfThread(hook.ownerThread))
        return false;
    return !((hook.flags & WINEVENT_SKIPOWNTHREAD) && thread == hook.ownerThread);
}

} // namespace

namespace win32sim {
namespace detail {

DWORD processOfThread(DWORD thread)
{
    if (thread == kShellThread)
        return kShellProcess;
    if (thread == kOtherAppsThread)
        return kOtherAppsProcess;
    return kOwnProcess;
}

void raiseWinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD thread)
{
    State &s = State::get();
    if (!s.winEventsEnabled || s.winEventHooks.empty() || !hwnd)
        return;
    const DWORD process = processOfThread(thread);
    const DWORD time = GetTickCount();
    // An in-context hook may set or remove hooks while it runs.
    const std::vector<WinEventHook> hooks = s.winEventHooks;
    for (const WinEventHook &hook : hooks) {
        if (!wants(hook, event, thread, process) || !findHook(hook.handle))
            continue;
        if (hook.flags & WINEVENT_INCONTEXT) {
            hook.proc(hook.handle, event, hwnd, idObject, idChild, thread, time);
            continue;
        }
        s.winEvents[hook.ownerThread].push_back(
            PendingWinEvent{hook.handle, event, hwnd, idObject, idChild, thread, time, ++s.winEventSerial});
        queueChanged(hook.ownerThread);
    }
}

// What waits when the call starts; what the callbacks raise waits for the next call, so
// that a hook answering its own events cannot hold the thread here.
void deliverWinEvents()
{
    State &s = State::get();
    const DWORD self = GetCurrentThreadId();
    const quint64 last = s.winEventSerial;
    for (;;) {
        auto it = s.winEvents.find(self);   // a callback may have reset the desktop
        if (it == s.winEvents.end() || it->second.empty() || it->second.front().serial > last)
            return;
        const PendingWinEvent e = it->second.front();
        it->second.pop_front();
        if (const WinEventHook *hook = findHook(e.hook)) {
            const WINEVENTPROC proc = hook->proc;
            proc(e.hook, e.event, e.hwnd, e.idObject, e.idChild, e.thread, e.time);
        }
    }
}

void clearWinEvents()
{
    State &s = State::get();
    s.winEventHooks.clear();
    s.winEvents.clear();
    s.winEventsEnabled = true;
}

} // namespace detail

void setWinEventsEnabled(bool enabled)
{
    Lock lock(State::mutex());
    State &s = desktop();
    s.winEventsEnabled = enabled;
    if (!enabled)
        s.winEvents.clear();
}

bool winEventsEnabled()
{
    Lock lock(State::mutex());
    return desktop().winEventsEnabled;
}

} // namespace win32sim

HWINEVENTHOOK WINAPI SetWinEventHook(DWORD eventMin, DWORD eventMax, HMODULE hmodWinEventProc,
                                     WINEVENTPROC pfnWinEventProc, DWORD idProcess, DWORD idThread,
                                     DWORD dwFlags)
{
    Lock lock(State::mutex());
    State &s = desktop();
    if (!pfnWinEventProc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (eventMin > eventMax) {
        SetLastError(ERROR_INVALID_HOOK_FILTER);
        return nullptr;
    }
    if ((dwFlags & WINEVENT_INCONTEXT) && !hmodWinEventProc) {
        SetLastError(ERROR_HOOK_NEEDS_HMOD);
        return nullptr;
    }
    if ((idProcess && !knownProcess(idProcess)) || (idProcess && idThread && processOfThread(idThread) != idProcess)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    WinEventHook hook;
    hook.handle = static_cast<HWINEVENTHOOK>(s.newHandle());
    hook.eventMin = eventMin;
    hook.eventMax = eventMax;
    hook.proc = pfnWinEventProc;
    hook.process = idProcess;
    hook.thread = idThread;
    hook.flags = dwFlags;
    hook.ownerThread = GetCurrentThreadId();
    s.winEventHooks.push_back(hook);
    return hook.handle;
}

BOOL WINAPI UnhookWinEvent(HWINEVENTHOOK hWinEventHook)
{
    Lock lock(State::mutex());
    State &s = desktop();
    auto &hooks = s.winEventHooks;
    const auto it = std::find_if(hooks.begin(), hooks.end(),
                                 [hWinEventHook](const WinEventHook &h) { return h.handle == hWinEventHook; });
    if (it == hooks.end()) {
        SetLastError(hWinEventHook ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Only the thread that set it may remove it (documented; Wine does not check).
    if (it->ownerThread != GetCurrentThreadId()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto queue = s.winEvents.find(it->ownerThread);
    if (queue != s.winEvents.end()) {
        auto &q = queue->second;
        q.erase(std::remove_if(q.begin(), q.end(), [hWinEventHook](const PendingWinEvent &e) { return e.hook == hWinEventHook; }),
                q.end());
    }
    hooks.erase(it);
    return TRUE;
}

void WINAPI NotifyWinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild)
{
    Lock lock(State::mutex());
    desktop();
    if (!hwnd) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return;
    }
    raiseWinEvent(event, hwnd, idObject, idChild, GetCurrentThreadId());
}
