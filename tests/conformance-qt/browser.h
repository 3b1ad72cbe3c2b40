// The browser whose window tree the scenarios put Qt windows into. It belongs to another
// process: under Windows a second instance of this program, started in its browser mode
// once for the whole run, makes the windows on request and serves their messages; on the simulated desktop its control face
// makes them as windows of a simulated other application.
#pragma once

#include <windows.h>

#include <QRect>
#include <QString>

// As a Chromium browser lays it out: a framed "Chrome_WidgetWin_1" window, and under an
// 80-pixel tool strip a compositor child ("Intermediate D3D Window") and the page's render
// child ("Chrome_RenderWidgetHostHWND") over the same area. Made visible, so it becomes
// the foreground window as a newly opened application does.
struct Browser
{
    HWND hFrame = nullptr;
    HWND hCompositor = nullptr;
    HWND hRender = nullptr;
};

Browser openBrowser(const QString &title, const QRect &frameRect);
// Closes every browser still open (the scenario's Qt windows are gone by then).
void closeBrowsers();
// Returns once every open browser has handled what was sent or posted to it.
void syncBrowsers();
// At the end of the run: no browser process any more.
void endBrowsers();

// The other process's side: true when this process was started as a browser; the
// exit code is then in *pExitCode.
bool runAsBrowser(int argc, char **argv, int *pExitCode);
