#pragma once

#include <uv.h>

#include <atomic>
#include <functional>

// Windows only. libuv waits on its I/O completion port, which the thread's window messages
// do not wake. While attached, a prepare handle makes the loop's wait itself: it waits for
// the thread's messages (MsgWaitForMultipleObjectsEx) and for the port, up to the loop's
// own timeout, and serves the messages as they come. A watcher thread waits on the port,
// puts the completion it took back for the loop and signals an event that the wait
// includes. The loop itself then only looks at its port (an idle handle keeps its timeout
// at 0): after messages, so that what their callbacks started is seen at once; after a
// completion, which that look takes. It never blocks in its port, so no message waits
// behind it. Nothing polls; both handles are unref'd. The wait can also take in one more
// event (the timers' multimedia ticks), served as it comes.
class UvMessageWait
{
public:
    UvMessageWait(uv_loop_t *pLoop, std::function<void()> fnServe);
    ~UvMessageWait();

    bool isAttached() const { return m_pPrepare != nullptr; }
    void watchTicks(void *hTicked, std::function<void()> fnTicks);
    void detach();

private:
    static void onPrepare(uv_prepare_t *pPrepare);
    static void onIdle(uv_idle_t *pIdle);
    static void onClosed(uv_handle_t *pHandle);
    static unsigned long __stdcall watch(void *pSelf);
    void wait();
    void serve(const std::function<void()> &fn);
    void lookWithoutWaiting();   // the loop's next poll of its port has a timeout of 0

    uv_loop_t *m_pLoop;
    std::function<void()> m_fnServe;
    std::function<void()> m_fnTicks;
    uv_prepare_t *m_pPrepare = nullptr;  // null once detached
    uv_idle_t *m_pIdle = nullptr;
    void *m_hWatcher = nullptr;
    void *m_hArm = nullptr;              // the watcher waits on the port once per signal
    void *m_hCompleted = nullptr;        // a completion is back in the port
    void *m_hTicked = nullptr;           // the timers' event, not ours to close
    bool m_bArmed = false;
    bool m_bServing = false;
    std::atomic<bool> m_bStop{false};
};
