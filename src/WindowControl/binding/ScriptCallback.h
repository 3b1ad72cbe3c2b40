#pragma once

#include <node_api.h>

namespace WindowControlNode {

// One call of the notification callback, by where the notification was raised. Both
// take the callback and its one argument; the global object is `this`.

// Raised by one of the class's methods: the callback runs inside that call, and an
// exception it throws is left pending, so that it reaches the method's caller. True when
// it threw: Node-API then runs no script until the method has returned.
bool callFromMethod(napi_env env, napi_value callback, napi_value argument);

// Raised by a Qt event, a timer, a queued message or a control of the shell: run as
// Node runs a callback of its own loop (process.nextTick and promise jobs after it), and
// an exception goes where one from any of Node's event callbacks goes, to the process's
// uncaught-exception handling ('uncaughtException', else Node's report and exit). The
// C++ frames of the event are not unwound: its handling goes on as usual afterwards.
void callFromEvent(napi_env env, napi_value callback, napi_value argument);

} // namespace WindowControlNode
