// What the files of the real desktop's control face share.
#pragma once

#include "AppsProcess.h"

#include <win32sim/Desktop.h>

#include <QRect>
#include <QString>

namespace win32real {

inline AppsProcess &apps()
{
    return AppsProcess::instance();
}

inline std::wstring wide(const QString &text)
{
    return text.toStdWString();
}

inline QRect toQRect(const RECT &r)
{
    return QRect(QPoint(r.left, r.top), QSize(r.right - r.left, r.bottom - r.top));
}

// The client area's corner of a window's parent, in screen coordinates: (0, 0) for a
// top-level window.
QPoint parentClientOrigin(HWND hwnd);

// Says once per process that this desktop cannot do what was asked.
void cannot(const char *what);

} // namespace win32real
