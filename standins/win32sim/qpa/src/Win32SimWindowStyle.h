#pragma once

#include <QtCore/qnamespace.h>

#include <string>

#include <windows.h>

class QWindow;

// How a Qt window looks to the desktop: window class and style bits, chosen the way
// Qt's own Windows platform chooses them, so that code reading classes and styles of
// Qt windows sees what it would see on Windows.
struct Win32SimWindowStyle
{
    DWORD dwStyle = 0;
    DWORD dwExStyle = 0;
    bool bShowWithoutActivating = false;
};

Win32SimWindowStyle win32SimWindowStyle(const QWindow *window, Qt::WindowFlags flags, bool bChild);

struct Win32SimWindowClass
{
    std::wstring strName;   // "Qt5158QWindowToolSaveBits", "Qt5158QWindowIcon"...
    UINT uStyle = 0;
};

// The class Qt's Windows platform registers for the window: the prefix of the Qt that
// runs, "QWindow", then the kind and class styles ("Tool", "SaveBits", "Icon"...).
Win32SimWindowClass win32SimWindowClass(const QWindow *window);

// Registers the class (once per desktop; again after the desktop forgot it).
void registerWin32SimWindowClass(const Win32SimWindowClass &windowClass, WNDPROC pfnWndProc);
