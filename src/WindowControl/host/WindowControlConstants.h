#pragma once

// What several parts of the window host share, and the manager that drives the hosts.

#include <windows.h>

#include <QString>

// Stacking calls never move, size or activate.
const UINT kStackOnly = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;

// Browser window classes the host treats by name.
inline const QString kChromeClass = QStringLiteral("Chrome");     // Chrome and Electron shells
inline const QString kIeFrameClass = QStringLiteral("IEFrame");   // Internet Explorer 11

// The periodic passes, run by the manager's timers: a floating host follows its browser
// every kFollowInterval ms; stacking, activation and browser moves are looked at every
// kZOrderInterval ms, and the pictures of a floating host are paced by that pass.
const int kFollowInterval = 15;
const int kZOrderInterval = 100;
