#pragma once

#include <QApplication>

// The test program's one QApplication, made before its first test and deleted after its
// last: on the simulated desktop's platform "win32sim" in programs that link
// win32sim_test_app, on Qt's "offscreen" platform in those that link test_app; in the
// Windows build on Qt's "windows" platform in both.
QApplication *testApplication();
