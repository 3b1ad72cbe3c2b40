// Desktop-wide state: foreground window, monitors, window texts and class names, FindWindowW,
// posted messages, the environment and code-page conversion, and calls on stale handles.
#include "harness.h"
#include "scenarios.h"

#include <cstdio>

using namespace conf;

namespace {

// The work area is the monitor less a visible taskbar docked to one of its edges (or the whole
// monitor without one); anything else is printed as insets.
std::string workArea(const MONITORINFO &mi)
{
    RECT m = mi.rcMonitor, t = {};
    const RECT &w = mi.rcWork;
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
    const RECT &o = mi.rcMonitor;
    char buf[64];
    std::snprintf(buf, sizeof buf, "insets(%d,%d,%d,%d)", int(w.left - o.left), int(w.top - o.top),
                  int(o.right - w.right), int(o.bottom - w.bottom));
    return buf;
}

// Calls f with a buffer of '#' and prints what it returns and the buffer after, the
// characters left untouched shown as '#'.
template <typename F>
void filled(const char *key, int shown, F f)
{
    WCHAR b[300];
    for (WCHAR &ch : b)
        ch = L'#';
    const int r = f(b);
    std::string out;
    for (int i = 0; i < shown; ++i)
        out += b[i] == L'#' ? std::string("#") : b[i] == 0 ? std::string("\\0") : text(b + i, 1);
    note(key, "returns=%d buffer=%s", r, out.c_str());
}

std::string peek(HWND filter, UINT lo, UINT hi, UINT remove)
{
    MSG m = {};
    if (!PeekMessageW(&m, filter, lo, hi, remove))
        return "none";
    char buf[96];
    std::snprintf(buf, sizeof buf, "%s:%u(%d,%d)", name(m.hwnd), unsigned(m.message - WM_USER), int(m.wParam),
                  int(m.lParam));
    return buf;
}

void drain()
{
    for (MSG m; PeekMessageW(&m, nullptr, WM_USER, WM_APP - 1, PM_REMOVE);) {
    }
}

}  // namespace

void desktopScenarios()
{
    scenario("foreground");
    HWND a = make("A", 0, kFramed | WS_VISIBLE, 10, 10, 300, 200);
    HWND b = make("B", 0, kFramed | WS_VISIBLE, 40, 40, 300, 200);
    HWND t = make("T", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 60, 60, 100, 100);
    const struct {
        const char *key;
        HWND h;
    } kForeground[] = {{"to-A", a}, {"to-B", b}, {"to-tool", t}, {"back-to-A", a}, {"to-null", nullptr}};
    for (const auto &row : kForeground) {
        const BOOL ok = SetForegroundWindow(row.h);
        note(row.key, "%s ok=%s", name(GetForegroundWindow()), yes(ok));
    }

    scenario("monitors");
    a = make("A", 0, kFramed | WS_VISIBLE, 10, 10, 300, 200);
    HWND off = make("off", WS_EX_TOOLWINDOW, kTool, 30000, 30000, 50, 50);
    HMONITOR primary = MonitorFromPoint(corner(), MONITOR_DEFAULTTOPRIMARY);
    note("count", "%d", GetSystemMetrics(SM_CMONITORS));
    note("from-window", "nearest-is-primary=%s", yes(MonitorFromWindow(a, MONITOR_DEFAULTTONEAREST) == primary));
    note("off-screen", "null=%s primary=%s nearest=%s", yes(MonitorFromWindow(off, MONITOR_DEFAULTTONULL) == nullptr),
         yes(MonitorFromWindow(off, MONITOR_DEFAULTTOPRIMARY) == primary),
         yes(MonitorFromWindow(off, MONITOR_DEFAULTTONEAREST) == primary));
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    const BOOL bInfo = GetMonitorInfoW(primary, &mi);
    note("info", "ok=%s flags=%u primary-corner=(%d,%d) work-area=%s", yes(bInfo), unsigned(mi.dwFlags),
         int(mi.rcMonitor.left), int(mi.rcMonitor.top), workArea(mi).c_str());
    MONITORINFO bad = {};
    bad.cbSize = 0;
    note("info-no-size", "ok=%s", yes(GetMonitorInfoW(primary, &bad)));
    note("info-null", "ok=%s", yes(GetMonitorInfoW(nullptr, &mi)));

    scenario("texts");
    HWND w = make("W", 0, kFramed, 10, 10, 300, 200, nullptr, L"Hello, world");
    HWND c = make("W.c", 0, WS_CHILD, 1, 1, 10, 10, w, L"\x00DC\x00DF \x20AC \x65E5\x672C", kOtherClass);
    char key[32];
    for (int n : {0, 1, 5, 12, 13, 40}) {
        std::snprintf(key, sizeof key, "text-max-%d", n);
        filled(key, 15, [&](WCHAR *buf) { return GetWindowTextW(w, buf, n); });
    }
    note("length", "%d", GetWindowTextLengthW(w));
    WCHAR buf[300];
    int r = GetWindowTextW(c, buf, 16);
    note("non-ascii", "returns=%d text=%s length=%d", r, text(buf, r).c_str(), GetWindowTextLengthW(c));
    std::wstring longTitle(300, L'x');
    longTitle[0] = L'a';
    longTitle[299] = L'z';
    SetWindowTextW(w, longTitle.c_str());
    r = GetWindowTextW(w, buf, 260);
    note("long", "returns=%d last=%s length=%d", r, text(buf + 258, 1).c_str(), GetWindowTextLengthW(w));
    SetWindowTextW(w, L"");
    filled("empty", 3, [&](WCHAR *buf) { return GetWindowTextW(w, buf, 16); });
    for (int n : {1, 5, 9, 10, 64}) {
        std::snprintf(key, sizeof key, "class-max-%d", n);
        filled(key, 12, [&](WCHAR *buf) { return GetClassNameW(w, buf, n); });
    }
    r = GetClassNameW(c, buf, 64);
    note("class-child", "returns=%d %s", r, text(buf, r).c_str());

    scenario("find");
    HWND host = make("host", 0, kFramed, 0, 0, 100, 100);
    const auto found = [](const WCHAR *cls, const WCHAR *title) { return std::string(name(FindWindowW(cls, title))); };
    make("host.kid", 0, WS_CHILD, 0, 0, 10, 10, host, L"kid", kOtherClass);
    note("only-child", "%s", found(kOtherClass, nullptr).c_str());
    HWND f1 = make("F1", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 0, 0, 10, 10, nullptr, L"first", kOtherClass);
    make("F2", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 0, 0, 10, 10, nullptr, L"second", kOtherClass);
    walk({{"newest", [] {}}, {"after-raise", [&] { SetWindowPos(f1, HWND_TOP, 0, 0, 0, 0, kStack); }},
          {"hidden-found", [&] { ShowWindow(f1, SW_HIDE); }}},
         [&] { return found(kOtherClass, nullptr); });
    note("case", "%s", found(L"wcconfOTHER", nullptr).c_str());
    note("by-title", "%s", found(kOtherClass, L"second").c_str());
    note("unknown", "%s", found(L"NoSuchClassHere", nullptr).c_str());

    scenario("posted");
    a = make("A", 0, kFramed, 0, 0, 100, 100);
    b = make("B", WS_EX_TOOLWINDOW, kTool, 0, 0, 10, 10);
    HWND ac = make("A.c", 0, WS_CHILD, 0, 0, 10, 10, a);
    drain();
    const HWND kTargets[] = {a, b, a, nullptr, ac};
    for (int i = 1; i <= 5; ++i)
        PostMessageW(kTargets[i - 1], WM_USER + i, i * 10 + 1, i * 10 + 2);
    const UINT lo = WM_USER, hi = WM_USER + 50;
    note("noremove-A-3", "%s", peek(a, WM_USER + 3, WM_USER + 3, PM_NOREMOVE).c_str());
    note("noremove-B", "%s", peek(b, lo, hi, PM_NOREMOVE).c_str());
    const std::string strFirst = peek(nullptr, lo, hi, PM_NOREMOVE);
    note("noremove-any", "%s then %s", strFirst.c_str(), peek(nullptr, lo, hi, PM_NOREMOVE).c_str());
    note("thread-only", "%s", peek(HWND(-1), lo, hi, PM_NOREMOVE).c_str());
    note("parent-filter", "%s", peek(a, WM_USER + 5, WM_USER + 5, PM_NOREMOVE).c_str());
    note("range-empty", "%s", peek(nullptr, WM_USER + 6, WM_USER + 9, PM_REMOVE).c_str());
    std::string order;
    for (int i = 0; i < 6; ++i)
        order += (i ? " " : "") + peek(nullptr, lo, hi, PM_REMOVE);
    note("remove-all", "%s", order.c_str());
    PostMessageW(a, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 150));
    MSG m = {};
    const BOOL bGot = PeekMessageW(&m, a, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);
    note("mousemove", "got=%s to=%s wparam=%d x=%d y=%d", yes(bGot), name(m.hwnd), int(m.wParam),
         int(short(LOWORD(m.lParam))), int(short(HIWORD(m.lParam))));
    PostMessageW(b, WM_USER + 7, 0, 0);
    DestroyWindow(b);
    SetLastError(0);
    const BOOL bPosted = PostMessageW(b, WM_USER + 8, 0, 0);
    const DWORD error = GetLastError();
    note("destroyed", "pending=%s post=%s error=%u", peek(nullptr, lo, hi, PM_REMOVE).c_str(), yes(bPosted),
         unsigned(error));
    drain();

    scenario("kernel32");
    SetEnvironmentVariableW(L"WC_CONF_PROFILE", L"C:\\Users\\op");
    DWORD n = GetEnvironmentVariableW(L"WC_CONF_PROFILE", buf, 64);
    note("env", "returns=%u value=%s", unsigned(n), text(buf, int(n)).c_str());
    note("env-short", "returns=%u", unsigned(GetEnvironmentVariableW(L"WC_CONF_PROFILE", buf, 5)));
    note("env-exact", "returns=%u", unsigned(GetEnvironmentVariableW(L"WC_CONF_PROFILE", buf, 12)));
    note("env-any-case", "returns=%u size-query=%u", unsigned(GetEnvironmentVariableW(L"wc_conf_Profile", buf, 64)),
         unsigned(GetEnvironmentVariableW(L"WC_CONF_PROFILE", nullptr, 0)));
    SetLastError(0);
    const BOOL bSet = SetEnvironmentVariableW(L"WC=CONF", L"x");
    note("env-name-with-equals", "ok=%s error=%u", yes(bSet), unsigned(GetLastError()));
    SetEnvironmentVariableW(L"WC_CONF_PROFILE", nullptr);
    note("env-removed", "returns=%u", unsigned(GetEnvironmentVariableW(L"WC_CONF_PROFILE", buf, 64)));
    SetLastError(0);
    n = GetEnvironmentVariableW(L"WC_CONF_MISSING", buf, 64);
    note("env-missing", "returns=%u error=%u", unsigned(n), unsigned(GetLastError()));
    const char utf8[] = "Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC";
    const int iSize = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    r = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, buf, 64);
    note("utf8-to-wide", "size=%d converted=%d text=%s", iSize, r, text(buf).c_str());
    char out[64];
    const int iBytes = WideCharToMultiByte(CP_UTF8, 0, buf, -1, nullptr, 0, nullptr, nullptr);
    r = WideCharToMultiByte(CP_UTF8, 0, buf, -1, out, 64, nullptr, nullptr);
    note("wide-to-utf8", "size=%d converted=%d same=%s", iBytes, r, yes(r > 0 && std::string(out) == utf8));
    note("ascii-code-pages", "wide-to-oem=%d ansi-to-wide=%d",
         WideCharToMultiByte(CP_OEMCP, 0, L"C:\\op", -1, nullptr, 0, nullptr, nullptr),
         MultiByteToWideChar(CP_ACP, 0, "C:\\op", -1, nullptr, 0));
    r = MultiByteToWideChar(CP_UTF8, 0, "a\xFF" "b", -1, buf, 64);
    note("utf8-invalid", "size=%d second=%04X", r, r > 1 ? unsigned(buf[1]) : 0u);

    scenario("stale");
    const POINT o = corner();
    w = make("W", WS_EX_TOOLWINDOW, kTool | WS_VISIBLE, 0, 0, 10, 10);
    HWND p = make("P", 0, kFramed, 0, 0, 100, 100);
    DestroyWindow(w);
    HRGN rgn = CreateRectRgn(0, 0, 1, 1);
    note("is-window", "%s visible=%s", yes(IsWindow(w)), yes(IsWindowVisible(w)));
    note("reads", "rect=%s parent=%s text=%d rgn=%s", windowRect(w, o).c_str(), name(GetParent(w)),
         GetWindowTextW(w, buf, 16), GetWindowRgn(w, rgn) == ERROR ? "ERROR" : "other");
    const BOOL bMoved = SetWindowPos(w, nullptr, 0, 0, 5, 5, kNoZ);
    HWND oldParent = SetParent(w, p);
    const BOOL bForeground = SetForegroundWindow(w);
    note("writes", "swp=%s setparent=%s foreground=%s", yes(bMoved), name(oldParent), yes(bForeground));
    HWND into = SetParent(p, w);
    note("into-stale", "setparent=%s P.parent=%s", name(into), name(GetAncestor(p, GA_PARENT)));
    note("null", "visible=%s is-window=%s rect=%s child=%s", yes(IsWindowVisible(nullptr)), yes(IsWindow(nullptr)),
         windowRect(nullptr, o).c_str(), name(GetWindow(nullptr, GW_CHILD)));
    DeleteObject(rgn);
}
