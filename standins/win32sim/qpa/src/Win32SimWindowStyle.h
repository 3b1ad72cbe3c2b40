#pragma once

#include <QtCore/qnamespace.h>

#include <windows.h>

// How a Qt window looks to the desktop: window class and style bits, chosen the way
// Qt's own Windows platform chooses them, so that code reading classes and styles of
// Qt windows sees what it would see on Windows.
struct Win32SimWindowStyle
{
    const wchar_t *pszClassName = nullptr;   // every name starts with "Qt5QWindow"
    DWORD dwStyle = 0;
    DWORD dwExStyle = 0;
    bool bShowWithoutActivating = false;
};

Win32SimWindowStyle win32SimWindowStyle(Qt::WindowFlags flags, bool bChild);

// Registers the class (once per desktop; again after the desktop forgot it).
void registerWin32SimWindowClass(const wchar_t *pszClassName, WNDPROC pfnWndProc);
