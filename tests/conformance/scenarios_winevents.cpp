// WinEvents: out-of-context hooks on this process's events (idProcess 0). With events the
// program raises itself (NotifyWinEvent): nothing arrives inside the call, everything at the
// thread's next read of its queue, whatever the read's filter; the thread and process
// filters, unhooking with events pending, and the errors. Then which calls raise
// EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_REORDER and EVENT_SYSTEM_FOREGROUND, with which
// window, object and child.
#include "scenarios.h"
#include "transcript.h"

#include <cstdio>
#include <string>

using namespace conf;

namespace {

const DWORD kTool = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const UINT kStackOnly = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;
const DWORD kAppEvent = 0x0101;   // EVENT_OEM_DEFINED_START: the system raises none

std::string g_strEvents;
int g_iEvents = 0;

const char *eventName(DWORD event)
{
    switch (event) {
    case EVENT_SYSTEM_FOREGROUND: return "EVENT_SYSTEM_FOREGROUND";
    case EVENT_OBJECT_REORDER: return "EVENT_OBJECT_REORDER";
    case EVENT_OBJECT_LOCATIONCHANGE: return "EVENT_OBJECT_LOCATIONCHANGE";
    case kAppEvent: return "APP_EVENT";
    default: return "EVENT_OTHER";
    }
}

std::string objectName(LONG id)
{
    if (id == OBJID_WINDOW)
        return "window";
    if (id == OBJID_CLIENT)
        return "client";
    return std::to_string(id);
}

// Events about windows of other scenarios or of the system are left out.
void CALLBACK record(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD thread, DWORD)
{
    const char *who = name(hwnd);
    if (std::string(who) == "foreign")
        return;
    char buf[160];
    std::snprintf(buf, sizeof buf, " %s.%s(%s,%ld,%s)", who, eventName(event), objectName(idObject).c_str(),
                  (long)idChild, thread == GetCurrentThreadId() ? "this-thread" : "other-thread");
    g_strEvents += buf;
    ++g_iEvents;
}

// Reads the thread's messages as a message loop does; what the hooks got meanwhile.
std::string pump()
{
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    std::string out = "events" + g_strEvents;
    g_strEvents.clear();
    return out;
}

// Counts what arrived inside the call itself, then pumps.
void observe(const char *key)
{
    const int inCall = g_iEvents;
    const std::string got = pump();
    note(key, "in-call=%d %s", inCall, got.c_str());
    g_iEvents = 0;
}

// What arrived since the last look, without reading the queue.
std::string taken()
{
    std::string out = "events" + g_strEvents;
    g_strEvents.clear();
    g_iEvents = 0;
    return out;
}

HWINEVENTHOOK hook(DWORD event, DWORD process = 0, DWORD thread = 0, DWORD flags = WINEVENT_OUTOFCONTEXT)
{
    return SetWinEventHook(event, event, nullptr, record, process, thread, flags);
}

}  // namespace

void scenarioWinEvents()
{
    scenario("winevents");
    HWND a = make("A", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200);
    HWND b = make("B", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 400, 10, 200, 100);
    HWND c = make("A.c", 0, WS_CHILD | WS_VISIBLE, 5, 5, 50, 40, a);
    pump();
    g_iEvents = 0;

    HWINEVENTHOOK app = hook(kAppEvent);
    note("app-hook", "set=%s", yes(app != nullptr));
    NotifyWinEvent(kAppEvent, a, OBJID_WINDOW, CHILDID_SELF);
    NotifyWinEvent(kAppEvent, c, OBJID_CLIENT, 5);
    NotifyWinEvent(kAppEvent, b, 7, 0);
    NotifyWinEvent(kAppEvent + 1, a, OBJID_WINDOW, CHILDID_SELF);
    observe("notify");
    SetLastError(0);
    NotifyWinEvent(kAppEvent, nullptr, OBJID_WINDOW, CHILDID_SELF);
    DWORD error = GetLastError();
    observe("notify-null");
    note("notify-null-error", "%u", (unsigned)error);

    // Any read of the queue delivers: a filter that matches nothing, PM_NOREMOVE, a window filter.
    MSG m;
    NotifyWinEvent(kAppEvent, a, OBJID_WINDOW, CHILDID_SELF);
    BOOL got = PeekMessageW(&m, nullptr, WM_USER + 100, WM_USER + 100, PM_NOREMOVE);
    note("filtered-peek", "got=%s %s", yes(got), taken().c_str());
    NotifyWinEvent(kAppEvent, b, OBJID_WINDOW, CHILDID_SELF);
    PostMessageW(a, WM_USER + 1, 0, 0);
    got = PeekMessageW(&m, a, WM_USER + 1, WM_USER + 1, PM_REMOVE);
    note("window-filter", "got=%s %s", yes(got), taken().c_str());

    // Filters that name this thread and process.
    HWINEVENTHOOK own = hook(kAppEvent, GetCurrentProcessId(), GetCurrentThreadId());
    HWINEVENTHOOK skipThread = hook(kAppEvent, 0, GetCurrentThreadId(), WINEVENT_SKIPOWNTHREAD);
    HWINEVENTHOOK skipProcess = hook(kAppEvent, GetCurrentProcessId(), 0, WINEVENT_SKIPOWNPROCESS);
    note("filter-hooks", "own=%s skip-thread=%s skip-process=%s", yes(own != nullptr), yes(skipThread != nullptr),
         yes(skipProcess != nullptr));
    NotifyWinEvent(kAppEvent, a, OBJID_WINDOW, CHILDID_SELF);
    observe("filtered");
    UnhookWinEvent(own);
    UnhookWinEvent(skipThread);
    UnhookWinEvent(skipProcess);

    // Unhooked with events waiting: they go with it. A hook set later sees nothing of before.
    NotifyWinEvent(kAppEvent, a, OBJID_WINDOW, CHILDID_SELF);
    BOOL ok = UnhookWinEvent(app);
    HWINEVENTHOOK late = hook(kAppEvent);
    observe("unhooked-pending");
    SetLastError(0);
    BOOL again = UnhookWinEvent(app);
    error = GetLastError();
    note("unhook-twice", "first=%s second=%s error=%u", yes(ok), yes(again), (unsigned)error);
    UnhookWinEvent(late);
    NotifyWinEvent(kAppEvent, a, OBJID_WINDOW, CHILDID_SELF);
    observe("after-unhook");

    SetLastError(0);
    HWINEVENTHOOK bad = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, nullptr, 0, 0, WINEVENT_OUTOFCONTEXT);
    note("no-proc", "hook=%s error=%u", bad ? "set" : "null", (unsigned)GetLastError());
    if (bad)
        UnhookWinEvent(bad);
    SetLastError(0);
    bad = SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_SYSTEM_FOREGROUND, nullptr, record, 0, 0,
                          WINEVENT_OUTOFCONTEXT);
    note("min-above-max", "hook=%s error=%u", bad ? "set" : "null", (unsigned)GetLastError());
    if (bad)
        UnhookWinEvent(bad);
    SetLastError(0);
    ok = UnhookWinEvent(nullptr);
    note("unhook-null", "ok=%s error=%u", yes(ok), (unsigned)GetLastError());
}

// The events the window manager raises itself, one hook each.
void scenarioWinEventsRaised()
{
    scenario("winevents-raised");
    HWND a = make("A", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200);
    HWND b = make("B", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 400, 10, 200, 100);
    HWND c = make("A.c", 0, WS_CHILD | WS_VISIBLE, 5, 5, 50, 40, a);
    HWND d = make("A.d", 0, WS_CHILD | WS_VISIBLE, 60, 5, 50, 40, a);
    pump();
    g_iEvents = 0;
    HWINEVENTHOOK hooks[3] = {hook(EVENT_SYSTEM_FOREGROUND), hook(EVENT_OBJECT_REORDER),
                              hook(EVENT_OBJECT_LOCATIONCHANGE)};
    note("hooks", "set=%s", yes(hooks[0] && hooks[1] && hooks[2]));

    POINT o = origin();
    SetWindowPos(b, nullptr, o.x + 420, o.y + 30, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    observe("move");
    SetWindowPos(b, nullptr, 0, 0, 220, 120, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    observe("size");
    SetWindowPos(b, nullptr, o.x + 420, o.y + 30, 220, 120, SWP_NOZORDER | SWP_NOACTIVATE);
    observe("same-place");
    MoveWindow(b, o.x + 430, o.y + 40, 230, 130, TRUE);
    observe("movewindow");
    SetWindowPos(c, nullptr, 7, 8, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    observe("child-move");
    SetWindowPos(b, nullptr, 0, 0, 0, 0, kStackOnly | SWP_NOZORDER | SWP_FRAMECHANGED);
    observe("frame-changed");
    SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, kStackOnly);
    observe("to-bottom");
    SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, kStackOnly);
    observe("to-bottom-again");
    SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, kStackOnly);
    observe("topmost");
    SetWindowPos(b, HWND_NOTOPMOST, 0, 0, 0, 0, kStackOnly);
    observe("notopmost");
    SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, kStackOnly);
    observe("child-to-bottom");
    SetWindowPos(d, nullptr, 0, 0, 0, 0, kStackOnly | SWP_NOZORDER | SWP_SHOWWINDOW);
    observe("shown-already");
    SetForegroundWindow(a);
    observe("activate-A");
    SetForegroundWindow(a);
    observe("activate-A-again");
    SetForegroundWindow(b);
    observe("activate-B");
    SetActiveWindow(a);
    observe("setactive-A");
    for (HWINEVENTHOOK h : hooks)
        UnhookWinEvent(h);
}
