#include "transcript.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

namespace conf {

namespace {

std::vector<std::pair<HWND, std::string>> g_vecNamed;  // window and role, in naming order
std::string g_strScenario;
int g_iObservations = 0;
int g_iScenarios = 0;

std::string *find(HWND h)
{
    for (auto &named : g_vecNamed)
        if (named.first == h)
            return &named.second;
    return nullptr;
}

BOOL CALLBACK collect(HWND h, LPARAM lp)
{
    auto *pOut = reinterpret_cast<std::string *>(lp);
    if (find(h))
        *pOut += std::string(pOut->empty() ? "" : " ") + name(h) +
                 (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST ? "*" : "") + (IsWindowVisible(h) ? "" : "-");
    return TRUE;
}

}  // namespace

void startScenario(const char *pszName)
{
    g_vecNamed.clear();
    g_iScenarios += pszName ? 1 : 0;
    g_strScenario = pszName ? pszName : "";
}

int end()
{
    std::printf("end: %d observations, %d scenarios\n", g_iObservations, g_iScenarios);
    return 0;
}

void note(const char *pszKey, const char *pszFormat, ...)
{
    char szBuffer[8192];
    va_list args;
    va_start(args, pszFormat);
    std::vsnprintf(szBuffer, sizeof szBuffer, pszFormat, args);
    va_end(args);
    std::printf("%s %s: %s\n", g_strScenario.c_str(), pszKey, szBuffer);
    std::fflush(stdout);
    ++g_iObservations;
}

void nameWindow(HWND h, const char *pszRole)
{
    if (std::string *pRole = find(h))
        *pRole = pszRole;
    else if (h)
        g_vecNamed.emplace_back(h, pszRole);
}

bool named(HWND h) { return find(h) != nullptr; }

const char *name(HWND h)
{
    const std::string *pRole = find(h);
    return !h ? "null" : h == GetDesktopWindow() ? "desktop" : pRole ? pRole->c_str() : "foreign";
}

std::vector<HWND> namedWindows()
{
    std::vector<HWND> vecOut;
    for (const auto &named : g_vecNamed)
        vecOut.push_back(named.first);
    return vecOut;
}

std::string stack()
{
    std::string strOut;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&strOut));
    return strOut;
}

std::string children(HWND hParent)
{
    std::string strOut;
    int iGuard = 0;
    for (HWND c = GetWindow(hParent, GW_CHILD); c && iGuard < 64; c = GetWindow(c, GW_HWNDNEXT), ++iGuard)
        strOut += std::string(strOut.empty() ? "" : " ") + name(c);
    return strOut.empty() ? "none" : strOut;
}

POINT corner(HWND ref)
{
    POINT pt = {0, 0};
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    if (ref)
        ClientToScreen(ref, &pt);
    else if (GetMonitorInfoW(MonitorFromPoint(pt, MONITOR_DEFAULTTOPRIMARY), &mi))
        pt = {mi.rcMonitor.left, mi.rcMonitor.top};
    return pt;
}

std::string rectText(const RECT &r, POINT o)
{
    return pointText(POINT{r.left, r.top}, o) + "-" + pointText(POINT{r.right, r.bottom}, o);
}

std::string pointText(POINT p, POINT o)
{
    return "(" + std::to_string(p.x - o.x) + "," + std::to_string(p.y - o.y) + ")";
}

std::string windowRect(HWND h, POINT o)
{
    RECT rc = {};
    return GetWindowRect(h, &rc) ? rectText(rc, o) : "fails";
}

std::string clientRect(HWND h)
{
    RECT rc = {};
    return GetClientRect(h, &rc) ? rectText(rc) : "fails";
}

std::string clientArea(HWND h, POINT o)
{
    RECT rc = {};
    POINT pt = {0, 0};
    if (!GetClientRect(h, &rc) || !ClientToScreen(h, &pt))
        return "fails";
    return rectText(RECT{pt.x, pt.y, pt.x + rc.right, pt.y + rc.bottom}, o);
}

std::string styles(HWND h)
{
    char szBuffer[64];
    std::snprintf(szBuffer, sizeof szBuffer, "style=%08X ex=%08X", unsigned(GetWindowLongW(h, GWL_STYLE)),
                  unsigned(GetWindowLongW(h, GWL_EXSTYLE)));
    return szBuffer;
}

std::string text(const WCHAR *s, int max)
{
    std::string strOut;
    for (int i = 0; s[i] && (max < 0 || i < max); ++i) {
        const unsigned c = unsigned(s[i]);
        if (c < 0x80)
            strOut += char(c);
        else if (c < 0x800)
            strOut += {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
        else
            strOut += {char(0xE0 | ((c >> 12) & 0x0F)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
    }
    return strOut;
}

const char *yes(bool b) { return b ? "yes" : "no"; }

void walk(std::initializer_list<Step> steps, const std::function<std::string()> &look,
          const std::function<void()> &before)
{
    for (const Step &step : steps) {
        if (step.key && before)
            before();
        step.act();
        if (step.key)
            note(step.key, "%s", look().c_str());
    }
}

std::function<void()> setPos(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags)
{
    return [=] { SetWindowPos(h, after, x, y, cx, cy, flags); };
}

}  // namespace conf
