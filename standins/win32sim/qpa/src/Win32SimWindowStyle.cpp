#include "Win32SimWindowStyle.h"

Win32SimWindowStyle win32SimWindowStyle(Qt::WindowFlags flags, bool bChild)
{
    const Qt::WindowType type = Qt::WindowType(int(flags & Qt::WindowType_Mask));
    const bool bPopupType = type == Qt::Popup || type == Qt::ToolTip;

    Win32SimWindowStyle style;
    if (type == Qt::Tool)
        style.pszClassName = L"Qt5QWindowToolSaveBits";
    else if (bPopupType)
        style.pszClassName = L"Qt5QWindowPopupSaveBits";
    else
        style.pszClassName = L"Qt5QWindowIcon";

    if (bChild) {
        style.dwStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        return style;
    }

    const bool bFrameless = bPopupType || type == Qt::SplashScreen || (flags & Qt::FramelessWindowHint);
    style.dwStyle = (bFrameless ? WS_POPUP : WS_OVERLAPPEDWINDOW) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (type == Qt::Tool)
        style.dwExStyle |= WS_EX_TOOLWINDOW;
    if (flags & Qt::WindowStaysOnTopHint)
        style.dwExStyle |= WS_EX_TOPMOST;
    if (flags & Qt::WindowDoesNotAcceptFocus)
        style.dwExStyle |= WS_EX_NOACTIVATE;
    style.bShowWithoutActivating = type == Qt::Tool || bPopupType || (flags & Qt::WindowDoesNotAcceptFocus);
    return style;
}

void registerWin32SimWindowClass(const wchar_t *pszClassName, WNDPROC pfnWndProc)
{
    // Registering an existing class fails harmlessly; the desktop may have been reset.
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;   // the desktop then reports double clicks, as to Qt's windows on Windows
    wc.lpfnWndProc = pfnWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = pszClassName;
    RegisterClassExW(&wc);
}
