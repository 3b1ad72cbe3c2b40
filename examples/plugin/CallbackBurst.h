#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace sample {

// Bursts of messages pushed from threads of the library's own, one thread a burst.
// A burst belongs to one library window: it stops and is joined when that window goes
// (destroyWnd, or the host destroying it) and when the library is cleaned up, so no
// thread ever calls the host about a window that is gone or after cleanup.
class BurstSet
{
public:
    ~BurstSet();   // joins what still runs (process exit)

    // Starts a thread that pushes iCount messages for hWnd, iIntervalMs apart (0: as
    // fast as it can). Returns the burst's number, 0 when too many still run.
    int start(HWND hWnd, int iCount, int iIntervalMs);
    // Stops and joins the bursts of one window, or all of them.
    void stopFor(HWND hWnd);
    void stopAll();
    int running() const;

private:
    struct Burst
    {
        HWND hWnd = nullptr;
        std::shared_ptr<std::atomic<bool>> pStop;
        std::shared_ptr<std::atomic<bool>> pDone;
        std::thread thread;
    };
    static void run(HWND hWnd, int iBurst, int iCount, int iIntervalMs,
                    std::shared_ptr<std::atomic<bool>> pStop, std::shared_ptr<std::atomic<bool>> pDone);
    static void join(std::vector<Burst> &bursts);

    mutable std::mutex m_lock;
    std::vector<Burst> m_bursts;
    int m_iLastBurst = 0;
};

} // namespace sample
