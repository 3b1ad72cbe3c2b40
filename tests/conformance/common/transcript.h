// The transcript both scenario programs print: one observation a line,
// "<scenario> <key>: <value>", and "end: ..." last, so that a run under Wine and one on the
// simulated desktop compare line by line. Windows are named by their role in the scenario.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace conf {

const UINT kStack = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;  // 0x13
const UINT kNoZ = SWP_NOZORDER | SWP_NOACTIVATE;               // 0x14

// Starts counting a scenario; the names given in the one before are forgotten.
void startScenario(const char *name);
int end();  // prints the closing line; the program's exit code
void note(const char *key, const char *fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

void nameWindow(HWND h, const char *role);
bool named(HWND h);
const char *name(HWND h);  // the role, "null", "desktop", or "foreign" for a window of no role
std::vector<HWND> namedWindows();  // in the order they were named

// Stacking of the named top-level windows (EnumWindows order, top first): "*" marks topmost,
// "-" hidden. Direct children from GW_CHILD along GW_HWNDNEXT.
std::string stack();
std::string children(HWND parent);

// The client corner of `ref`, or the primary monitor's corner without one: what positions
// are printed relative to.
POINT corner(HWND ref = nullptr);
std::string rectText(const RECT &r, POINT o = {0, 0});
std::string pointText(POINT p, POINT o = {0, 0});
std::string windowRect(HWND h, POINT o);
std::string clientRect(HWND h);             // GetClientRect
std::string clientArea(HWND h, POINT o);    // the client area where it lies
std::string styles(HWND h);                 // "style=XXXXXXXX ex=XXXXXXXX"
std::string text(const WCHAR *s, int max = -1);  // wide text as UTF-8 (BMP only)
const char *yes(bool b);

// A table of steps: each is done, then `look` gives its observation. A step without a key
// is only done; `before` runs ahead of each step with one.
struct Step {
    const char *key;
    std::function<void()> act;
};
void walk(std::initializer_list<Step> steps, const std::function<std::string()> &look,
          const std::function<void()> &before = {});
// A step that is one SetWindowPos.
std::function<void()> setPos(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags);

}  // namespace conf
