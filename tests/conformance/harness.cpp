#include "harness.h"

#include <cstdio>
#include <utility>

namespace conf {

const WCHAR kClass[] = L"WcConfWnd";
const WCHAR kOtherClass[] = L"WcConfOther";

namespace {

std::string g_strPending;  // role of the window being created, until its handle is known
std::string g_strLog;
bool g_bLogging = false;
void (*g_destroyHook)(HWND) = nullptr;

struct MsgName {
    UINT id;
    const char *name;
};

const MsgName kMessages[] = {
    {0x0001, "WM_CREATE"},          {0x0002, "WM_DESTROY"},          {0x0003, "WM_MOVE"},
    {0x0005, "WM_SIZE"},            {0x0006, "WM_ACTIVATE"},         {0x0007, "WM_SETFOCUS"},
    {0x0008, "WM_KILLFOCUS"},       {0x000A, "WM_ENABLE"},           {0x000C, "WM_SETTEXT"},
    {0x000D, "WM_GETTEXT"},         {0x000E, "WM_GETTEXTLENGTH"},    {0x000F, "WM_PAINT"},
    {0x0010, "WM_CLOSE"},           {0x0014, "WM_ERASEBKGND"},       {0x0018, "WM_SHOWWINDOW"},
    {0x001A, "WM_SETTINGCHANGE"},   {0x001C, "WM_ACTIVATEAPP"},      {0x0020, "WM_SETCURSOR"},
    {0x0021, "WM_MOUSEACTIVATE"},   {0x0022, "WM_CHILDACTIVATE"},    {0x0024, "WM_GETMINMAXINFO"},
    {0x003D, "WM_GETOBJECT"},       {0x0046, "WM_WINDOWPOSCHANGING"}, {0x0047, "WM_WINDOWPOSCHANGED"},
    {0x0051, "WM_INPUTLANGCHANGE"}, {0x007C, "WM_STYLECHANGING"},    {0x007D, "WM_STYLECHANGED"},
    {0x007E, "WM_DISPLAYCHANGE"},   {0x007F, "WM_GETICON"},          {0x0081, "WM_NCCREATE"},
    {0x0082, "WM_NCDESTROY"},       {0x0083, "WM_NCCALCSIZE"},       {0x0084, "WM_NCHITTEST"},
    {0x0085, "WM_NCPAINT"},         {0x0086, "WM_NCACTIVATE"},       {0x0088, "WM_SYNCPAINT"},
    {0x0200, "WM_MOUSEMOVE"},       {0x0210, "WM_PARENTNOTIFY"},     {0x0215, "WM_CAPTURECHANGED"},
    {0x030F, "WM_QUERYNEWPALETTE"}, {0x0281, "WM_IME_SETCONTEXT"},   {0x0282, "WM_IME_NOTIFY"},
    {0x031F, "WM_DWMNCRENDERINGCHANGED"},
};

std::string messageName(UINT id)
{
    for (const MsgName &m : kMessages)
        if (m.id == id)
            return m.name;
    if (id >= WM_USER && id < WM_APP)
        return "WM_USER+" + std::to_string(id - WM_USER);
    char szBuffer[16];
    std::snprintf(szBuffer, sizeof szBuffer, "0x%04X", id);
    return szBuffer;
}

bool isTopLevel(HWND h) { return GetAncestor(h, GA_PARENT) == GetDesktopWindow(); }

// Arguments are printed where they carry what the desktop must get right and do not depend
// on frame sizes: sizes and positions of frameless windows, SetWindowPos flags as the window
// procedure sees them, show flags, parent notifications.
std::string details(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    const bool bFramed = GetWindowLongW(h, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME);
    char szBuffer[96] = "";
    if (msg == WM_SIZE && !bFramed)
        std::snprintf(szBuffer, sizeof szBuffer, "(%d,%dx%d)", int(wp), int(short(LOWORD(lp))), int(short(HIWORD(lp))));
    else if (msg == WM_MOVE && !bFramed)
        return pointText(POINT{short(LOWORD(lp)), short(HIWORD(lp))}, isTopLevel(h) ? corner() : POINT{0, 0});
    else if (msg == WM_WINDOWPOSCHANGING || msg == WM_WINDOWPOSCHANGED)
        std::snprintf(szBuffer, sizeof szBuffer, "(%X)", reinterpret_cast<const WINDOWPOS *>(lp)->flags);
    else if (msg == WM_SHOWWINDOW)
        std::snprintf(szBuffer, sizeof szBuffer, "(%d,%d)", int(wp), int(lp));
    else if (msg == WM_PARENTNOTIFY && (LOWORD(wp) == WM_CREATE || LOWORD(wp) == WM_DESTROY))
        std::snprintf(szBuffer, sizeof szBuffer, "(%s,%s)", LOWORD(wp) == WM_CREATE ? "WM_CREATE" : "WM_DESTROY",
                      name(HWND(lp)));
    return szBuffer;
}

LRESULT CALLBACK windowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (!named(h) && !g_strPending.empty())
        nameWindow(h, g_strPending.c_str());
    if (g_bLogging)
        g_strLog += std::string(g_strLog.empty() ? "" : " ") + name(h) + "." + messageName(msg) +
                    details(h, msg, wp, lp);
    if (msg == WM_DESTROY && g_destroyHook)
        g_destroyHook(h);
    return DefWindowProcW(h, msg, wp, lp);
}

}  // namespace

void registerClasses()
{
    for (const WCHAR *cls : {kClass, kOtherClass}) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = cls;
        if (!RegisterClassExW(&wc))
            std::printf("setup: RegisterClassExW failed\n");
    }
}

void scenario(const char *pszName)
{
    g_bLogging = false;
    g_destroyHook = nullptr;
    // Children go with their top-level windows; reparented ones are top-level again or
    // still inside a window of this list.
    const std::vector<HWND> vecWindows = namedWindows();
    for (auto it = vecWindows.rbegin(); it != vecWindows.rend(); ++it)
        if (IsWindow(*it) && isTopLevel(*it))
            DestroyWindow(*it);
    g_strLog.clear();
    startScenario(pszName);
}

HWND make(const char *role, DWORD exStyle, DWORD style, int x, int y, int w, int h, HWND parent,
          const WCHAR *title, const WCHAR *cls)
{
    g_strPending = role;
    const bool bTopLevel = !(style & WS_CHILD);
    if (bTopLevel) {
        const POINT o = corner();
        x += o.x;
        y += o.y;
    }
    // Top-level windows are shown without activating them: activation has stacking side
    // effects of its own, which only the activation scenarios look at.
    const bool bShowLater = bTopLevel && (style & WS_VISIBLE);
    if (bShowLater)
        style &= ~WS_VISIBLE;
    HWND hWnd = CreateWindowExW(exStyle, cls, title, style, x, y, w, h, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    g_strPending.clear();
    if (!hWnd)
        note("create", "%s failed", role);
    else if (!named(hWnd))
        nameWindow(hWnd, role);
    if (hWnd && bShowLater)
        ShowWindow(hWnd, SW_SHOWNA);
    return hWnd;
}

void logOn()
{
    g_strLog.clear();
    g_bLogging = true;
}

std::string logOff()
{
    g_bLogging = false;
    return g_strLog.empty() ? "none" : std::move(g_strLog);
}

void onDestroy(void (*hook)(HWND)) { g_destroyHook = hook; }

void logged(std::initializer_list<Step> steps) { walk(steps, logOff, logOn); }

}  // namespace conf
