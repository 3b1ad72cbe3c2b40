// The Qt side of the simulated desktop: Qt's platform "win32sim", on which every Qt
// window is a desktop window and winId() is its HWND.
#pragma once

namespace win32sim {

// True when the running QGuiApplication uses the "win32sim" platform.
bool isQtPlatform();

} // namespace win32sim
