#pragma once

#include "DispatchGuard.h"

#include <node.h>

// The scope Node gives its own callbacks from the loop (handles, context, async hooks,
// then process.nextTick and microtasks when the callback is done), opened around every
// entry from the loop into Qt, so script callbacks reached from a Qt timer or event
// behave as in a Node timer.
namespace ScriptScope {

void install(v8::Isolate *pIsolate, v8::Local<v8::Context> context);
DispatchGuard guard();
// A handle scope and the context only (no script runs then, e.g. at the environment's
// cleanup), for Qt work whose handlers may still create script values.
void withContext(const std::function<void()> &work);
v8::Local<v8::Object> resource(v8::Isolate *pIsolate);   // receiver for node::MakeCallback

} // namespace ScriptScope
