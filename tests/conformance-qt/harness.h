// What the Qt scenarios share: Qt windows named by role (their widget's object name), Qt's
// geometry printed as the plain Win32 program prints rectangles, and activation as Windows
// and as Qt see it. The other process's windows are named when a scenario names them.
#pragma once

#include "transcript.h"

#include <QRect>
#include <QWidget>

namespace conf {

const Qt::WindowFlags kFrameless = Qt::Tool | Qt::FramelessWindowHint;

// Starts a scenario: deletes the widgets and closes the browsers of the previous one.
void scenario(const char *name);
void finish();

// Lets Qt and the other process handle what is pending (posted events, window system
// events, sent and posted messages).
void flush();
// A table of steps, each followed by a flush before `look`.
void steps(std::initializer_list<Step> rows, const std::function<std::string()> &look);

// A widget with a native window named `role` (its object name), kept until the scenario ends
// (top-level ones; children go with their parent).
QWidget *widget(const char *role, Qt::WindowFlags flags, const QRect &geometry, QWidget *parent = nullptr);
HWND hwndOf(const QWidget *w);

std::string className(HWND h);
std::string title(HWND h);
std::string owner(HWND h);  // the role of GW_OWNER
std::string rectText(const QRect &r, POINT o = {0, 0});
std::string point(const QPoint &p, HWND ref = nullptr);
// "visible=yes exposed=yes": as Windows and as Qt see it.
std::string shown(const QWidget *w);
// Where the window is, as Win32 and as Qt see it, counted from `ref`'s client corner.
std::string where(const QWidget *w, HWND ref);

// Activation as the system and as Qt see it; the log of Qt's activation events since the last call.
std::string activation();
std::string events();
std::string activationEvents();  // "<activation> events: <events>"

}  // namespace conf
