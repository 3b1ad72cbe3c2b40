#include "AppWindows.h"

#include <algorithm>
#include <map>
#include <set>

namespace win32real {
namespace apps {

namespace {

constexpr int kTaskbarHeight = 40;
constexpr int kStartWidth = 48;

struct Posted
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<HWND> s_made;                 // in creation order, the taskbars included
std::map<HWND, COLORREF> s_colours;
std::set<std::wstring> s_classes;
std::vector<Posted> s_posted;
HWND s_hTray = nullptr, s_hStart = nullptr;
std::vector<HWND> s_secondaryTrays;

// A colour of its own for each window without one, as on the simulated desktop.
COLORREF colourFor(HWND hwnd)
{
    const auto v = reinterpret_cast<uintptr_t>(hwnd) >> 2;
    const int hue = int((v * 47) % 360);
    const double s = 90 / 255.0, value = 225 / 255.0;
    const double c = value * s, x = c * (1 - std::abs((hue / 60) % 2 - 1 + (hue % 60) / 60.0)), m = value - c;
    double r = 0, g = 0, b = 0;
    switch (hue / 60) {
    case 0: r = c, g = x; break;
    case 1: r = x, g = c; break;
    case 2: g = c, b = x; break;
    case 3: g = x, b = c; break;
    case 4: r = x, b = c; break;
    default: r = c, b = x; break;
    }
    return RGB(int((r + m) * 255), int((g + m) * 255), int((b + m) * 255));
}

// Plain windows paint a flat colour and their title.
LRESULT CALLBACK appWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        const auto it = s_colours.find(hwnd);
        const COLORREF colour = it != s_colours.end() ? it->second : colourFor(hwnd);
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
        wchar_t title[256] = {};
        if (GetWindowTextW(hwnd, title, 256) > 0) {
            const int lightness = (GetRValue(colour) * 3 + GetGValue(colour) * 6 + GetBValue(colour)) / 10;
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, lightness > 128 ? RGB(0, 0, 0) : RGB(255, 255, 255));
            RECT text = rc;
            InflateRect(&text, -4, -4);
            DrawTextW(dc, title, -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_NCDESTROY:
        s_colours.erase(hwnd);
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void ensureClass(const std::wstring &name)
{
    if (s_classes.count(name))
        return;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = appWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = name.c_str();
    RegisterClassExW(&wc);   // fails only when it is registered already
    s_classes.insert(name);
}

HWND make(const std::wstring &cls, const std::wstring &title, int x, int y, int w, int h, DWORD style, DWORD exStyle,
          HWND parent, long long colour)
{
    ensureClass(cls);
    HWND hwnd = CreateWindowExW(exStyle, cls.c_str(), title.c_str(), style, x, y, w, h, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (hwnd) {
        s_made.push_back(hwnd);
        if (colour >= 0)
            s_colours[hwnd] = COLORREF(colour);
    }
    return hwnd;
}

HWND makeBar(const std::wstring &cls, const std::wstring &title, const RECT &r, COLORREF colour)
{
    HWND hwnd = make(cls, title, r.left, r.top, r.right - r.left, r.bottom - r.top, WS_POPUP | WS_CLIPCHILDREN,
                     WS_EX_TOOLWINDOW | WS_EX_TOPMOST, nullptr, colour);
    // Shown without taking the foreground, as the shell's own windows appear.
    ShowWindow(hwnd, SW_SHOWNA);
    return hwnd;
}

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    if (GetMonitorInfoW(monitor, &mi))
        reinterpret_cast<std::vector<MONITORINFO> *>(data)->push_back(mi);
    return TRUE;
}

Message taskbarsAnswer()
{
    Message answer{L"ok", handleText(s_hTray), handleText(s_hStart)};
    for (HWND h : s_secondaryTrays)
        answer.push_back(handleText(h));
    return answer;
}

void destroyAll()
{
    // The newest first: children before their parents, each once.
    for (auto it = s_made.rbegin(); it != s_made.rend(); ++it) {
        if (IsWindow(*it))
            DestroyWindow(*it);
    }
    s_made.clear();
    s_hTray = s_hStart = nullptr;
    s_secondaryTrays.clear();
}

// Whatever waits in the queue is handled before an answer goes back, so that the face
// sees what it caused (posted messages, input).
void drain()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        recordPosted(msg);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

Message error(const wchar_t *reason)
{
    return {L"error", reason};
}

} // namespace

void makeTaskbars()
{
    for (HWND h : s_secondaryTrays)
        DestroyWindow(h);
    s_secondaryTrays.clear();
    if (s_hStart)
        DestroyWindow(s_hStart);
    if (s_hTray)
        DestroyWindow(s_hTray);
    s_hTray = s_hStart = nullptr;
    std::vector<MONITORINFO> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    const COLORREF bar = RGB(0x20, 0x24, 0x2A);
    for (const MONITORINFO &m : monitors) {
        const RECT r = {m.rcMonitor.left, m.rcMonitor.bottom - kTaskbarHeight, m.rcMonitor.right, m.rcMonitor.bottom};
        if (m.dwFlags & MONITORINFOF_PRIMARY) {
            s_hTray = makeBar(L"Shell_TrayWnd", L"", r, bar);
            const RECT start = {r.left, r.top, r.left + kStartWidth, r.bottom};
            s_hStart = makeBar(L"Button", L"Start", start, RGB(0x30, 0x70, 0xC0));
        } else {
            s_secondaryTrays.push_back(makeBar(L"Shell_SecondaryTrayWnd", L"", r, bar));
        }
    }
}

void recordPosted(const MSG &msg)
{
    // Posted to a window: not the face's requests, not what the system makes up (paint,
    // timers) and not the input the face sends (marked by its extra information).
    if (!msg.hwnd || msg.message == WM_PAINT || msg.message == WM_TIMER)
        return;
    if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) || (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
        || (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK)) {
        if (ULONG_PTR(GetMessageExtraInfo()) == kInputMark)
            return;
    }
    s_posted.push_back(Posted{msg.hwnd, msg.message, msg.wParam, msg.lParam});
}

Message handle(const Message &request)
{
    if (request.empty())
        return error(L"empty request");
    const std::wstring &what = request[0];
    auto arg = [&](size_t i) { return i < request.size() ? request[i] : std::wstring(); };
    auto num = [&](size_t i) { return toNumber(arg(i)); };
    const HWND hwnd = toHwnd(arg(1));

    if (what == op::Create) {
        const HWND made = make(arg(1), arg(2), int(num(3)), int(num(4)), int(num(5)), int(num(6)), DWORD(num(7)),
                               DWORD(num(8)), toHwnd(arg(9)), num(10));
        if (!made)
            return {L"error", L"CreateWindowExW failed", number(GetLastError())};
        return {L"ok", handleText(made)};
    }
    if (what == op::Move) {
        SetWindowPos(hwnd, nullptr, int(num(2)), int(num(3)), int(num(4)), int(num(5)), SWP_NOZORDER | SWP_NOACTIVATE);
        return {L"ok"};
    }
    if (what == op::Title) {
        SetWindowTextW(hwnd, arg(2).c_str());
        return {L"ok"};
    }
    if (what == op::Show) {
        ShowWindow(hwnd, int(num(2)));
        return {L"ok"};
    }
    if (what == op::Activate) {
        // As when the user switches to it: brought to the top, then made the active window.
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetForegroundWindow(hwnd);
        return {L"ok"};
    }
    if (what == op::Destroy) {
        DestroyWindow(hwnd);
        return {L"ok"};
    }
    if (what == op::Parent) {
        SetParent(hwnd, toHwnd(arg(2)));
        return {L"ok"};
    }
    if (what == op::Reset) {
        destroyAll();
        drain();
        s_posted.clear();
        makeTaskbars();
        return taskbarsAnswer();
    }
    if (what == op::Taskbars) {
        makeTaskbars();
        return taskbarsAnswer();
    }
    if (what == op::Posted) {
        drain();
        Message answer{L"ok"};
        for (const Posted &p : s_posted) {
            if (hwnd && p.hwnd != hwnd)
                continue;
            answer.push_back(handleText(p.hwnd));
            answer.push_back(number(p.message));
            answer.push_back(number(static_cast<long long>(p.wParam)));
            answer.push_back(number(static_cast<long long>(p.lParam)));
        }
        return answer;
    }
    if (what == op::ClearPosted) {
        drain();
        s_posted.clear();
        return {L"ok"};
    }
    if (what == op::Sync) {
        drain();
        return {L"ok"};
    }
    return error(L"unknown request");
}

} // namespace apps
} // namespace win32real
