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
    TimerProbe(int iInterval, Qt::TimerType type, std::function<void()> fnTick);
    ~TimerProbe() override { stop(); }

    void stop();
    int remainingTime() const;

    const int m_iInterval;
    uint64_t m_uStartNs = 0;
    std::vector<uint64_t> m_ticksNs;
    int m_iForeignThreadTicks = 0;

protected:
    void timerEvent(QTimerEvent *pEvent) override;

private:
    int m_iTimerId = 0;
    std::function<void()> m_fnTick;
};
