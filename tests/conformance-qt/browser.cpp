#include "browser.h"

#include <QCoreApplication>
#include <QVector>

#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32

namespace {

const char kBrowserMode[] = "--browser";
const int kStripHeight = 80;
const ULONG_PTR kOpenBrowser = 0x42524f57;   // WM_COPYDATA tag of an open request
const wchar_t kServerClass[] = L"WcConfBrowserServer";

struct OpenRequest
{
    int x, y, cx, cy;
    wchar_t szTitle[128];
};

HANDLE g_hProcess = nullptr;
HWND g_hServer = nullptr;          // the browser process's message window
QVector<HWND> g_vecFrames;

// The other process's side.

LRESULT CALLBACK serverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const auto *pData = reinterpret_cast<const COPYDATASTRUCT *>(lParam);
        if (pData->dwData != kOpenBrowser || pData->cbData != sizeof(OpenRequest))
            return 0;
        OpenRequest request;
        std::memcpy(&request, pData->lpData, sizeof(request));
        request.szTitle[127] = 0;
        const HINSTANCE hInstance = GetModuleHandleW(nullptr);
        const HWND hFrame = CreateWindowExW(0, L"Chrome_WidgetWin_1", request.szTitle,
                                            WS_OVERLAPPEDWINDOW | WS_VISIBLE, request.x, request.y, request.cx,
                                            request.cy, nullptr, nullptr, hInstance, nullptr);
        RECT rc = {};
        GetClientRect(hFrame, &rc);
        const int iStrip = rc.bottom < kStripHeight ? int(rc.bottom) : kStripHeight;
        // The compositor comes first among the children, as in the browser.
        CreateWindowExW(0, L"Intermediate D3D Window", L"", WS_CHILD | WS_VISIBLE, 0, iStrip, rc.right,
                        rc.bottom - iStrip, hFrame, nullptr, hInstance, nullptr);
        CreateWindowExW(0, L"Chrome_RenderWidgetHostHWND", L"Chrome Legacy Window", WS_CHILD | WS_VISIBLE, 0, iStrip,
                        rc.right, rc.bottom - iStrip, hFrame, nullptr, hInstance, nullptr);
        return LRESULT(hFrame);
    }
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void registerClass(const wchar_t *pszName, WNDPROC pfnProc)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = pfnProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = pszName;
    RegisterClassExW(&wc);
}

// This side: one browser process for the whole run, started when first needed. It makes
// browsers when asked (WM_COPYDATA crosses processes) and serves their messages; its message
// window, named by the process id, is looked for until it is there or the process has ended.
bool startBrowserProcess()
{
    if (g_hServer)
        return true;
    wchar_t szExe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szExe, MAX_PATH);
    std::wstring strCommandLine = L"\"" + std::wstring(szExe) + L"\" --browser";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &strCommandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "browser: CreateProcessW failed (%lu)\n", GetLastError());
        return false;
    }
    CloseHandle(pi.hThread);
    g_hProcess = pi.hProcess;
    for (int i = 0; i < 1000 && !g_hServer; ++i) {
        g_hServer = FindWindowExW(HWND_MESSAGE, nullptr, kServerClass, std::to_wstring(pi.dwProcessId).c_str());
        if (!g_hServer && WaitForSingleObject(g_hProcess, 10) != WAIT_TIMEOUT)
            break;
    }
    if (!g_hServer)
        std::fprintf(stderr, "browser: no message window from the browser process\n");
    return g_hServer != nullptr;
}

} // namespace

Browser openBrowser(const QString &title, const QRect &frameRect)
{
    Browser browser;
    if (!startBrowserProcess())
        return browser;
    OpenRequest request = {frameRect.x(), frameRect.y(), frameRect.width(), frameRect.height(), {}};
    title.left(127).toWCharArray(request.szTitle);
    COPYDATASTRUCT data = {kOpenBrowser, sizeof(request), &request};
    DWORD_PTR dwResult = 0;
    // While it waits, this thread serves what the new browser's activation sends here.
    SendMessageTimeoutW(g_hServer, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 10000, &dwResult);
    browser.hFrame = reinterpret_cast<HWND>(dwResult);
    if (!browser.hFrame) {
        std::fprintf(stderr, "browser: the browser process made no window\n");
        return browser;
    }
    browser.hCompositor = GetWindow(browser.hFrame, GW_CHILD);
    browser.hRender = GetWindow(browser.hCompositor, GW_HWNDNEXT);
    g_vecFrames.append(browser.hFrame);
    return browser;
}

void closeBrowsers()
{
    for (HWND hFrame : qAsConst(g_vecFrames)) {
        DWORD_PTR dwResult = 0;
        if (IsWindow(hFrame))
            SendMessageTimeoutW(hFrame, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, &dwResult);
    }
    g_vecFrames.clear();
}

void syncBrowsers()
{
    DWORD_PTR dwResult = 0;
    if (g_hServer)
        SendMessageTimeoutW(g_hServer, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &dwResult);
}

void endBrowsers()
{
    closeBrowsers();
    if (!g_hProcess)
        return;
    PostMessageW(g_hServer, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(g_hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(g_hProcess, 1);
    CloseHandle(g_hProcess);
    g_hProcess = nullptr;
    g_hServer = nullptr;
}

bool runAsBrowser(int argc, char **argv, int *pExitCode)
{
    if (argc < 2 || std::strcmp(argv[1], kBrowserMode) != 0)
        return false;
    registerClass(kServerClass, serverProc);
    registerClass(L"Chrome_WidgetWin_1", DefWindowProcW);
    registerClass(L"Intermediate D3D Window", DefWindowProcW);
    registerClass(L"Chrome_RenderWidgetHostHWND", DefWindowProcW);
    // A message-only window: it takes no place among the desktop's windows.
    const HWND hServer = CreateWindowExW(0, kServerClass, std::to_wstring(GetCurrentProcessId()).c_str(), 0, 0, 0, 0,
                                         0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    MSG msg;
    while (hServer && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    *pExitCode = hServer ? 0 : 1;
    return true;
}

#else  // the simulated desktop

#include <win32sim/Desktop.h>

namespace {
QVector<HWND> g_vecFrames;
}

Browser openBrowser(const QString &title, const QRect &frameRect)
{
    const win32sim::ChromeWindow chrome = win32sim::createChrome(title, frameRect, 80);
    g_vecFrames.append(chrome.frame);
    Browser browser;
    browser.hFrame = chrome.frame;
    browser.hCompositor = chrome.compositor;
    browser.hRender = chrome.render;
    return browser;
}

void closeBrowsers()
{
    for (HWND hFrame : qAsConst(g_vecFrames))
        win32sim::destroy(hFrame);
    g_vecFrames.clear();
}

void syncBrowsers()
{
}

void endBrowsers()
{
    closeBrowsers();
}

bool runAsBrowser(int, char **, int *)
{
    return false;
}

#endif
