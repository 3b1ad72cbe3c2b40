// The helper process that holds the other applications' windows (apps/), started by the
// face on first use and commanded request by request. While a request is out, the
// calling thread still serves the messages other threads send to its windows (the
// helper's windows send to Qt's: activation, parent notifications), and nothing else:
// what was posted to it stays queued, as during any synchronous call.
#pragma once

#include "Wire.h"

#include <QVector>

namespace win32real {

class AppsProcess
{
public:
    static AppsProcess &instance();

    // The answer's fields after "ok"; empty with *pOk false when the helper failed.
    Message request(const Message &request, bool *pOk = nullptr);

    DWORD processId();
    bool owns(HWND hwnd);                    // a window of the helper
    HWND trayWnd() const { return m_hTray; }
    HWND startButton() const { return m_hStart; }
    QVector<HWND> secondaryTrays() const { return m_secondaryTrays; }
    void takeTaskbars(const Message &fields);   // from a Taskbars or Reset answer

    // Serves the messages other threads sent to this one, if any.
    static void serveSentMessages();

private:
    AppsProcess() = default;
    bool start();
    void stop();
    bool exchange(const Message &request, Message &answer);
    bool waitFor(HANDLE event);

    HANDLE m_hProcess = nullptr;
    HANDLE m_hRequests = INVALID_HANDLE_VALUE;
    HANDLE m_hReplies = INVALID_HANDLE_VALUE;
    HANDLE m_hEvent = nullptr;
    DWORD m_dwProcessId = 0;
    HWND m_hTray = nullptr;
    HWND m_hStart = nullptr;
    QVector<HWND> m_secondaryTrays;
};

} // namespace win32real
