#include "TimerProbe.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QTimerEvent>

#include <uv.h>

TimerProbe::TimerProbe(int iInterval, Qt::TimerType type, std::function<void()> fnTick)
    : m_iInterval(iInterval)
    , m_fnTick(std::move(fnTick))
{
    m_ticksNs.reserve(4096);
    m_uStartNs = uv_hrtime();
    m_iTimerId = startTimer(iInterval, type);
}

void TimerProbe::stop()
{
    if (m_iTimerId > 0)
        killTimer(m_iTimerId);
    m_iTimerId = 0;
}

int TimerProbe::remainingTime() const
{
    QAbstractEventDispatcher *pDispatcher = QAbstractEventDispatcher::instance();
    return m_iTimerId > 0 && pDispatcher ? pDispatcher->remainingTime(m_iTimerId) : -1;
}

void TimerProbe::timerEvent(QTimerEvent *pEvent)
{
    if (pEvent->timerId() != m_iTimerId)
        return;
    m_ticksNs.push_back(uv_hrtime());
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        ++m_iForeignThreadTicks;
    if (m_fnTick)
        m_fnTick();
}
