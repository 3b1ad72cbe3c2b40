#pragma once

#include <atomic>
#include <memory>
#include <unordered_map>
#include <vector>

// Windows only. Qt's own dispatcher runs timers shorter than 20 ms on the system's periodic
// multimedia timers: their ticks keep a 1 ms grid of their own, however late the waiting
// thread wakes. The shell uses the same ticks for them. The multimedia thread only marks
// its timer as ticked and signals one event, which the loop's wait includes; the ticked
// timers are then fired on the script thread.
class FineTimerTicks
{
public:
    FineTimerTicks();
    ~FineTimerTicks();
    FineTimerTicks(const FineTimerTicks &) = delete;
    FineTimerTicks &operator=(const FineTimerTicks &) = delete;

    bool isReady() const { return m_hTicked != nullptr; }
    void *tickedEvent() const { return m_hTicked; }   // auto-reset

    // False when the system refuses: the caller keeps the timer on the loop's clock.
    bool start(int iTimerId, int iIntervalMs);
    // Once this returns no tick of the timer comes any more.
    void stop(int iTimerId);
    void stopAll();
    // The timers that ticked since the last call, in no particular order.
    std::vector<int> takeTicked();

    struct Ticker   // shared with the multimedia thread
    {
        std::atomic<bool> bTicked{false};
        void *hTicked = nullptr;
        unsigned uMmTimer = 0;
    };

private:
    void *m_hTicked = nullptr;
    std::unordered_map<int, std::unique_ptr<Ticker>> m_tickers;
};
