// WinEvents: which calls raise which event about which window, delivery of out-of-context
// events only when the hooking thread reads its queue, the process and thread filters
// against the window's thread, hooks removed while events wait, and the wake-up of a
// thread's loop. (The mechanism and the errors are compared with Wine in tests/conformance.)
// Wine 8.0 raises none of the three events the window host listens to. Windows raises
// EVENT_OBJECT_LOCATIONCHANGE (OBJID_WINDOW) after WM_WINDOWPOSCHANGED when a window moved,
// was sized or its frame changed, and EVENT_SYSTEM_FOREGROUND when a window becomes the active
// one (Wine's user32 message tests, recorded on Windows: WmSWP_MoveSeq, WmSWP_ResizeSeq,
// WmSWP_ShowOverlappedSeq); EVENT_OBJECT_REORDER names the parent container of the window that
// took another place among its siblings (MSAA documentation).
#include "DesktopFixture.h"

#include <thread>

namespace {

QStringList g_events;   // "EVENT window object", as they arrived
DWORD g_thread = 0;

void CALLBACK recordEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG, DWORD thread, DWORD);

HWINEVENTHOOK hook(DWORD first, DWORD last, DWORD process = 0, DWORD thread = 0, DWORD flags = WINEVENT_OUTOFCONTEXT)
{
    return SetWinEventHook(first, last, nullptr, recordEvent, process, thread, flags);
}

class WinEvents : public DesktopTest
{
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        removeTaskbars();
        pump();
    }
    void TearDown() override
    {
        win32sim::reset();   // takes every hook
        g_events.clear();
        DesktopTest::TearDown();
    }
    static QString label(HWND h) { return name(h); }
    static QStringList taken()
    {
        const QStringList out = g_events;
        g_events.clear();
        return out;
    }
    // Reads the queue as a message loop does; the events that came with it.
    static QStringList pump()
    {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&m);
        return taken();
    }
    friend void CALLBACK recordEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD);
};

void CALLBACK recordEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG, DWORD thread, DWORD)
{
    const char *what = event == EVENT_SYSTEM_FOREGROUND ? "FOREGROUND" : event == EVENT_OBJECT_REORDER ? "REORDER" : "LOCATION";
    const char *object = idObject == OBJID_WINDOW ? "window" : idObject == OBJID_CLIENT ? "client" : "other";
    g_events << QStringLiteral("%1 %2 %3").arg(QLatin1String(what), WinEvents::label(hwnd), QLatin1String(object));
    g_thread = thread;
}

} // namespace

TEST_F(WinEvents, CallsRaiseEventsAboutTheirWindowDeliveredWhenTheQueueIsRead)
{
    const HWND a = make(L"A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300);
    const HWND b = make(L"B", WS_POPUP | WS_VISIBLE, 500, 0, 200, 100);   // the foreground window
    const HWND c = make(L"C", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, a);
    make(L"D", WS_CHILD | WS_VISIBLE, 70, 10, 50, 50, a);
    ASSERT_TRUE(hook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND));
    ASSERT_TRUE(hook(EVENT_OBJECT_REORDER, EVENT_OBJECT_LOCATIONCHANGE));   // nothing between them is raised
    const UINT stackOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    const struct
    {
        const char *step;
        std::function<void()> call;
        QStringList events;
    } steps[] = {
        {"move", [&] { SetWindowPos(b, nullptr, 510, 5, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE); },
         {"LOCATION B window"}},
        {"same place", [&] { MoveWindow(b, 510, 5, 200, 100, TRUE); }, {}},
        {"size", [&] { SetWindowPos(b, nullptr, 0, 0, 210, 110, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE); },
         {"LOCATION B window"}},
        {"control face", [&] { win32sim::moveWindow(a, QRect(20, 20, 400, 300)); }, {"LOCATION A window"}},
        {"child", [&] { MoveWindow(c, 12, 12, 50, 50, TRUE); }, {"LOCATION C window"}},
        {"lowered", [&] { SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, stackOnly); }, {"REORDER DESKTOP window"}},
        {"already lowest", [&] { SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, stackOnly); }, {}},
        {"child lowered", [&] { SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, stackOnly); }, {"REORDER A client"}},
        {"activated at the top", [&] { SetForegroundWindow(a); }, {"FOREGROUND A window"}},
        {"activated below", [&] { SetForegroundWindow(b); }, {"REORDER DESKTOP window", "FOREGROUND B window"}},
        {"active already", [&] { SetActiveWindow(b); }, {}},
        {"created", [&] { make(L"E", WS_POPUP, 0, 0, 10, 10); }, {"REORDER DESKTOP window"}},
    };
    for (const auto &s : steps) {
        s.call();
        EXPECT_TRUE(g_events.isEmpty()) << s.step << ": delivered inside the call";
        EXPECT_EQ(pump(), s.events) << s.step;
        EXPECT_TRUE(s.events.isEmpty() || g_thread == GetCurrentThreadId()) << s.step;
    }

    // Only the hooking thread's reads deliver; what another thread raised waits for it.
    std::thread([b] {
        MoveWindow(b, 600, 5, 200, 100, TRUE);
        MSG m;
        PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);
    }).join();
    EXPECT_TRUE(g_events.isEmpty());
    EXPECT_EQ(pump(), QStringList({"LOCATION B window"}));

    // Off: nothing raised, and what waited is gone; reset() turns them on and takes the hooks.
    MoveWindow(b, 610, 5, 200, 100, TRUE);
    win32sim::setWinEventsEnabled(false);
    MoveWindow(b, 620, 5, 200, 100, TRUE);
    EXPECT_TRUE(pump().isEmpty());
    win32sim::reset();
    EXPECT_TRUE(win32sim::winEventsEnabled());
    MoveWindow(make(L"F", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10), 5, 5, 10, 10, TRUE);
    EXPECT_TRUE(pump().isEmpty()) << "a hook survived reset()";
}

// Events come from the thread of the window they are about: the control face's windows
// belong to another process, ours to this one.
TEST_F(WinEvents, ProcessAndThreadFiltersSeeTheWindowsThread)
{
    const HWND own = make(L"Own", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    const HWND app = win32sim::createWindow({"SimWindow", "App", QRect(200, 0, 100, 100)});
    DWORD appProcess = 0, ownProcess = 0;
    const DWORD appThread = GetWindowThreadProcessId(app, &appProcess);
    EXPECT_EQ(GetWindowThreadProcessId(own, &ownProcess), GetCurrentThreadId());
    EXPECT_EQ(ownProcess, GetCurrentProcessId());
    ASSERT_NE(appProcess, GetCurrentProcessId());
    pump();

    const DWORD loc = EVENT_OBJECT_LOCATIONCHANGE;
    const struct
    {
        const char *name;
        DWORD process, thread, flags;
        QStringList events;
    } filters[] = {
        {"all", 0, 0, WINEVENT_OUTOFCONTEXT, {"LOCATION Own window", "LOCATION App window"}},
        {"app process", appProcess, 0, WINEVENT_OUTOFCONTEXT, {"LOCATION App window"}},
        {"app thread", appProcess, appThread, WINEVENT_OUTOFCONTEXT, {"LOCATION App window"}},
        {"our thread", 0, GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT, {"LOCATION Own window"}},
        {"skip own process", 0, 0, WINEVENT_SKIPOWNPROCESS, {"LOCATION App window"}},
        {"skip own thread", 0, 0, WINEVENT_SKIPOWNTHREAD, {"LOCATION App window"}},
        {"ours, skipping ours", GetCurrentProcessId(), 0, WINEVENT_SKIPOWNPROCESS, {}},
    };
    for (const auto &f : filters) {
        const HWINEVENTHOOK h = hook(loc, loc, f.process, f.thread, f.flags);
        ASSERT_TRUE(h) << f.name;
        win32sim::moveWindow(own, win32sim::windowRect(own).translated(1, 0));
        win32sim::moveWindow(app, win32sim::windowRect(app).translated(1, 0));
        EXPECT_EQ(pump(), f.events) << f.name;
        EXPECT_TRUE(UnhookWinEvent(h));
    }
    EXPECT_FALSE(hook(loc, loc, appProcess, GetCurrentThreadId())) << "a thread of another process";
    EXPECT_FALSE(hook(loc, loc, 4711)) << "no such process";
}

namespace {

HWINEVENTHOOK g_victim = nullptr;
HWND g_mover = nullptr;
int g_calls = 0;

// Removes another hook whose event waits behind this one, and moves a window again, which
// raises an event for itself: that one waits for the next read.
void CALLBACK unhookAndMove(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD)
{
    ++g_calls;
    if (g_victim)
        UnhookWinEvent(std::exchange(g_victim, nullptr));
    MoveWindow(g_mover, 100 + g_calls, 0, 10, 10, TRUE);
}

} // namespace

TEST_F(WinEvents, HooksRemovedOrFedFromTheirOwnCallbacks)
{
    g_mover = make(L"M", WS_POPUP | WS_VISIBLE, 100, 0, 10, 10);
    const DWORD loc = EVENT_OBJECT_LOCATIONCHANGE;
    const HWINEVENTHOOK feeder = SetWinEventHook(loc, loc, nullptr, unhookAndMove, 0, 0, WINEVENT_OUTOFCONTEXT);
    g_victim = hook(loc, loc);
    g_calls = 0;
    MoveWindow(g_mover, 50, 0, 10, 10, TRUE);
    MSG m;
    EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(g_calls, 1);
    EXPECT_TRUE(g_events.isEmpty()) << "the removed hook was called";
    EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(g_calls, 2);

    BOOL removedElsewhere = TRUE;
    std::thread([&] { removedElsewhere = UnhookWinEvent(feeder); }).join();
    EXPECT_FALSE(removedElsewhere) << "only the thread that set it removes it";
    EXPECT_TRUE(UnhookWinEvent(feeder));
    EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(g_calls, 2);
}

// The wake-up a shell's loop waits for: once per arrivals until the thread reads its
// queue, at registration when something waits, from any thread, for this thread only.
TEST_F(WinEvents, QueueWakeOncePerArrivalUntilTheThreadLooks)
{
    const HWND own = make(L"Own", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    const HWND app = win32sim::createWindow({"SimWindow", "App", QRect(200, 0, 100, 100)});
    const DWORD self = GetCurrentThreadId();
    int wakes = 0;
    PostMessageW(own, WM_USER, 0, 0);
    win32sim::setQueueWake(self, [&] { ++wakes; });
    EXPECT_EQ(wakes, 1);
    PostMessageW(own, WM_USER + 1, 0, 0);
    EXPECT_EQ(wakes, 1);
    pump();

    hook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE);
    win32sim::moveWindow(app, QRect(210, 0, 100, 100));
    win32sim::moveWindow(app, QRect(220, 0, 100, 100));
    EXPECT_EQ(wakes, 2);
    EXPECT_EQ(pump().size(), 2);
    std::thread([own] { PostMessageW(own, WM_USER + 2, 0, 0); }).join();
    EXPECT_EQ(wakes, 3);
    PostMessageW(app, WM_USER, 0, 0);   // another thread's queue
    EXPECT_EQ(wakes, 3);
    pump();

    win32sim::setQueueWake(self, nullptr);
    PostMessageW(own, WM_USER, 0, 0);
    EXPECT_EQ(wakes, 3);
    pump();
}
