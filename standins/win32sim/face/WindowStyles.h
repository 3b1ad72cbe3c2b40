#pragma once

#include <win32sim/Desktop.h>

#include <QRect>
#include <QStringList>

#include <windows.h>

// How both control faces turn a NewWindow into CreateWindowEx's styles, and describe a
// window in words, so that the two desktops read the same.
namespace win32sim::face {

struct CreateStyles
{
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;   // the parent of a child, else the owner
    QString className;
};

// parentIsWindow: whether window.parent names a live window.
inline CreateStyles createStyles(const NewWindow &window, bool parentIsWindow)
{
    CreateStyles c;
    c.style = window.extraStyle;
    if (window.parent && parentIsWindow) {
        c.style |= WS_CHILD;
        c.parent = window.parent;
    } else {
        c.style |= window.framed ? 0 : WS_POPUP;
        c.parent = window.owner;
    }
    if (window.framed)
        c.style |= WS_OVERLAPPEDWINDOW;
    if (window.visible)
        c.style |= WS_VISIBLE;
    if (window.topmost)
        c.exStyle |= WS_EX_TOPMOST;
    if (window.tool)
        c.exStyle |= WS_EX_TOOLWINDOW;
    c.className = window.className.isEmpty() ? QStringLiteral("SimWindow") : window.className;
    return c;
}

// The words describe() starts a window's flags with.
inline QStringList styleWords(bool bVisible, DWORD style, DWORD exStyle)
{
    QStringList words;
    words << (bVisible ? QStringLiteral("visible")
                       : (style & WS_VISIBLE) ? QStringLiteral("hidden-by-parent") : QStringLiteral("hidden"));
    if (exStyle & WS_EX_TOPMOST)
        words << QStringLiteral("topmost");
    if (exStyle & WS_EX_TOOLWINDOW)
        words << QStringLiteral("tool");
    if (style & WS_CHILD)
        words << QStringLiteral("child");
    else if (style & WS_POPUP)
        words << QStringLiteral("popup");
    return words;
}

inline QString windowLine(const QString &handle, const QString &className, const QString &title, const QRect &r,
                          const QRect &c, const QStringList &flags)
{
    return QStringLiteral("%1 %2 \"%3\" window (%4,%5 %6x%7) client (%8,%9 %10x%11) %12")
        .arg(handle, className, title)
        .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())
        .arg(c.x()).arg(c.y()).arg(c.width()).arg(c.height())
        .arg(flags.join(QLatin1Char(' ')));
}

} // namespace win32sim::face
