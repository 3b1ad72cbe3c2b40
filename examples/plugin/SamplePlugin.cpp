// The sample integration library's exports. Each build leaves out at most one optional
// export (SAMPLE_PLUGIN_NO_*), so that a host's way around a missing one can be seen.
#define INTEGRATION_LIBRARY
#include <Integration/IntegrationExports.h>

#include "CallbackBurst.h"
#include "SampleAnswers.h"
#include "SampleState.h"
#include "SampleWindow.h"

#ifdef SAMPLE_PLUGIN_NO_FREE_MSG_BUFFER
const bool kGivesAnswersBack = false;   // the host releases answers with free()
#else
const bool kGivesAnswersBack = true;
#endif

#if defined(SAMPLE_PLUGIN_NO_FREE_MSG_BUFFER)
const wchar_t *const sample::kSampleClassName = L"SamplePluginWindow.nofree";
#elif defined(SAMPLE_PLUGIN_NO_CLEANUP)
const wchar_t *const sample::kSampleClassName = L"SamplePluginWindow.nocleanup";
#elif defined(SAMPLE_PLUGIN_NO_CALLBACK)
const wchar_t *const sample::kSampleClassName = L"SamplePluginWindow.nocallback";
#else
const wchar_t *const sample::kSampleClassName = L"SamplePluginWindow";
#endif

#ifndef SAMPLE_PLUGIN_NO_CALLBACK
INTEGRATION_API void setIntegrationCallBack(IntegrationCallBack pfnCallBack)
{
    sample::setCallBack(pfnCallBack);
    // Says hello once per load, on the loading thread, about no window.
    sample::push(nullptr, "{\"event\":\"loaded\"}");
}
#endif

#ifndef SAMPLE_PLUGIN_NO_CREATE_WND
INTEGRATION_API HWND createWnd(HWND hParent)
{
    return sample::createSampleWindow(hParent);
}
#endif

INTEGRATION_API void destroyWnd(HWND hWnd)
{
    // Its bursts end with the window (WM_DESTROY).
    sample::destroySampleWindow(hWnd);
}

INTEGRATION_API char *requestInterface(HWND hWnd, const char *pszParams)
{
    const sample::Answer answer = sample::answerRequest(hWnd, pszParams);
    return answer.bNone ? nullptr : sample::keepAnswer(answer.text, kGivesAnswersBack);
}

#ifndef SAMPLE_PLUGIN_NO_FREE_MSG_BUFFER
INTEGRATION_API void freeMsgBuffer(HWND, char *pszBuffer)
{
    sample::releaseAnswer(pszBuffer);
}
#endif

#ifndef SAMPLE_PLUGIN_NO_CLEANUP
INTEGRATION_API void cleanup(void)
{
    // The last word, after every burst and before the callback is dropped.
    sample::bursts().stopAll();
    sample::push(nullptr, "{\"event\":\"cleanup\"}");
    sample::cleanupAll();
    sample::unregisterSampleClass();
}
#endif
