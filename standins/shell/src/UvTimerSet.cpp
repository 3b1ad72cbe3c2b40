#include "UvTimerSet.h"

#include <QCoreApplication>
#include <QTimerEvent>

#include <algorithm>
#include <vector>

#ifdef _WIN32
#include "FineTimerTicks.h"

#include <windows.h>
#include <mmsystem.h>
#endif

namespace {

constexpr uint64_t kNsPerMs = 1000000;

// Very coarse timers keep whole seconds, as Qt's own dispatchers do.
int effectiveInterval(int iInterval, Qt::TimerType type)
{
    if (iInterval <= 0)
        return 0;
    if (type == Qt::VeryCoarseTimer)
        return std::max(1, (iInterval + 500) / 1000) * 1000;
    return iInterval;
}

// Windows wakes a waiting thread on its clock's ticks, 15.6 ms apart unless a process asks
// for finer ones. Qt's own dispatcher gets 1 ms ticks for these timers (multimedia timers),
// so the shell asks for them while such a timer exists.
bool wantsFineTicks(int iInterval, Qt::TimerType type)
{
    return iInterval > 0 && (iInterval < 20 || type == Qt::PreciseTimer);
}

void holdFineTicks(bool bHold)
{
#ifdef _WIN32
    if (bHold)
        timeBeginPeriod(1);
    else
        timeEndPeriod(1);
#else
    Q_UNUSED(bHold)
#endif
}

} // namespace

struct UvTimerSet::Handle
{
    uv_timer_t timer;
    UvTimerSet *pOwner;
    int iTimerId;
};

void UvTimerSet::onClosed(uv_handle_t *pHandle)
{
    delete static_cast<Handle *>(pHandle->data);
}

UvTimerSet::UvTimerSet(uv_loop_t *pLoop)
    : m_pLoop(pLoop)
{
}

UvTimerSet::~UvTimerSet()
{
    detach();
    qDeleteAll(m_mapTimers);
    if (m_iFineTimers > 0)
        holdFineTicks(false);
}

void UvTimerSet::registerTimer(int iTimerId, int iInterval, Qt::TimerType type, QObject *pObject)
{
    if (iTimerId <= 0 || !pObject)
        return;
    if (Timer *pOld = m_mapTimers.take(iTimerId)) // Qt never does this; stay consistent if it did
        release(pOld);

    auto *pTimer = new Timer;
    pTimer->iId = iTimerId;
    pTimer->iInterval = effectiveInterval(iInterval, type);
    pTimer->type = type;
    pTimer->pObject = pObject;
    pTimer->uSerial = m_uNextSerial++;
    pTimer->uDueNs = uv_hrtime() + uint64_t(pTimer->iInterval) * kNsPerMs;
    m_mapTimers.insert(iTimerId, pTimer);
    if (wantsFineTicks(pTimer->iInterval, type)) {
        if (m_iFineTimers++ == 0)
            holdFineTicks(true);
#ifdef _WIN32
        // Their ticks keep a whole-millisecond grid, within a short coarse timer's leeway;
        // a precise timer keeps the loop's clock, which never fires early.
        pTimer->bFine = type == Qt::CoarseTimer && m_pLoop && m_pFineTicks
                        && m_pFineTicks->start(iTimerId, pTimer->iInterval);
#endif
    }

    if (m_pLoop && !pTimer->bFine) {
        auto *pHandle = new Handle{};
        pHandle->pOwner = this;
        pHandle->iTimerId = iTimerId;
        uv_timer_init(m_pLoop, &pHandle->timer);
        pHandle->timer.data = pHandle;
        uv_unref(reinterpret_cast<uv_handle_t *>(&pHandle->timer)); // a finished script still exits
        pTimer->pHandle = pHandle;
        arm(pTimer);
    }
}

bool UvTimerSet::unregisterTimer(int iTimerId)
{
    Timer *pTimer = m_mapTimers.take(iTimerId);
    if (!pTimer)
        return false;
    release(pTimer);
    return true;
}

bool UvTimerSet::unregisterTimers(QObject *pObject)
{
    QList<int> ids;
    for (const Timer *pTimer : qAsConst(m_mapTimers))
        if (pTimer->pObject == pObject)
            ids.append(pTimer->iId);
    for (int iId : qAsConst(ids))
        unregisterTimer(iId);
    return !ids.isEmpty();
}

QList<QAbstractEventDispatcher::TimerInfo> UvTimerSet::registeredTimers(QObject *pObject) const
{
    QList<QAbstractEventDispatcher::TimerInfo> list;
    for (const Timer *pTimer : qAsConst(m_mapTimers))
        if (pTimer->pObject == pObject)
            list.append({pTimer->iId, pTimer->iInterval, pTimer->type});
    return list;
}

int UvTimerSet::remainingTime(int iTimerId) const
{
    const Timer *pTimer = m_mapTimers.value(iTimerId);
    if (!pTimer)
        return -1;
    const uint64_t uNow = uv_hrtime();
    if (pTimer->uDueNs <= uNow)
        return 0;
    return int((pTimer->uDueNs - uNow + kNsPerMs - 1) / kNsPerMs);
}

void *UvTimerSet::useFineTicks()
{
#ifdef _WIN32
    if (!m_pFineTicks)
        m_pFineTicks = std::make_unique<FineTimerTicks>();
    if (m_pFineTicks->isReady())
        return m_pFineTicks->tickedEvent();
    m_pFineTicks.reset();
#endif
    return nullptr;
}

void UvTimerSet::serveTicks()
{
    runGuarded(m_guard, [this] {
        if (m_beforeTicks)
            m_beforeTicks();
        fireTicked();
    });
}

bool UvTimerSet::fireTicked()
{
    bool bFired = false;
#ifdef _WIN32
    if (!m_pFineTicks)
        return false;
    // A tick may kill another ticked timer, or kill it and reuse its id.
    std::vector<std::pair<int, uint64_t>> ticked;
    for (int iId : m_pFineTicks->takeTicked())
        if (const Timer *pTimer = m_mapTimers.value(iId))
            ticked.emplace_back(iId, pTimer->uSerial);
    for (const auto &entry : ticked) {
        const Timer *pTimer = m_mapTimers.value(entry.first);
        if (pTimer && pTimer->uSerial == entry.second)
            bFired |= fire(entry.first);
    }
#endif
    return bFired;
}

bool UvTimerSet::fireDue()
{
    bool bFired = fireTicked();
    const uint64_t uNow = uv_hrtime();
    std::vector<std::pair<uint64_t, int>> due;
    for (const Timer *pTimer : qAsConst(m_mapTimers))
        if (!pTimer->bFiring && !pTimer->bFine && pTimer->uDueNs <= uNow)
            due.emplace_back(pTimer->uDueNs, pTimer->iId);
    std::sort(due.begin(), due.end());
    for (const auto &entry : due)
        bFired |= fire(entry.second);
    return bFired;
}

void UvTimerSet::detach()
{
#ifdef _WIN32
    if (m_pFineTicks)
        m_pFineTicks->stopAll();
#endif
    for (Timer *pTimer : qAsConst(m_mapTimers)) {
        if (Handle *pHandle = pTimer->pHandle) {
            uv_timer_stop(&pHandle->timer);
            uv_close(reinterpret_cast<uv_handle_t *>(&pHandle->timer), onClosed);
            pTimer->pHandle = nullptr;
        }
    }
    m_pLoop = nullptr;
}

void UvTimerSet::onTimer(uv_timer_t *pUvTimer)
{
    auto *pHandle = static_cast<Handle *>(pUvTimer->data);
    UvTimerSet *pSelf = pHandle->pOwner;
    const int iId = pHandle->iTimerId;
    runGuarded(pSelf->m_guard, [pSelf, iId] {
        if (pSelf->m_before)
            pSelf->m_before();
        pSelf->fire(iId);
    });
}

bool UvTimerSet::fire(int iTimerId)
{
    Timer *pTimer = m_mapTimers.value(iTimerId);
    if (!pTimer || pTimer->bFiring) // a timer is never re-entered from its own tick
        return false;
    // Coarse timers may come up to 5 % early (as with Qt's own dispatchers), never more.
    // A multimedia timer's tick is its schedule.
    const uint64_t uNow = uv_hrtime();
    const uint64_t uIntervalNs = uint64_t(pTimer->iInterval) * kNsPerMs;
    if (pTimer->bFine) {
        pTimer->uDueNs = uNow;
    } else if (uNow + uIntervalNs / 20 < pTimer->uDueNs) {
        arm(pTimer, true);
        return false;
    }

    // Next tick on the timer's own schedule; one that fell behind skips to now + interval.
    pTimer->uDueNs += uIntervalNs;
    if (pTimer->uDueNs <= uNow)
        pTimer->uDueNs = uNow + uIntervalNs;
    arm(pTimer);

    const uint64_t uSerial = pTimer->uSerial;
    QObject *pObject = pTimer->pObject;
    pTimer->bFiring = true;
    QTimerEvent event(iTimerId);
    QCoreApplication::sendEvent(pObject, &event);

    // The tick may have killed the timer, or killed it and reused its id.
    Timer *pAfter = m_mapTimers.value(iTimerId);
    if (pAfter && pAfter->uSerial == uSerial)
        pAfter->bFiring = false;
    return true;
}

void UvTimerSet::arm(Timer *pTimer, bool bNeverEarly)
{
    Handle *pHandle = pTimer->pHandle;
    if (!pHandle || !m_pLoop)
        return;
    // The loop counts whole milliseconds: it reads the clock (rounding down) just before
    // it goes to sleep, then sleeps whole milliseconds from that moment, i.e. late by the
    // fraction it dropped. Precise (and very coarse) timers take the next millisecond and
    // are never early; coarse ones take the nearest, less that fraction.
    const uint64_t uLoopNow = uv_now(m_pLoop);
    uint64_t uDueMs;
    if (pTimer->type == Qt::CoarseTimer && !bNeverEarly) {
        const uint64_t uFractionNs = uv_hrtime() % kNsPerMs;
        const uint64_t uTargetNs = pTimer->uDueNs > uFractionNs ? pTimer->uDueNs - uFractionNs : 0;
        uDueMs = (uTargetNs + kNsPerMs / 2) / kNsPerMs;
    } else {
        uDueMs = (pTimer->uDueNs + kNsPerMs - 1) / kNsPerMs;
    }
    uv_timer_start(&pHandle->timer, onTimer, uDueMs > uLoopNow ? uDueMs - uLoopNow : 0, 0);
}

void UvTimerSet::release(Timer *pTimer)
{
    if (wantsFineTicks(pTimer->iInterval, pTimer->type) && --m_iFineTimers == 0)
        holdFineTicks(false);
#ifdef _WIN32
    if (pTimer->bFine && m_pFineTicks)
        m_pFineTicks->stop(pTimer->iId);
#endif
    if (Handle *pHandle = pTimer->pHandle) {
        uv_timer_stop(&pHandle->timer);
        uv_close(reinterpret_cast<uv_handle_t *>(&pHandle->timer), onClosed);
    }
    delete pTimer;
}
