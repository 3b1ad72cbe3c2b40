// Observation helpers of the Qt scenario program. Same transcript format as the plain
// Win32 program ("<scenario> <key>: <value>" a line, "end: ..." last), so that both are
// compared by the same script. Windows are named by role: Qt windows by their widget's
// object name, the other process's windows when the scenario names them.
#pragma once

#include <windows.h>

#include <QRect>
#include <QString>
#include <QWidget>

#include <string>

namespace qconf {

// Starts a scenario: deletes the widgets and closes the browsers of the previous one.
void scenario(const char *name);
void finish();
int observationCount();
int scenarioCount();

void note(const char *key, const char *fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// Lets Qt and the other process handle what is pending (posted events, window system
// events, sent and posted messages).
void flush();

// A widget with a native window named `role` (its object name), kept until the scenario ends
// (top-level ones; children go with their parent).
QWidget *widget(const char *role, Qt::WindowFlags flags, const QRect &geometry, QWidget *parent = nullptr);
HWND hwndOf(const QWidget *w);
void nameWindow(HWND h, const char *role);
const char *name(HWND h);   // role, "null", "desktop", or "other" for windows of no role

// Stacking of the named top-level windows (EnumWindows order, top first): "*" topmost, "-" hidden.
std::string stack();
std::string styles(HWND h);          // "style=XXXXXXXX ex=XXXXXXXX"
std::string className(HWND h);
std::string title(HWND h);
std::string rectText(const QRect &r);
// Rectangles and points relative to the client corner of `ref` (the screen when null).
QPoint clientCorner(HWND ref);
std::string windowRect(HWND h, HWND ref = nullptr);
std::string clientRect(HWND h, HWND ref = nullptr);   // client area, where it lies
std::string qtGeometry(const QWidget *w, HWND ref = nullptr);
std::string point(const QPoint &p, HWND ref = nullptr);

// Activation as the system and as Qt see it; the log of Qt's activation events since the last call.
std::string activation();
std::string events();

const char *yes(bool b);

} // namespace qconf
