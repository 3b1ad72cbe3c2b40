#pragma once

#include <v8.h>

namespace WindowControlNode {

// One call of the notification callback, by where the notification was raised. Both
// take the callback and its one argument; the global object of the context is `this`.

// Raised by one of the class's methods: the callback runs inside that call, and an
// exception it throws is left pending, so that it reaches the method's caller. True when
// it threw: the engine then runs no script until the method has returned.
bool callFromMethod(v8::Isolate *isolate, v8::Local<v8::Context> context, v8::Local<v8::Function> callback,
                    v8::Local<v8::Value> argument);

// Raised by a Qt event, a timer, a queued message or a control of the shell: run as
// Node runs a callback of its own loop (process.nextTick and promise jobs after it), and
// an exception goes where one from any of Node's event callbacks goes, to the process's
// uncaught-exception handling ('uncaughtException', else Node's report and exit). The
// C++ frames of the event are not unwound: its handling goes on as usual afterwards.
void callFromEvent(v8::Isolate *isolate, v8::Local<v8::Context> context, v8::Local<v8::Function> callback,
                   v8::Local<v8::Value> argument);

} // namespace WindowControlNode
