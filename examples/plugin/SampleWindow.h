#pragma once

#include <windows.h>

namespace sample {

// The window class of this build. Each build registers a class of its own, so that when
// several builds serve windows in one process, each window reaches its own build's
// window procedure. Defined with the exports.
extern const wchar_t *const kSampleClassName;

// The library's window: a plain child filling the host's client area, titled
// "Sample plug-in". Null when the host is no window.
HWND createSampleWindow(HWND hParent);
// Destroys a window made here; false for any other handle.
bool destroySampleWindow(HWND hWnd);
// Lets go of the window class once no window of it is left (cleanup).
void unregisterSampleClass();

} // namespace sample
