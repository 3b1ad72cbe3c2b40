// Thread message queues. Posted messages wait in the queue of the window's thread (the
// control face can read them all); sent messages call the window procedure directly on
// the calling thread. A thread that reads its queue first gets the WinEvents waiting for
// its hooks; a thread whose loop asked to be woken is woken when something arrives.
#include "State.h"

#include <condition_variable>
#include <chrono>

using namespace win32sim::detail;

namespace {

std::mutex &wakeMutex()
{
    static std::mutex m;
    return m;
}

std::condition_variable &wake()
{
    static std::condition_variable c;
    return c;
}

bool matches(const MSG &m, HWND filter, UINT first, UINT last)
{
    if (filter == reinterpret_cast<HWND>(-1)) {
        if (m.hwnd)
            return false;
    } else if (filter && m.hwnd != filter && !IsChild(filter, m.hwnd)) {
        return false;
    }
    if (first == 0 && last == 0)
        return true;
    if (m.message == WM_QUIT)
        return true;
    return m.message >= first && m.message <= last;
}

bool takeMessage(LPMSG out, HWND filter, UINT first, UINT last, bool remove)
{
    State &s = desktop();
    auto it = s.queues.find(GetCurrentThreadId());
    if (it == s.queues.end())
        return false;
    auto &q = it->second;
    for (auto m = q.begin(); m != q.end(); ++m) {
        // WM_QUIT comes out only when nothing else is waiting.
        if (m->message == WM_QUIT && m + 1 != q.end())
            continue;
        if (!matches(*m, filter, first, last))
            continue;
        if (out)
            *out = *m;
        if (remove)
            q.erase(m);
        return true;
    }
    for (auto m = q.begin(); m != q.end(); ++m)
        if (m->message == WM_QUIT) {
            if (out)
                *out = *m;
            if (remove)
                q.erase(m);
            return true;
        }
    return false;
}

void postTo(DWORD thread, HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    State &s = State::get();
    MSG m{};
    m.hwnd = h;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = GetTickCount();
    m.pt.x = s.cursor.x();
    m.pt.y = s.cursor.y();
    s.queues[thread].push_back(m);
    queueChanged(thread);
}

} // namespace

namespace win32sim {
namespace detail {

void queueChanged(DWORD thread)
{
    State &s = State::get();
    {
        std::lock_guard<std::mutex> g(wakeMutex());
        wake().notify_all();
    }
    auto it = s.queueWakes.find(thread);
    if (it == s.queueWakes.end() || !it->second)
        return;
    bool &pending = s.wakePending[thread];
    if (pending)
        return;
    pending = true;
    it->second();
}

void queueLooked(DWORD thread)
{
    State &s = State::get();
    auto it = s.wakePending.find(thread);
    if (it != s.wakePending.end())
        it->second = false;
}

} // namespace detail

void setQueueWake(DWORD threadId, QueueWake wake)
{
    Lock lock(State::mutex());
    State &s = desktop();
    s.wakePending.erase(threadId);
    if (!wake) {
        s.queueWakes.erase(threadId);
        return;
    }
    s.queueWakes[threadId] = std::move(wake);
    auto q = s.queues.find(threadId);
    auto e = s.winEvents.find(threadId);
    if ((q != s.queues.end() && !q->second.empty()) || (e != s.winEvents.end() && !e->second.empty()))
        queueChanged(threadId);
}

} // namespace win32sim

BOOL WINAPI PostMessageW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Lock lock(State::mutex());
    State &s = desktop();
    if (!hWnd) {
        postTo(GetCurrentThreadId(), nullptr, msg, wParam, lParam);
        return TRUE;
    }
    if (hWnd == HWND_BROADCAST) {
        for (HWND h : topLevelList())
            if (Window *w = s.win(h))
                postTo(w->threadId, h, msg, wParam, lParam);
        return TRUE;
    }
    Window *w = s.win(hWnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    postTo(w->threadId, hWnd, msg, wParam, lParam);
    return TRUE;
}

LRESULT WINAPI SendMessageW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Lock lock(State::mutex());
    State &s = desktop();
    if (hWnd == HWND_BROADCAST) {
        for (HWND h : topLevelList())
            sendMessage(h, msg, wParam, lParam);
        return 1;
    }
    if (!s.win(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return sendMessage(hWnd, msg, wParam, lParam);
}

BOOL WINAPI PeekMessageW(LPMSG msg, HWND hWnd, UINT first, UINT last, UINT remove)
{
    Lock lock(State::mutex());
    desktop();
    queueLooked(GetCurrentThreadId());
    deliverWinEvents();
    return takeMessage(msg, hWnd, first, last, (remove & PM_REMOVE) != 0);
}

BOOL WINAPI GetMessageW(LPMSG msg, HWND hWnd, UINT first, UINT last)
{
    if (!msg)
        return -1;
    if (hWnd && hWnd != reinterpret_cast<HWND>(-1) && !IsWindow(hWnd))
        return -1;
    for (;;) {
        {
            Lock lock(State::mutex());
            desktop();
            queueLooked(GetCurrentThreadId());
            deliverWinEvents();
            if (takeMessage(msg, hWnd, first, last, true))
                return msg->message == WM_QUIT ? FALSE : TRUE;
        }
        std::unique_lock<std::mutex> g(wakeMutex());
        wake().wait_for(g, std::chrono::milliseconds(20));
    }
}

BOOL WINAPI TranslateMessage(const MSG *msg)
{
    return msg != nullptr && false;
}

LRESULT WINAPI DispatchMessageW(const MSG *msg)
{
    if (!msg)
        return 0;
    Lock lock(State::mutex());
    State &s = desktop();
    if (!msg->hwnd)
        return 0;
    if (!s.win(msg->hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return sendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void WINAPI PostQuitMessage(int exitCode)
{
    Lock lock(State::mutex());
    desktop();
    postTo(GetCurrentThreadId(), nullptr, WM_QUIT, WPARAM(exitCode), 0);
}
