// Desktop-wide state: foreground window, monitors, window texts and class names, FindWindowW,
// posted messages, the environment and code-page conversion, and calls on stale handles.
#include "scenarios.h"
#include "transcript.h"

#include <cstdio>
#include <string>

using namespace conf;

namespace {

const DWORD kTool = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

std::string insets(const RECT &outer, const RECT &inner)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "(%d,%d,%d,%d)", (int)(inner.left - outer.left), (int)(inner.top - outer.top),
                  (int)(outer.right - inner.right), (int)(outer.bottom - inner.bottom));
    return buf;
}

// The work area is the monitor less a visible taskbar docked to one of its edges (or the whole
// monitor without one); anything else is printed as insets.
std::string workArea(const MONITORINFO &mi)
{
    RECT m = mi.rcMonitor, w = mi.rcWork, t = {};
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (tray && IsWindowVisible(tray) && GetWindowRect(tray, &t)) {
        if (t.top >= m.bottom || t.bottom <= m.top || t.left >= m.right || t.right <= m.left)
            t = RECT{0, 0, 0, 0};  // on another monitor
        if (t.left <= m.left && t.right >= m.right && t.top > m.top)
            m.bottom = t.top;
        else if (t.left <= m.left && t.right >= m.right && t.bottom < m.bottom)
            m.top = t.bottom;
        else if (t.top <= m.top && t.bottom >= m.bottom && t.left > m.left)
            m.right = t.left;
        else if (t.top <= m.top && t.bottom >= m.bottom && t.right < m.right)
            m.left = t.right;
    }
    if (m.left == w.left && m.top == w.top && m.right == w.right && m.bottom == w.bottom)
        return "monitor-less-taskbar";
    return "insets" + insets(mi.rcMonitor, w);
}

// The buffer after a call, with the characters left untouched shown as '#'.
std::string buffer(const WCHAR *b, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += b[i] == L'#' ? std::string("#") : b[i] == 0 ? std::string("\\0") : text(b + i, 1);
    return out;
}

void fill(WCHAR *b, int n)
{
    for (int i = 0; i < n; ++i)
        b[i] = L'#';
}

std::string peek(HWND filter, UINT lo, UINT hi, UINT remove)
{
    MSG m = {};
    if (!PeekMessageW(&m, filter, lo, hi, remove))
        return "none";
    char buf[96];
    std::snprintf(buf, sizeof buf, "%s:%u(%d,%d)", name(m.hwnd), (unsigned)(m.message - WM_USER), (int)m.wParam,
                  (int)m.lParam);
    return buf;
}

void drain()
{
    MSG m;
    while (PeekMessageW(&m, nullptr, WM_USER, WM_APP - 1, PM_REMOVE)) {
    }
}

}  // namespace

void scenarioForeground()
{
    scenario("foreground");
    HWND a = make("A", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200);
    HWND b = make("B", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200);
    HWND t = make("T", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 60, 60, 100, 100);
    BOOL ok = SetForegroundWindow(a);
    note("to-A", "%s ok=%s", name(GetForegroundWindow()), yes(ok));
    ok = SetForegroundWindow(b);
    note("to-B", "%s ok=%s", name(GetForegroundWindow()), yes(ok));
    ok = SetForegroundWindow(t);
    note("to-tool", "%s ok=%s", name(GetForegroundWindow()), yes(ok));
    ok = SetForegroundWindow(a);
    note("back-to-A", "%s ok=%s", name(GetForegroundWindow()), yes(ok));
    ok = SetForegroundWindow(nullptr);
    note("to-null", "%s ok=%s", name(GetForegroundWindow()), yes(ok));
}

void scenarioMonitors()
{
    scenario("monitors");
    POINT o = origin();
    HWND a = make("A", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200);
    HWND off = make("off", WS_EX_TOOLWINDOW, kTool, 30000, 30000, 50, 50);
    HMONITOR primary = MonitorFromPoint(o, MONITOR_DEFAULTTOPRIMARY);
    note("count", "%d", GetSystemMetrics(SM_CMONITORS));
    note("from-window", "nearest-is-primary=%s", yes(MonitorFromWindow(a, MONITOR_DEFAULTTONEAREST) == primary));
    note("off-screen", "null=%s primary=%s nearest=%s", yes(MonitorFromWindow(off, MONITOR_DEFAULTTONULL) == nullptr),
         yes(MonitorFromWindow(off, MONITOR_DEFAULTTOPRIMARY) == primary),
         yes(MonitorFromWindow(off, MONITOR_DEFAULTTONEAREST) == primary));
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    BOOL ok = GetMonitorInfoW(primary, &mi);
    note("info", "ok=%s flags=%u primary-corner=(%d,%d) work-area=%s", yes(ok), (unsigned)mi.dwFlags,
         (int)mi.rcMonitor.left, (int)mi.rcMonitor.top, workArea(mi).c_str());
    MONITORINFO bad = {};
    bad.cbSize = 0;
    note("info-no-size", "ok=%s", yes(GetMonitorInfoW(primary, &bad)));
    note("info-null", "ok=%s", yes(GetMonitorInfoW(nullptr, &mi)));
}

void scenarioTexts()
{
    scenario("texts");
    const WCHAR title[] = L"Hello, world";
    HWND w = make("W", 0, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, title);
    HWND c = make("W.c", 0, WS_CHILD, 1, 1, 10, 10, w, L"\x00DC\x00DF \x20AC \x65E5\x672C", kOtherClass);
    WCHAR buf[300];
    for (int n : {0, 1, 5, 12, 13, 40}) {
        fill(buf, 16);
        int r = GetWindowTextW(w, buf, n);
        char key[32];
        std::snprintf(key, sizeof key, "text-max-%d", n);
        note(key, "returns=%d buffer=%s", r, buffer(buf, 15).c_str());
    }
    note("length", "%d", GetWindowTextLengthW(w));
    fill(buf, 16);
    int r = GetWindowTextW(c, buf, 16);
    note("non-ascii", "returns=%d text=%s length=%d", r, text(buf, r).c_str(), GetWindowTextLengthW(c));
    std::wstring longTitle(300, L'x');
    longTitle[0] = L'a';
    longTitle[299] = L'z';
    SetWindowTextW(w, longTitle.c_str());
    r = GetWindowTextW(w, buf, 260);
    note("long", "returns=%d last=%s length=%d", r, text(buf + 258, 1).c_str(), GetWindowTextLengthW(w));
    SetWindowTextW(w, L"");
    fill(buf, 16);
    note("empty", "returns=%d buffer=%s", GetWindowTextW(w, buf, 16), buffer(buf, 3).c_str());
    for (int n : {1, 5, 9, 10, 64}) {
        fill(buf, 16);
        r = GetClassNameW(w, buf, n);
        char key[32];
        std::snprintf(key, sizeof key, "class-max-%d", n);
        note(key, "returns=%d buffer=%s", r, buffer(buf, 12).c_str());
    }
    fill(buf, 16);
    r = GetClassNameW(c, buf, 64);
    note("class-child", "returns=%d %s", r, text(buf, r).c_str());
}

void scenarioFind()
{
    scenario("find");
    HWND host = make("host", 0, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    make("host.kid", 0, WS_CHILD, 0, 0, 10, 10, host, L"kid", kOtherClass);
    note("only-child", "%s", name(FindWindowW(kOtherClass, nullptr)));
    HWND f1 = make("F1", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 0, 0, 10, 10, nullptr, L"first", kOtherClass);
    HWND f2 = make("F2", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 0, 0, 10, 10, nullptr, L"second", kOtherClass);
    note("newest", "%s", name(FindWindowW(kOtherClass, nullptr)));
    SetWindowPos(f1, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    note("after-raise", "%s", name(FindWindowW(kOtherClass, nullptr)));
    ShowWindow(f1, SW_HIDE);
    note("hidden-found", "%s", name(FindWindowW(kOtherClass, nullptr)));
    note("case", "%s", name(FindWindowW(L"wcconfOTHER", nullptr)));
    note("by-title", "%s", name(FindWindowW(kOtherClass, L"second")));
    note("unknown", "%s", name(FindWindowW(L"NoSuchClassHere", nullptr)));
    (void)f2;
}

void scenarioPosted()
{
    scenario("posted");
    HWND a = make("A", 0, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    HWND b = make("B", WS_EX_TOOLWINDOW, kTool, 0, 0, 10, 10);
    HWND ac = make("A.c", 0, WS_CHILD, 0, 0, 10, 10, a);
    drain();
    PostMessageW(a, WM_USER + 1, 11, 12);
    PostMessageW(b, WM_USER + 2, 21, 22);
    PostMessageW(a, WM_USER + 3, 31, 32);
    PostMessageW(nullptr, WM_USER + 4, 41, 42);
    PostMessageW(ac, WM_USER + 5, 51, 52);
    const UINT lo = WM_USER, hi = WM_USER + 50;
    note("noremove-A-3", "%s", peek(a, WM_USER + 3, WM_USER + 3, PM_NOREMOVE).c_str());
    note("noremove-B", "%s", peek(b, lo, hi, PM_NOREMOVE).c_str());
    note("noremove-any", "%s then %s", peek(nullptr, lo, hi, PM_NOREMOVE).c_str(),
         peek(nullptr, lo, hi, PM_NOREMOVE).c_str());
    note("thread-only", "%s", peek((HWND)-1, lo, hi, PM_NOREMOVE).c_str());
    note("parent-filter", "%s", peek(a, WM_USER + 5, WM_USER + 5, PM_NOREMOVE).c_str());
    note("range-empty", "%s", peek(nullptr, WM_USER + 6, WM_USER + 9, PM_REMOVE).c_str());
    std::string order;
    for (int i = 0; i < 6; ++i)
        order += (i ? " " : "") + peek(nullptr, lo, hi, PM_REMOVE);
    note("remove-all", "%s", order.c_str());
    PostMessageW(a, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 150));
    MSG m = {};
    BOOL got = PeekMessageW(&m, a, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);
    note("mousemove", "got=%s to=%s wparam=%d x=%d y=%d", yes(got), name(m.hwnd), (int)m.wParam,
         (int)(short)LOWORD(m.lParam), (int)(short)HIWORD(m.lParam));
    PostMessageW(b, WM_USER + 7, 0, 0);
    DestroyWindow(b);
    SetLastError(0);
    BOOL ok = PostMessageW(b, WM_USER + 8, 0, 0);
    DWORD error = GetLastError();
    note("destroyed", "pending=%s post=%s error=%u", peek(nullptr, lo, hi, PM_REMOVE).c_str(), yes(ok),
         (unsigned)error);
    drain();
}

void scenarioKernel()
{
    scenario("kernel32");
    WCHAR buf[64];
    SetEnvironmentVariableW(L"WC_CONF_PROFILE", L"C:\\Users\\op");
    DWORD n = GetEnvironmentVariableW(L"WC_CONF_PROFILE", buf, 64);
    note("env", "returns=%u value=%s", (unsigned)n, text(buf, (int)n).c_str());
    fill(buf, 16);
    n = GetEnvironmentVariableW(L"WC_CONF_PROFILE", buf, 5);
    note("env-short", "returns=%u", (unsigned)n);
    n = GetEnvironmentVariableW(L"WC_CONF_PROFILE", buf, 12);
    note("env-exact", "returns=%u", (unsigned)n);
    SetLastError(0);
    n = GetEnvironmentVariableW(L"WC_CONF_MISSING", buf, 64);
    note("env-missing", "returns=%u error=%u", (unsigned)n, (unsigned)GetLastError());
    const char utf8[] = "Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC";
    int w = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    int w2 = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, buf, 64);
    note("utf8-to-wide", "size=%d converted=%d text=%s", w, w2, text(buf).c_str());
    char out[64];
    int m = WideCharToMultiByte(CP_UTF8, 0, buf, -1, nullptr, 0, nullptr, nullptr);
    int m2 = WideCharToMultiByte(CP_UTF8, 0, buf, -1, out, 64, nullptr, nullptr);
    note("wide-to-utf8", "size=%d converted=%d same=%s", m, m2, yes(m2 > 0 && std::string(out) == utf8));
    int oem = WideCharToMultiByte(CP_OEMCP, 0, L"C:\\op", -1, nullptr, 0, nullptr, nullptr);
    int acp = MultiByteToWideChar(CP_ACP, 0, "C:\\op", -1, nullptr, 0);
    note("ascii-code-pages", "wide-to-oem=%d ansi-to-wide=%d", oem, acp);
    w = MultiByteToWideChar(CP_UTF8, 0, "a\xFF" "b", -1, buf, 64);
    note("utf8-invalid", "size=%d second=%04X", w, w > 1 ? (unsigned)buf[1] : 0u);
}

void scenarioStaleHandles()
{
    scenario("stale");
    POINT o = origin();
    HWND w = make("W", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 0, 0, 10, 10);
    HWND p = make("P", 0, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    DestroyWindow(w);
    WCHAR buf[16];
    HRGN r = CreateRectRgn(0, 0, 1, 1);
    note("is-window", "%s visible=%s", yes(IsWindow(w)), yes(IsWindowVisible(w)));
    note("reads", "rect=%s parent=%s text=%d rgn=%s", windowRect(w, o).c_str(), name(GetParent(w)),
         GetWindowTextW(w, buf, 16), GetWindowRgn(w, r) == ERROR ? "ERROR" : "other");
    BOOL moved = SetWindowPos(w, nullptr, 0, 0, 5, 5, SWP_NOZORDER | SWP_NOACTIVATE);
    HWND oldParent = SetParent(w, p);
    BOOL fg = SetForegroundWindow(w);
    note("writes", "swp=%s setparent=%s foreground=%s", yes(moved), name(oldParent), yes(fg));
    HWND into = SetParent(p, w);
    note("into-stale", "setparent=%s P.parent=%s", name(into), name(GetAncestor(p, GA_PARENT)));
    note("null", "visible=%s is-window=%s rect=%s child=%s", yes(IsWindowVisible(nullptr)), yes(IsWindow(nullptr)),
         windowRect(nullptr, o).c_str(), name(GetWindow(nullptr, GW_CHILD)));
    DeleteObject(r);
}
