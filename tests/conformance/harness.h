// What the plain Win32 scenarios share: a logging window procedure that knows each window's
// role from its first message, windows made by role, and the message log.
#pragma once

#include "transcript.h"

namespace conf {

extern const WCHAR kClass[];  // the class every scenario window uses (logging window procedure)
extern const WCHAR kOtherClass[];

const DWORD kFramed = WS_OVERLAPPEDWINDOW;
const DWORD kTool = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

void registerClasses();
// Starts a scenario: destroys the windows of the previous one.
void scenario(const char *name);

// Creates a window named by its role; top-level positions count from the primary monitor's
// corner, and visible top-level windows are shown without activation.
HWND make(const char *role, DWORD exStyle, DWORD style, int x, int y, int w, int h, HWND parent = nullptr,
          const WCHAR *title = L"", const WCHAR *cls = kClass);

// Message log of the window procedure: "role.WM_NAME" entries in the order received.
void logOn();
std::string logOff();
// Called from the window procedure when a window receives WM_DESTROY.
void onDestroy(void (*hook)(HWND));
// A table of steps whose observation is the messages each one sent.
void logged(std::initializer_list<Step> steps);

}  // namespace conf
