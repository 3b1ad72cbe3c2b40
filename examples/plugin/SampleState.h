#pragma once

// What the library keeps between calls, safe from any thread: the host's callback, its
// windows with their request counters, the answers handed out and not yet given back,
// and the bursts that run.
#include <Integration/IntegrationExports.h>

#include <QByteArray>
#include <QJsonObject>

namespace sample {

class BurstSet;

void setCallBack(IntegrationCallBack pfnCallBack);
// Hands a message to the host, if it gave a callback; on the calling thread.
void push(HWND hWnd, const char *pszJson);

void addWindow(HWND hWnd);
// The window is going: its bursts stop (joined) and its counter is forgotten.
void forgetWindow(HWND hWnd);
// Counts one request for the window: the new count, or 0 for a window not ours.
int countRequest(HWND hWnd);

// An answer as a NUL-terminated copy from the C runtime heap (the host may release it
// with free() when the library has no freeMsgBuffer). With bGivenBack (the library has
// freeMsgBuffer) it is remembered until freeMsgBuffer gives it back.
char *keepAnswer(const QByteArray &answer, bool bGivenBack);
// Releases an answer handed out here; anything else is counted and left alone.
void releaseAnswer(char *pszAnswer);

BurstSet &bursts();

// Bursts stopped, callback dropped: nothing of ours runs after this.
void cleanupAll();

// Counters for the answers: "callbackSets", "cleanups", "windows", "outstanding",
// "foreignFrees", "runningBursts".
QJsonObject stats();

} // namespace sample
