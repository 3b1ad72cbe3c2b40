#pragma once

#include <win32sim/Desktop.h>

// The browsers' window trees, made through the control face's createWindow, so that
// both desktops (simulated and real) build the same trees.
namespace win32sim::face {

ChromeWindow buildChrome(const QString &title, const QRect &rect, int stripHeight);
IeWindow buildIe11(const QString &frameTitle, const QRect &rect, const QStringList &tabTitles);

} // namespace win32sim::face
