#include "FineTimerTicks.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

// On the multimedia thread: nothing here may wait for the script thread.
void CALLBACK onTick(UINT, UINT, DWORD_PTR uUser, DWORD_PTR, DWORD_PTR)
{
    auto *pTicker = reinterpret_cast<FineTimerTicks::Ticker *>(uUser);
    pTicker->bTicked = true;
    SetEvent(pTicker->hTicked);
}

} // namespace

FineTimerTicks::FineTimerTicks()
{
    m_hTicked = CreateEventW(nullptr, FALSE, FALSE, nullptr);
}

FineTimerTicks::~FineTimerTicks()
{
    stopAll();
    if (m_hTicked)
        CloseHandle(m_hTicked);
}

bool FineTimerTicks::start(int iTimerId, int iIntervalMs)
{
    if (!m_hTicked || iIntervalMs <= 0 || m_tickers.count(iTimerId))
        return false;
    auto pTicker = std::make_unique<Ticker>();
    pTicker->hTicked = m_hTicked;
    pTicker->uMmTimer = timeSetEvent(UINT(iIntervalMs), 1, onTick, reinterpret_cast<DWORD_PTR>(pTicker.get()),
                                     TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
    if (!pTicker->uMmTimer)
        return false;
    m_tickers.emplace(iTimerId, std::move(pTicker));
    return true;
}

void FineTimerTicks::stop(int iTimerId)
{
    auto it = m_tickers.find(iTimerId);
    if (it == m_tickers.end())
        return;
    // Synchronous: a tick running now ends before the ticker goes.
    timeKillEvent(it->second->uMmTimer);
    m_tickers.erase(it);
}

void FineTimerTicks::stopAll()
{
    for (auto &entry : m_tickers)
        timeKillEvent(entry.second->uMmTimer);
    m_tickers.clear();
}

std::vector<int> FineTimerTicks::takeTicked()
{
    std::vector<int> ids;
    for (auto &entry : m_tickers)
        if (entry.second->bTicked.exchange(false))
            ids.push_back(entry.first);
    return ids;
}
