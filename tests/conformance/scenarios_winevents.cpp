// WinEvents: out-of-context hooks on this process's events (idProcess 0). With events the
// program raises itself (NotifyWinEvent): nothing arrives inside the call, everything at the
// thread's next read of its queue, whatever the read's filter; the thread and process
// filters, unhooking with events pending, and the errors. Which calls raise the events the
// window host listens to is tests/win32sim's: Wine 8.0 raises none of them.
#include "harness.h"
#include "scenarios.h"

#include <cstdio>

using namespace conf;

namespace {

const DWORD kAppEvent = 0x0101;  // EVENT_OEM_DEFINED_START: the system raises none

std::string g_strEvents;
int g_iEvents = 0;

// Events about windows of other scenarios or of the system are left out.
void CALLBACK record(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD thread, DWORD)
{
    if (hwnd && hwnd != GetDesktopWindow() && !named(hwnd))
        return;
    const std::string object = idObject == OBJID_WINDOW   ? "window"
                               : idObject == OBJID_CLIENT ? "client"
                                                          : std::to_string(idObject);
    char buf[160];
    std::snprintf(buf, sizeof buf, " %s.%s(%s,%ld,%s)", name(hwnd), event == kAppEvent ? "APP_EVENT" : "EVENT_OTHER",
                  object.c_str(), long(idChild), thread == GetCurrentThreadId() ? "this-thread" : "other-thread");
    g_strEvents += buf;
    ++g_iEvents;
}

// What arrived since the last look, without reading the queue.
std::string taken()
{
    std::string out = "events" + g_strEvents;
    g_strEvents.clear();
    g_iEvents = 0;
    return out;
}

// Reads the thread's messages as a message loop does; what arrived inside the call itself,
// then what the hooks got meanwhile.
std::string pumped()
{
    const int inCall = g_iEvents;
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return "in-call=" + std::to_string(inCall) + " " + taken();
}

HWINEVENTHOOK hook(DWORD event, DWORD process = 0, DWORD thread = 0, DWORD flags = WINEVENT_OUTOFCONTEXT)
{
    return SetWinEventHook(event, event, nullptr, record, process, thread, flags);
}

void notify(HWND h, LONG idObject = OBJID_WINDOW, LONG idChild = CHILDID_SELF, DWORD event = kAppEvent)
{
    NotifyWinEvent(event, h, idObject, idChild);
}

// SetWinEventHook with bad arguments: whether it sets one, and the error.
void badHook(const char *key, DWORD min, DWORD max, WINEVENTPROC proc)
{
    SetLastError(0);
    HWINEVENTHOOK h = SetWinEventHook(min, max, nullptr, proc, 0, 0, WINEVENT_OUTOFCONTEXT);
    note(key, "hook=%s error=%u", h ? "set" : "null", unsigned(GetLastError()));
    if (h)
        UnhookWinEvent(h);
}

}  // namespace

void winEventScenarios()
{
    scenario("winevents");
    HWND a = make("A", 0, kFramed | WS_VISIBLE, 10, 10, 300, 200);
    HWND b = make("B", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 400, 10, 200, 100);
    HWND c = make("A.c", 0, WS_CHILD | WS_VISIBLE, 5, 5, 50, 40, a);
    pumped();

    HWINEVENTHOOK app = hook(kAppEvent);
    note("app-hook", "set=%s", yes(app != nullptr));
    notify(a);
    notify(c, OBJID_CLIENT, 5);
    notify(b, 7, 0);
    notify(a, OBJID_WINDOW, CHILDID_SELF, kAppEvent + 1);
    note("notify", "%s", pumped().c_str());
    SetLastError(0);
    notify(nullptr);
    DWORD error = GetLastError();
    note("notify-null", "%s", pumped().c_str());
    note("notify-null-error", "%u", unsigned(error));

    // Any read of the queue delivers: a filter that matches nothing, PM_NOREMOVE, a window filter.
    MSG m;
    notify(a);
    BOOL got = PeekMessageW(&m, nullptr, WM_USER + 100, WM_USER + 100, PM_NOREMOVE);
    note("filtered-peek", "got=%s %s", yes(got), taken().c_str());
    notify(b);
    PostMessageW(a, WM_USER + 1, 0, 0);
    got = PeekMessageW(&m, a, WM_USER + 1, WM_USER + 1, PM_REMOVE);
    note("window-filter", "got=%s %s", yes(got), taken().c_str());

    // Filters that name this thread and process. Then unhooked with events waiting: they go
    // with it. A hook set later sees nothing of before.
    const HWINEVENTHOOK filtered[] = {hook(kAppEvent, GetCurrentProcessId(), GetCurrentThreadId()),
                                      hook(kAppEvent, 0, GetCurrentThreadId(), WINEVENT_SKIPOWNTHREAD),
                                      hook(kAppEvent, GetCurrentProcessId(), 0, WINEVENT_SKIPOWNPROCESS)};
    note("filter-hooks", "own=%s skip-thread=%s skip-process=%s", yes(filtered[0]), yes(filtered[1]),
         yes(filtered[2]));
    notify(a);
    note("filtered", "%s", pumped().c_str());
    for (HWINEVENTHOOK h : filtered)
        UnhookWinEvent(h);
    notify(a);
    const BOOL ok = UnhookWinEvent(app);
    HWINEVENTHOOK late = hook(kAppEvent);
    note("unhooked-pending", "%s", pumped().c_str());
    SetLastError(0);
    const BOOL again = UnhookWinEvent(app);
    error = GetLastError();
    note("unhook-twice", "first=%s second=%s error=%u", yes(ok), yes(again), unsigned(error));
    UnhookWinEvent(late);
    notify(a);
    note("after-unhook", "%s", pumped().c_str());
    badHook("no-proc", EVENT_MIN, EVENT_MAX, nullptr);
    badHook("min-above-max", EVENT_OBJECT_LOCATIONCHANGE, EVENT_SYSTEM_FOREGROUND, record);
    SetLastError(0);
    const BOOL bNull = UnhookWinEvent(nullptr);
    note("unhook-null", "ok=%s error=%u", yes(bNull), unsigned(GetLastError()));
}
