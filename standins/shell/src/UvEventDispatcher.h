#pragma once

#include "DispatchGuard.h"
#include "UvSocketNotifiers.h"
#include "UvTimerSet.h"

#include <QAbstractEventDispatcher>

#include <uv.h>

#include <atomic>
#include <mutex>

class UvMessageWait;

// Qt's event dispatcher for the script thread, built on Node's own libuv loop: Qt
// timers are uv timers, socket notifiers uv polls, and a wake-up (posted events,
// window-system events) is a uv async. Nothing polls, and every handle is unref'd, so
// Qt never keeps a finished script alive. The loop belongs to Node: processEvents()
// never blocks, and nested event loops are refused.
//
// Like Qt's Windows dispatcher it also serves the thread's Win32 messages (PeekMessageW,
// TranslateMessage, DispatchMessageW until the queue is empty), which is where
// out-of-context WinEvents reach their hooks. On the simulated desktop the same uv async
// is signalled when something is queued for the thread (win32sim::setQueueWake), as
// MsgWaitForMultipleObjects wakes a shell on Windows; there UvMessageWait does that wait,
// which also takes in the multimedia ticks of short coarse timers (see UvTimerSet).
class UvEventDispatcher : public QAbstractEventDispatcher
{
    Q_OBJECT

public:
    explicit UvEventDispatcher(uv_loop_t *pLoop, QObject *pParent = nullptr);
    ~UvEventDispatcher() override;

    void setGuard(DispatchGuard guard);

    // One pass as the script asks for it: what processEvents() does, then the deferred
    // deletes, when no Qt event is being delivered further up the stack.
    bool processFromScript(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
    // True when no Qt event delivery or event loop is running on this thread.
    bool atTopLevel() const;
    // Leaves the loop: every uv handle is closed, Qt's bookkeeping goes on idle.
    void detach();
    bool isDetached() const { return m_bDetached; }

    bool processEvents(QEventLoop::ProcessEventsFlags flags) override;
    bool hasPendingEvents() override;

    void registerSocketNotifier(QSocketNotifier *pNotifier) override;
    void unregisterSocketNotifier(QSocketNotifier *pNotifier) override;

    void registerTimer(int iTimerId, int iInterval, Qt::TimerType timerType, QObject *pObject) override;
    bool unregisterTimer(int iTimerId) override;
    bool unregisterTimers(QObject *pObject) override;
    QList<TimerInfo> registeredTimers(QObject *pObject) const override;
    int remainingTime(int iTimerId) override;

#ifdef _WIN32
    // Handles waited on for QWinEventNotifier (QProcess, for example) are not served.
    bool registerEventNotifier(QWinEventNotifier *pNotifier) override;
    void unregisterEventNotifier(QWinEventNotifier *pNotifier) override;
#endif

    void wakeUp() override;
    void interrupt() override;
    void flush() override;

private:
    static void onWake(uv_async_t *pAsync);
    static void onWakeClosed(uv_handle_t *pHandle);
    void serveWake();
    bool sendQueued(QEventLoop::ProcessEventsFlags flags);
    bool sendWindowMessages(QEventLoop::ProcessEventsFlags flags);
    void sendDeferredDeletes();
    void refuseNestedLoop();

    UvTimerSet m_timers;
    UvSocketNotifiers m_sockets;
    DispatchGuard m_guard;
    std::mutex m_wakeMutex;           // wakeUp() comes from any thread
    uv_async_t *m_pWake = nullptr;    // null once detached
    std::atomic<bool> m_bInterrupted{false};
    bool m_bDetached = false;
    unsigned long m_uThreadId = 0;    // the thread whose Win32 queue is served
    UvMessageWait *m_pMessageWait = nullptr;   // Windows: the loop's wait, messages included
};
