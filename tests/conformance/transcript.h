// Observation helpers shared by the scenarios: windows are named by role, rectangles are
// printed relative to a known origin, and every observation is one line
// "<scenario> <key>: <value>" so that two transcripts compare line by line.
#pragma once

#include <windows.h>

#include <string>

namespace conf {

extern const WCHAR kClass[];     // the class every scenario window uses (logging window procedure)
extern const WCHAR kOtherClass[];

void registerClasses();

// Starts a scenario: destroys the windows of the previous one and forgets their names.
void scenario(const char *name);
void finish();
int observationCount();
int scenarioCount();

void note(const char *key, const char *fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// Creates a window named by its role; the name is known to the window procedure from the
// first message on.
HWND make(const char *role, DWORD exStyle, DWORD style, int x, int y, int w, int h, HWND parent = nullptr,
          const WCHAR *title = L"", const WCHAR *cls = kClass);
const char *name(HWND h);

// Stacking of this scenario's top-level windows (EnumWindows order, top first):
// "*" marks topmost, "-" hidden.
std::string stack();
// Direct children from GW_CHILD along GW_HWNDNEXT, and back along GW_HWNDPREV.
std::string children(HWND parent);
std::string childrenBackwards(HWND parent);

POINT origin();  // top-left corner of the primary monitor
std::string rectText(const RECT &r, POINT o);
std::string windowRect(HWND h, POINT o);
std::string clientOrigin(HWND h, POINT o);  // ClientToScreen of the client corner
std::string clientRect(HWND h);

// Message log of the window procedure: "role.WM_NAME" entries in the order received.
void logOn();
std::string logOff();
// Called from the window procedure when a window receives WM_DESTROY.
void onDestroy(void (*hook)(HWND));

const char *yes(BOOL b);
std::string text(const WCHAR *s, int max = -1);  // wide text as UTF-8 (BMP only)

}  // namespace conf
