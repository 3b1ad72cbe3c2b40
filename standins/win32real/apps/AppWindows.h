// The windows of the other applications: browsers, plain application windows and the
// shell's taskbars, all made on the helper's one thread, which runs their message loop.
#pragma once

#include "Wire.h"

namespace win32real {
namespace apps {

// Carries out one request of the face; the answer to send back.
Message handle(const Message &request);

// The loop saw a message posted to one of these windows: kept until the face clears it.
void recordPosted(const MSG &msg);

// The shell's windows for the monitors the system has now.
void makeTaskbars();

} // namespace apps
} // namespace win32real
