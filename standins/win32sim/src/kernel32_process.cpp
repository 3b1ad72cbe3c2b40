// The process and thread functions the desktop itself needs.
#include "State.h"

#include <chrono>
#include <thread>

#include <sys/syscall.h>
#include <unistd.h>

using namespace win32sim::detail;

namespace {

thread_local DWORD t_lastError = 0;

} // namespace

DWORD WINAPI GetLastError(void)
{
    return t_lastError;
}

void WINAPI SetLastError(DWORD code)
{
    t_lastError = code;
}

HMODULE WINAPI GetModuleHandleW(LPCWSTR name)
{
    // The process image only; other modules are not tracked.
    static int image;
    return name ? nullptr : reinterpret_cast<HMODULE>(&image);
}

DWORD WINAPI GetCurrentThreadId(void)
{
    return DWORD(::syscall(SYS_gettid));
}

DWORD WINAPI GetCurrentProcessId(void)
{
    return kOwnProcess;
}

DWORD WINAPI GetTickCount(void)
{
    using namespace std::chrono;
    return DWORD(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void WINAPI Sleep(DWORD ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
