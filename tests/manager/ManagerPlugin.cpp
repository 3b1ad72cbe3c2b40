// A small integration library for the bridge tests: records what it is asked, answers
// with the request's own parameters, and calls back when told to. Built twice: in full,
// and without freeMsgBuffer and cleanup (MANAGER_PLUGIN_MINIMAL).
#define INTEGRATION_LIBRARY
#include <Integration/IntegrationExports.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

namespace {

std::mutex s_lock;
IntegrationCallBack s_pfnCallBack = nullptr;
std::string s_lastParams;
HWND s_hLastWnd = nullptr;
std::atomic<int> s_iSetCallBack{0}, s_iDestroyWnd{0}, s_iRequest{0}, s_iFree{0}, s_iCleanup{0};

char *copyText(const char *text)
{
    const size_t size = std::strlen(text) + 1;
    char *copy = static_cast<char *>(std::malloc(size));
    std::memcpy(copy, text, size);
    return copy;
}

} // namespace

INTEGRATION_API void setIntegrationCallBack(IntegrationCallBack pfnCallBack)
{
    ++s_iSetCallBack;
    {
        std::lock_guard<std::mutex> lock(s_lock);
        s_pfnCallBack = pfnCallBack;
    }
}

INTEGRATION_API HWND createWnd(HWND hParent)
{
    return hParent;
}

INTEGRATION_API void destroyWnd(HWND hWnd)
{
    std::lock_guard<std::mutex> lock(s_lock);
    s_hLastWnd = hWnd;
    ++s_iDestroyWnd;
}

// Answers with the parameters themselves, or with an array when they hold "array".
INTEGRATION_API char *requestInterface(HWND hWnd, const char *pszParams)
{
    ++s_iRequest;
    std::lock_guard<std::mutex> lock(s_lock);
    s_hLastWnd = hWnd;
    s_lastParams = pszParams ? pszParams : "";
    if (s_lastParams.find("\"array\"") != std::string::npos)
        return copyText("[1,2]");
    return copyText(s_lastParams.c_str());
}

#ifndef MANAGER_PLUGIN_MINIMAL
INTEGRATION_API void freeMsgBuffer(HWND, char *pszBuffer)
{
    ++s_iFree;
    std::free(pszBuffer);
}

INTEGRATION_API void cleanup(void)
{
    ++s_iCleanup;
}
#endif

// Controls for the tests.
INTEGRATION_API int managerPluginCount(const char *what)
{
    const std::string name = what;
    if (name == "setIntegrationCallBack") return s_iSetCallBack;
    if (name == "destroyWnd") return s_iDestroyWnd;
    if (name == "requestInterface") return s_iRequest;
    if (name == "freeMsgBuffer") return s_iFree;
    if (name == "cleanup") return s_iCleanup;
    return -1;
}

INTEGRATION_API const char *managerPluginLastParams(void)
{
    return s_lastParams.c_str();
}

INTEGRATION_API HWND managerPluginLastWnd(void)
{
    return s_hLastWnd;
}

INTEGRATION_API void managerPluginCallBack(HWND hWnd, const char *pszJson)
{
    IntegrationCallBack pfnCallBack;
    {
        std::lock_guard<std::mutex> lock(s_lock);
        pfnCallBack = s_pfnCallBack;
    }
    if (pfnCallBack)
        pfnCallBack(hWnd, pszJson);
}
