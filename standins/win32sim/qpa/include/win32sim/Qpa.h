// The Qt side of the simulated desktop: Qt's platform "win32sim", on which every Qt
// window is a desktop window and winId() is its HWND.
#pragma once

namespace win32sim {

// True when the running QGuiApplication uses the "win32sim" platform.
bool isQtPlatform();

// Re-reads the desktop's monitors into Qt's screens (after win32sim::setMonitors;
// windows also do it when they receive WM_DISPLAYCHANGE).
void syncScreens();

} // namespace win32sim
