#pragma once

#include "DispatchGuard.h"

#include <QAbstractEventDispatcher>
#include <QHash>

#include <uv.h>

#include <cstdint>
#include <memory>

class FineTimerTicks;

// Qt timers served by uv timers of the script thread's loop. Each Qt timer keeps its
// own schedule in nanoseconds and arms a one-shot uv timer for its next tick, so a
// repeating timer does not drift by the loop's millisecond rounding. On Windows, once the
// loop's wait takes in their event, coarse timers under 20 ms tick as multimedia timers
// instead, as in Qt's own dispatcher there.
class UvTimerSet
{
public:
    explicit UvTimerSet(uv_loop_t *pLoop);
    ~UvTimerSet();
    UvTimerSet(const UvTimerSet &) = delete;
    UvTimerSet &operator=(const UvTimerSet &) = delete;

    void setGuard(DispatchGuard guard) { m_guard = std::move(guard); }
    // Runs before a tick that the loop fires (not before fireDue()).
    void setBeforeFiring(std::function<void()> before) { m_before = std::move(before); }
    // Runs before the ticks that serveTicks() fires.
    void setBeforeTicks(std::function<void()> before) { m_beforeTicks = std::move(before); }

    void registerTimer(int iTimerId, int iInterval, Qt::TimerType type, QObject *pObject);
    bool unregisterTimer(int iTimerId);
    bool unregisterTimers(QObject *pObject);
    QList<QAbstractEventDispatcher::TimerInfo> registeredTimers(QObject *pObject) const;
    int remainingTime(int iTimerId) const;

    // Windows: coarse timers under 20 ms registered from now on tick as multimedia timers;
    // the event returned is signalled on a tick and must make the loop call serveTicks().
    // Null when they are not available.
    void *useFineTicks();
    void serveTicks();

    // Fires the timers already due, for a processEvents() called while the loop is busy.
    bool fireDue();
    // Closes every uv handle; timers are still booked but never fire again.
    void detach();

private:
    struct Handle;
    struct Timer
    {
        int iId = 0;
        int iInterval = 0;            // milliseconds, after very coarse rounding
        Qt::TimerType type = Qt::CoarseTimer;
        QObject *pObject = nullptr;
        uint64_t uDueNs = 0;          // uv_hrtime() clock
        uint64_t uSerial = 0;         // tells a reused id from the timer it replaced
        bool bFiring = false;
        bool bFine = false;           // ticks come from a multimedia timer
        Handle *pHandle = nullptr;
    };

    static void onTimer(uv_timer_t *pHandle);
    static void onClosed(uv_handle_t *pHandle);
    bool fire(int iTimerId);
    bool fireTicked();
    void arm(Timer *pTimer, bool bNeverEarly = false);
    void release(Timer *pTimer);

    uv_loop_t *m_pLoop;
    QHash<int, Timer *> m_mapTimers;
    uint64_t m_uNextSerial = 1;
    int m_iFineTimers = 0;            // timers that want the system's 1 ms ticks
#ifdef _WIN32
    std::unique_ptr<FineTimerTicks> m_pFineTicks;
#endif
    DispatchGuard m_guard;
    std::function<void()> m_before;
    std::function<void()> m_beforeTicks;
};
