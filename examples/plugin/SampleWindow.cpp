#include "SampleWindow.h"

#include "SampleState.h"

#include <cwchar>

namespace sample {

namespace {

const wchar_t kTitle[] = L"Sample plug-in";

LRESULT CALLBACK sampleWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    // However the window goes (destroyWnd, or with its host), its bursts end first: no
    // message may name a window after it is gone.
    if (uMsg == WM_DESTROY) {
        forgetWindow(hWnd);
        return 0;
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

bool isSampleWindow(HWND hWnd)
{
    wchar_t szClass[64] = {};
    return IsWindow(hWnd) && GetClassNameW(hWnd, szClass, 64) > 0 && wcscmp(szClass, kSampleClassName) == 0;
}

} // namespace

HWND createSampleWindow(HWND hParent)
{
    if (!IsWindow(hParent))
        return nullptr;
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = sampleWndProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = kSampleClassName;
    // Fails harmlessly when an earlier window registered it already.
    RegisterClassExW(&wc);

    RECT rcClient = {};
    GetClientRect(hParent, &rcClient);
    HWND hWnd = CreateWindowExW(0, kSampleClassName, kTitle, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                                rcClient.right - rcClient.left, rcClient.bottom - rcClient.top, hParent,
                                nullptr, hInstance, nullptr);
    if (hWnd)
        addWindow(hWnd);
    return hWnd;
}

bool destroySampleWindow(HWND hWnd)
{
    if (!isSampleWindow(hWnd))
        return false;
    return DestroyWindow(hWnd) != FALSE;
}

void unregisterSampleClass()
{
    // Refused while windows of the class live on; the next window registers it again.
    UnregisterClassW(kSampleClassName, GetModuleHandleW(nullptr));
}

} // namespace sample
