#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <vector>

// A Qt timer that records when each tick arrives (uv_hrtime clock) and on which thread,
// for measuring how the loop serves Qt timers.
class TimerProbe : public QObject
{
    Q_OBJECT

public:
    TimerProbe(int iInterval, Qt::TimerType type, QObject *pParent = nullptr);
    ~TimerProbe() override;

    void setTickHook(std::function<void()> fn) { m_fnTick = std::move(fn); }
    void stop();

    int interval() const { return m_iInterval; }
    uint64_t startNs() const { return m_uStartNs; }
    const std::vector<uint64_t> &ticksNs() const { return m_ticksNs; }
    int foreignThreadTicks() const { return m_iForeignThreadTicks; }
    int remainingTime() const;

protected:
    void timerEvent(QTimerEvent *pEvent) override;

private:
    int m_iInterval;
    int m_iTimerId = 0;
    uint64_t m_uStartNs = 0;
    std::vector<uint64_t> m_ticksNs;
    int m_iForeignThreadTicks = 0;
    std::function<void()> m_fnTick;
};
