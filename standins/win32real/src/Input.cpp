// The mouse as a user moves it: the system delivers the input to the window under the
// point (activating its application first when it is inactive), through the queues of the
// threads concerned. Input for the helper's windows has been handled when these return;
// input for this thread's windows waits in its queue for its event loop.
#include "Face.h"

using namespace win32real;

namespace {

INPUT mouseInput(DWORD flags, DWORD data = 0)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    in.mi.mouseData = data;
    in.mi.dwExtraInfo = kInputMark;
    return in;
}

void send(std::initializer_list<INPUT> inputs)
{
    std::vector<INPUT> list(inputs);
    SendInput(UINT(list.size()), list.data(), sizeof(INPUT));
    apps().request({op::Sync});
}

} // namespace

namespace win32sim {

void click(const QPoint &screen, bool doubleClick)
{
    // A click may activate the helper's window.
    AllowSetForegroundWindow(apps().processId());
    SetCursorPos(screen.x(), screen.y());
    send({mouseInput(MOUSEEVENTF_LEFTDOWN), mouseInput(MOUSEEVENTF_LEFTUP)});
    if (doubleClick)
        send({mouseInput(MOUSEEVENTF_LEFTDOWN), mouseInput(MOUSEEVENTF_LEFTUP)});
}

void wheel(const QPoint &screen, int delta)
{
    SetCursorPos(screen.x(), screen.y());
    send({mouseInput(MOUSEEVENTF_WHEEL, DWORD(delta))});
}

} // namespace win32sim
