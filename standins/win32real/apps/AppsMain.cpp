// The other applications of a real desktop: a small program that the control face starts
// (win32real_apps <pipe base>) and commands over two pipes. Its one thread makes the
// browser, taskbar and application windows and runs their message loop, so that on
// Windows they belong to another process, as a browser's windows do; a second thread
// only reads the requests and hands them to the loop. It ends when the face goes away.
#include "AppWindows.h"

#include <string>

using namespace win32real;

namespace {

constexpr UINT kRequest = WM_APP + 0x57;

DWORD s_mainThread = 0;
HANDLE s_hRequests = INVALID_HANDLE_VALUE;

DWORD WINAPI readRequests(void *)
{
    for (;;) {
        auto *request = new Message;
        if (!readMessage(s_hRequests, *request)) {
            delete request;
            ExitProcess(0);   // the face is gone: so are its applications
        }
        PostThreadMessageW(s_mainThread, kRequest, 0, reinterpret_cast<LPARAM>(request));
    }
}

HANDLE openPipe(const std::wstring &name, DWORD access)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        HANDLE h = CreateFileW(name.c_str(), access, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            return h;
        WaitNamedPipeW(name.c_str(), 100);
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const std::string base(argv[1]);
    const std::wstring wideBase(base.begin(), base.end());
    s_hRequests = openPipe(requestPipeName(wideBase), GENERIC_READ);
    HANDLE hReplies = openPipe(replyPipeName(wideBase), GENERIC_WRITE);
    if (s_hRequests == INVALID_HANDLE_VALUE || hReplies == INVALID_HANDLE_VALUE)
        return 3;

    // The queue exists before the reader posts to it.
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    s_mainThread = GetCurrentThreadId();

    Message hello = apps::handle({op::Taskbars});
    hello.push_back(number(GetCurrentProcessId()));
    if (!writeMessage(hReplies, hello))
        return 4;
    CloseHandle(CreateThread(nullptr, 0, readRequests, nullptr, 0, nullptr));

    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!msg.hwnd && msg.message == kRequest) {
            auto *request = reinterpret_cast<Message *>(msg.lParam);
            const Message answer = apps::handle(*request);
            delete request;
            if (!writeMessage(hReplies, answer))
                return 0;
            continue;
        }
        apps::recordPosted(msg);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
