// Qt scenario program: Qt windows and their native windows, driven through Qt and through
// Win32, one observation per line. The same source runs on Qt's Windows platform (under
// Wine) and on the simulated desktop's "win32sim" platform; the transcripts must match.
#include <QApplication>

#include <cstdio>

#include "browser.h"
#include "harness.h"
#include "scenarios.h"

#ifndef _WIN32
#include <win32sim/Desktop.h>
#include <win32sim/QpaImport.h>
#endif

int main(int argc, char **argv)
{
    int iExitCode = 0;
    if (runAsBrowser(argc, argv, &iExitCode))
        return iExitCode;

    // Qt keeps argc and argv by reference.
#ifdef _WIN32
    static int s_argc = 1;
#else
    static int s_argc = 3;
    // Wine's headless desktop has no taskbar; without one here too, the window that is
    // activated when the active one goes is the same on both.
    win32sim::hide(win32sim::trayWnd());
    win32sim::hide(win32sim::startButton());
#endif
    static char s_arg0[] = "qt_scenarios", s_arg1[] = "-platform", s_arg2[] = "win32sim";
    static char *s_argv[] = {s_arg0, s_arg1, s_arg2, nullptr};
    QApplication app(s_argc, s_argv);
    std::fprintf(stderr, "platform %s\n", qPrintable(QGuiApplication::platformName()));
    windowScenarios();
    activationScenarios();
    reparentScenarios();
    pixelScenarios();
    conf::finish();
    return conf::end();
}
