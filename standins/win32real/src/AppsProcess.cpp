#include "AppsProcess.h"

#include <QDebug>

#include <cstdint>

namespace win32real {

namespace {

constexpr DWORD kAnswerTimeoutMs = 30000;

// The helper sits next to this library.
std::wstring helperPath()
{
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&helperPath), &self);
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
    std::wstring dir(path, n);
    const size_t slash = dir.find_last_of(L"\\/");
    dir = slash == std::wstring::npos ? std::wstring() : dir.substr(0, slash + 1);
    return dir + L"win32real_apps.exe";
}

} // namespace

AppsProcess &AppsProcess::instance()
{
    static AppsProcess s_process;
    return s_process;
}

void AppsProcess::serveSentMessages()
{
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

DWORD AppsProcess::processId()
{
    if (!m_hProcess)
        start();
    return m_dwProcessId;
}

bool AppsProcess::owns(HWND hwnd)
{
    DWORD pid = 0;
    return hwnd && GetWindowThreadProcessId(hwnd, &pid) && pid == processId();
}

void AppsProcess::takeTaskbars(const Message &fields)
{
    m_hTray = fields.size() > 0 ? toHwnd(fields[0]) : nullptr;
    m_hStart = fields.size() > 1 ? toHwnd(fields[1]) : nullptr;
    m_secondaryTrays.clear();
    for (size_t i = 2; i < fields.size(); ++i)
        m_secondaryTrays.append(toHwnd(fields[i]));
}

bool AppsProcess::start()
{
    static unsigned s_serial = 0;
    const std::wstring base = L"win32real-" + number(GetCurrentProcessId()) + L"-" + number(++s_serial);
    m_hRequests = CreateNamedPipeW(requestPipeName(base).c_str(), PIPE_ACCESS_OUTBOUND | FILE_FLAG_OVERLAPPED,
                                   PIPE_TYPE_BYTE | PIPE_WAIT, 1, 1 << 16, 1 << 16, 0, nullptr);
    m_hReplies = CreateNamedPipeW(replyPipeName(base).c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED,
                                  PIPE_TYPE_BYTE | PIPE_WAIT, 1, 1 << 16, 1 << 16, 0, nullptr);
    m_hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (m_hRequests == INVALID_HANDLE_VALUE || m_hReplies == INVALID_HANDLE_VALUE || !m_hEvent) {
        qWarning("win32real: cannot make the helper's pipes (%lu)", GetLastError());
        stop();
        return false;
    }
    std::wstring command = L"\"" + helperPath() + L"\" " + base;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        qWarning("win32real: cannot start %ls (%lu)", helperPath().c_str(), GetLastError());
        stop();
        return false;
    }
    CloseHandle(pi.hThread);
    m_hProcess = pi.hProcess;
    m_dwProcessId = pi.dwProcessId;
    for (HANDLE pipe : {m_hRequests, m_hReplies}) {
        OVERLAPPED ov = {};
        ov.hEvent = m_hEvent;
        ResetEvent(m_hEvent);
        if (!ConnectNamedPipe(pipe, &ov)) {
            const DWORD err = GetLastError();
            if (err == ERROR_IO_PENDING) {
                DWORD unused = 0;
                if (!waitFor(m_hEvent) || !GetOverlappedResult(pipe, &ov, &unused, FALSE)) {
                    qWarning("win32real: the helper did not connect");
                    stop();
                    return false;
                }
            } else if (err != ERROR_PIPE_CONNECTED) {
                qWarning("win32real: the helper did not connect (%lu)", err);
                stop();
                return false;
            }
        }
    }
    // The helper greets with its taskbars.
    Message hello;
    if (!exchange({}, hello) || hello.empty() || hello[0] != L"ok") {
        qWarning("win32real: no greeting from the helper");
        stop();
        return false;
    }
    hello.erase(hello.begin());
    hello.pop_back();   // its process id, known already
    takeTaskbars(hello);
    return true;
}

void AppsProcess::stop()
{
    for (HANDLE *h : {&m_hRequests, &m_hReplies}) {
        if (*h != INVALID_HANDLE_VALUE)
            CloseHandle(*h);
        *h = INVALID_HANDLE_VALUE;
    }
    if (m_hProcess) {
        TerminateProcess(m_hProcess, 1);
        CloseHandle(m_hProcess);
    }
    if (m_hEvent)
        CloseHandle(m_hEvent);
    m_hProcess = m_hEvent = nullptr;
    m_dwProcessId = 0;
    m_hTray = m_hStart = nullptr;
    m_secondaryTrays.clear();
}

bool AppsProcess::waitFor(HANDLE event)
{
    const HANDLE handles[2] = {event, m_hProcess};
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= kAnswerTimeoutMs)
            return false;
        const DWORD r = MsgWaitForMultipleObjectsEx(2, handles, kAnswerTimeoutMs - elapsed, QS_SENDMESSAGE, 0);
        if (r == WAIT_OBJECT_0)
            return true;
        if (r == WAIT_OBJECT_0 + 2) {
            serveSentMessages();
            continue;
        }
        return false;   // the helper ended, or no answer in time
    }
}

bool AppsProcess::exchange(const Message &request, Message &answer)
{
    auto transfer = [this](HANDLE pipe, bool write, char *data, DWORD size) {
        while (size > 0) {
            OVERLAPPED ov = {};
            ov.hEvent = m_hEvent;
            ResetEvent(m_hEvent);
            DWORD done = 0;
            const BOOL ok = write ? WriteFile(pipe, data, size, &done, &ov) : ReadFile(pipe, data, size, &done, &ov);
            if (!ok) {
                if (GetLastError() != ERROR_IO_PENDING)
                    return false;
                if (!waitFor(m_hEvent)) {
                    CancelIo(pipe);
                    return false;
                }
                if (!GetOverlappedResult(pipe, &ov, &done, FALSE))
                    return false;
            } else if (!GetOverlappedResult(pipe, &ov, &done, FALSE)) {
                return false;
            }
            if (done == 0)
                return false;
            data += done;
            size -= done;
        }
        return true;
    };
    if (!request.empty()) {
        std::string data = encode(request);
        if (!transfer(m_hRequests, true, &data[0], DWORD(data.size())))
            return false;
    }
    char head[4];
    if (!transfer(m_hReplies, false, head, 4))
        return false;
    const auto *p = reinterpret_cast<unsigned char *>(head);
    const uint32_t size = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    std::string body(size, '\0');
    if (size > 0 && !transfer(m_hReplies, false, &body[0], size))
        return false;
    // What the helper's work sent to this thread's windows just before it answered.
    serveSentMessages();
    return decode(body, answer);
}

Message AppsProcess::request(const Message &request, bool *pOk)
{
    Message answer;
    bool ok = (m_hProcess || start()) && exchange(request, answer);
    if (!ok) {
        // A helper that failed once is started again on the next request.
        qWarning("win32real: the helper did not answer %ls", request.empty() ? L"" : request[0].c_str());
        stop();
    } else if (answer.empty() || answer[0] != L"ok") {
        qWarning("win32real: the helper refused %ls: %ls", request[0].c_str(),
                 answer.size() > 1 ? answer[1].c_str() : L"");
        ok = false;
    }
    if (pOk)
        *pOk = ok;
    if (!ok)
        return {};
    answer.erase(answer.begin());
    return answer;
}

} // namespace win32real
