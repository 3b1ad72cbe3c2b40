#include "CallbackBurst.h"

#include "SampleState.h"

#include <chrono>
#include <string>

namespace sample {

namespace {
const int kMaxRunning = 64;
}

BurstSet::~BurstSet()
{
    stopAll();
}

int BurstSet::start(HWND hWnd, int iCount, int iIntervalMs)
{
    std::vector<Burst> finished;
    int iBurst = 0;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        // Finished threads are joined here, so the list stays short.
        for (auto it = m_bursts.begin(); it != m_bursts.end();) {
            if (it->pDone->load()) {
                finished.push_back(std::move(*it));
                it = m_bursts.erase(it);
            } else {
                ++it;
            }
        }
        if (int(m_bursts.size()) < kMaxRunning) {
            iBurst = ++m_iLastBurst;
            Burst burst;
            burst.hWnd = hWnd;
            burst.pStop = std::make_shared<std::atomic<bool>>(false);
            burst.pDone = std::make_shared<std::atomic<bool>>(false);
            burst.thread = std::thread(&BurstSet::run, hWnd, iBurst, iCount, iIntervalMs, burst.pStop, burst.pDone);
            m_bursts.push_back(std::move(burst));
        }
    }
    join(finished);
    return iBurst;
}

void BurstSet::stopFor(HWND hWnd)
{
    std::vector<Burst> stopped;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (auto it = m_bursts.begin(); it != m_bursts.end();) {
            if (it->hWnd == hWnd) {
                stopped.push_back(std::move(*it));
                it = m_bursts.erase(it);
            } else {
                ++it;
            }
        }
    }
    // Joined outside the lock: a burst thread never takes it, but start() may be
    // waiting for it on another thread.
    join(stopped);
}

void BurstSet::stopAll()
{
    std::vector<Burst> stopped;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        stopped.swap(m_bursts);
    }
    join(stopped);
}

int BurstSet::running() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    int iRunning = 0;
    for (const Burst &burst : m_bursts)
        iRunning += burst.pDone->load() ? 0 : 1;
    return iRunning;
}

void BurstSet::run(HWND hWnd, int iBurst, int iCount, int iIntervalMs,
                   std::shared_ptr<std::atomic<bool>> pStop, std::shared_ptr<std::atomic<bool>> pDone)
{
    for (int i = 1; i <= iCount && !pStop->load(); ++i) {
        const std::string text = "{\"burst\":" + std::to_string(iBurst) + ",\"index\":" + std::to_string(i)
                                 + ",\"of\":" + std::to_string(iCount) + "}";
        push(hWnd, text.c_str());
        if (iIntervalMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(iIntervalMs));
        else
            std::this_thread::yield();
    }
    pDone->store(true);
}

void BurstSet::join(std::vector<Burst> &bursts)
{
    for (Burst &burst : bursts)
        burst.pStop->store(true);
    for (Burst &burst : bursts) {
        if (burst.thread.joinable() && burst.thread.get_id() != std::this_thread::get_id())
            burst.thread.join();
        else if (burst.thread.joinable())
            burst.thread.detach();
    }
    bursts.clear();
}

} // namespace sample
