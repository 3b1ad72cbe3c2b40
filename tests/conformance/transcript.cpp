#include "transcript.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace conf {

const WCHAR kClass[] = L"WcConfWnd";
const WCHAR kOtherClass[] = L"WcConfOther";

namespace {

struct Named {
    HWND hWnd;
    std::string strRole;
};

std::vector<Named> g_windows;
std::string g_strScenario;
std::string g_strPending;  // role of the window being created, until its handle is known
std::string g_strLog;
bool g_bLogging = false;
void (*g_destroyHook)(HWND) = nullptr;
int g_iObservations = 0;
int g_iScenarios = 0;

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
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X", id);
    return buf;
}

Named *find(HWND h)
{
    for (Named &n : g_windows)
        if (n.hWnd == h)
            return &n;
    return nullptr;
}

bool isTopLevel(HWND h)
{
    return GetAncestor(h, GA_PARENT) == GetDesktopWindow();
}

bool hasFrame(HWND h)
{
    LONG style = GetWindowLongW(h, GWL_STYLE);
    return (style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME)) != 0;
}

// Arguments are printed where they carry what the desktop must get right and do not depend
// on frame sizes: sizes and positions of frameless windows, show flags, parent notifications.
std::string details(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    char buf[96];
    switch (msg) {
    case WM_SIZE:
        if (hasFrame(h))
            return "";
        std::snprintf(buf, sizeof buf, "(%d,%dx%d)", (int)wp, (int)(short)LOWORD(lp), (int)(short)HIWORD(lp));
        return buf;
    case WM_MOVE: {
        if (hasFrame(h))
            return "";
        POINT o = isTopLevel(h) ? origin() : POINT{0, 0};
        std::snprintf(buf, sizeof buf, "(%d,%d)", (short)LOWORD(lp) - (int)o.x, (short)HIWORD(lp) - (int)o.y);
        return buf;
    }
    case WM_SHOWWINDOW:
        std::snprintf(buf, sizeof buf, "(%d,%d)", (int)wp, (int)lp);
        return buf;
    case WM_PARENTNOTIFY:
        if (LOWORD(wp) == WM_CREATE || LOWORD(wp) == WM_DESTROY) {
            std::snprintf(buf, sizeof buf, "(%s,%s)", LOWORD(wp) == WM_CREATE ? "WM_CREATE" : "WM_DESTROY",
                          name((HWND)lp));
            return buf;
        }
        return "";
    default:
        return "";
    }
}

LRESULT CALLBACK windowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (!find(h) && !g_strPending.empty())
        g_windows.push_back({h, g_strPending});
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
        if (!RegisterClassExW(&wc)) {
            std::printf("setup: RegisterClassExW failed\n");
        }
    }
}

void scenario(const char *nameText)
{
    g_bLogging = false;
    g_destroyHook = nullptr;
    // Children go with their top-level windows; reparented ones are top-level again or
    // still inside a window of this list.
    for (auto it = g_windows.rbegin(); it != g_windows.rend(); ++it)
        if (IsWindow(it->hWnd) && isTopLevel(it->hWnd))
            DestroyWindow(it->hWnd);
    g_windows.clear();
    g_strLog.clear();
    if (nameText) {
        g_strScenario = nameText;
        ++g_iScenarios;
    }
}

void finish()
{
    scenario(nullptr);
}

int observationCount() { return g_iObservations; }
int scenarioCount() { return g_iScenarios; }

void note(const char *key, const char *fmt, ...)
{
    char buf[8192];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    std::printf("%s %s: %s\n", g_strScenario.c_str(), key, buf);
    std::fflush(stdout);
    ++g_iObservations;
}

HWND make(const char *role, DWORD exStyle, DWORD style, int x, int y, int w, int h, HWND parent,
          const WCHAR *title, const WCHAR *cls)
{
    g_strPending = role;
    POINT o = origin();
    bool topLevel = !(style & WS_CHILD);
    if (topLevel) {
        x += o.x;
        y += o.y;
    }
    // Top-level windows are shown without activating them: activation has stacking side
    // effects of its own, which only the activation scenarios look at.
    bool showLater = topLevel && (style & WS_VISIBLE);
    if (showLater)
        style &= ~WS_VISIBLE;
    HWND hWnd = CreateWindowExW(exStyle, cls, title, style, x, y, w, h, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    g_strPending.clear();
    if (hWnd && !find(hWnd))
        g_windows.push_back({hWnd, role});
    if (!hWnd)
        note("create", "%s failed", role);
    else if (showLater)
        ShowWindow(hWnd, SW_SHOWNA);
    return hWnd;
}

const char *name(HWND h)
{
    if (!h)
        return "null";
    if (h == GetDesktopWindow())
        return "desktop";
    if (Named *n = find(h))
        return n->strRole.c_str();
    return "foreign";
}

namespace {
BOOL CALLBACK collect(HWND h, LPARAM lp)
{
    auto *out = reinterpret_cast<std::string *>(lp);
    if (!find(h))
        return TRUE;
    if (!out->empty())
        *out += ' ';
    *out += name(h);
    if (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST)
        *out += '*';
    if (!IsWindowVisible(h))
        *out += '-';
    return TRUE;
}
}  // namespace

std::string stack()
{
    std::string out;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&out));
    return out;
}

std::string children(HWND parent)
{
    std::string out;
    int guard = 0;
    for (HWND c = GetWindow(parent, GW_CHILD); c && guard < 64; c = GetWindow(c, GW_HWNDNEXT), ++guard)
        out += std::string(out.empty() ? "" : " ") + name(c);
    return out.empty() ? "none" : out;
}

std::string childrenBackwards(HWND parent)
{
    HWND c = GetWindow(parent, GW_CHILD);
    if (!c)
        return "none";
    int guard = 0;
    for (HWND n = c; n && guard < 64; n = GetWindow(n, GW_HWNDNEXT), ++guard)
        c = n;
    std::string out;
    guard = 0;
    for (; c && guard < 64; c = GetWindow(c, GW_HWNDPREV), ++guard)
        out += std::string(out.empty() ? "" : " ") + name(c);
    return out;
}

POINT origin()
{
    POINT p = {0, 0};
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoW(MonitorFromPoint(p, MONITOR_DEFAULTTOPRIMARY), &mi))
        p = {mi.rcMonitor.left, mi.rcMonitor.top};
    return p;
}

std::string rectText(const RECT &r, POINT o)
{
    char buf[96];
    std::snprintf(buf, sizeof buf, "(%d,%d)-(%d,%d)", (int)(r.left - o.x), (int)(r.top - o.y),
                  (int)(r.right - o.x), (int)(r.bottom - o.y));
    return buf;
}

std::string windowRect(HWND h, POINT o)
{
    RECT r = {};
    if (!GetWindowRect(h, &r))
        return "fails";
    return rectText(r, o);
}

std::string clientOrigin(HWND h, POINT o)
{
    POINT p = {0, 0};
    if (!ClientToScreen(h, &p))
        return "fails";
    char buf[48];
    std::snprintf(buf, sizeof buf, "(%d,%d)", (int)(p.x - o.x), (int)(p.y - o.y));
    return buf;
}

std::string clientRect(HWND h)
{
    RECT r = {};
    if (!GetClientRect(h, &r))
        return "fails";
    return rectText(r, POINT{0, 0});
}

void logOn()
{
    g_strLog.clear();
    g_bLogging = true;
}

std::string logOff()
{
    g_bLogging = false;
    std::string s = g_strLog.empty() ? "none" : g_strLog;
    g_strLog.clear();
    return s;
}

void onDestroy(void (*hook)(HWND)) { g_destroyHook = hook; }

const char *yes(BOOL b) { return b ? "yes" : "no"; }

std::string text(const WCHAR *s, int max)
{
    std::string out;
    for (int i = 0; s[i] && (max < 0 || i < max); ++i) {
        unsigned c = (unsigned)s[i];
        if (c < 0x80) {
            out += (char)c;
        } else if (c < 0x800) {
            out += (char)(0xC0 | (c >> 6));
            out += (char)(0x80 | (c & 0x3F));
        } else {
            out += (char)(0xE0 | ((c >> 12) & 0x0F));
            out += (char)(0x80 | ((c >> 6) & 0x3F));
            out += (char)(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace conf
