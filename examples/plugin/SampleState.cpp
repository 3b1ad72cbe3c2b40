#include "SampleState.h"

#include "CallbackBurst.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <set>

namespace sample {

namespace {

std::atomic<IntegrationCallBack> s_pfnCallBack{nullptr};
std::atomic<int> s_iCallBackSets{0};
std::atomic<int> s_iCleanups{0};

std::mutex s_lock;                      // the tables below
std::map<HWND, int> s_mapRequests;      // window -> requests answered
std::set<char *> s_setAnswers;          // handed out, not given back
int s_iForeignFrees = 0;

} // namespace

void setCallBack(IntegrationCallBack pfnCallBack)
{
    ++s_iCallBackSets;
    s_pfnCallBack.store(pfnCallBack);
}

void push(HWND hWnd, const char *pszJson)
{
    if (IntegrationCallBack pfnCallBack = s_pfnCallBack.load())
        pfnCallBack(hWnd, pszJson);
}

void addWindow(HWND hWnd)
{
    std::lock_guard<std::mutex> lock(s_lock);
    s_mapRequests[hWnd] = 0;
}

void forgetWindow(HWND hWnd)
{
    bursts().stopFor(hWnd);
    std::lock_guard<std::mutex> lock(s_lock);
    s_mapRequests.erase(hWnd);
}

int countRequest(HWND hWnd)
{
    std::lock_guard<std::mutex> lock(s_lock);
    auto it = s_mapRequests.find(hWnd);
    return it == s_mapRequests.end() ? 0 : ++it->second;
}

char *keepAnswer(const QByteArray &answer, bool bGivenBack)
{
    auto *pszAnswer = static_cast<char *>(std::malloc(size_t(answer.size()) + 1));
    if (!pszAnswer)
        return nullptr;
    std::memcpy(pszAnswer, answer.constData(), size_t(answer.size()) + 1);
    if (bGivenBack) {
        std::lock_guard<std::mutex> lock(s_lock);
        s_setAnswers.insert(pszAnswer);
    }
    return pszAnswer;
}

void releaseAnswer(char *pszAnswer)
{
    if (!pszAnswer)
        return;
    {
        std::lock_guard<std::mutex> lock(s_lock);
        if (s_setAnswers.erase(pszAnswer) == 0) {
            ++s_iForeignFrees;
            return;
        }
    }
    std::free(pszAnswer);
}

BurstSet &bursts()
{
    static BurstSet s_bursts;
    return s_bursts;
}

void cleanupAll()
{
    ++s_iCleanups;
    bursts().stopAll();
    s_pfnCallBack.store(nullptr);
}

QJsonObject stats()
{
    QJsonObject counters;
    counters.insert(QStringLiteral("callbackSets"), s_iCallBackSets.load());
    counters.insert(QStringLiteral("cleanups"), s_iCleanups.load());
    counters.insert(QStringLiteral("runningBursts"), bursts().running());
    std::lock_guard<std::mutex> lock(s_lock);
    counters.insert(QStringLiteral("windows"), int(s_mapRequests.size()));
    counters.insert(QStringLiteral("outstanding"), int(s_setAnswers.size()));
    counters.insert(QStringLiteral("foreignFrees"), s_iForeignFrees);
    return counters;
}

} // namespace sample
