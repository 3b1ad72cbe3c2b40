#pragma once

#include "DispatchGuard.h"

#include <node_api.h>

// The scope Node gives its own callbacks from the loop (a handle scope, a callback scope
// with its async context, then process.nextTick and microtasks when the callback is
// done), opened around every entry from the loop into Qt, so script callbacks reached
// from a Qt timer or event behave as in a Node timer.
namespace ScriptScope {

void install(napi_env env);
DispatchGuard guard();
// A handle scope only (no script runs then, e.g. at the environment's cleanup), for Qt
// work whose handlers may still create script values.
void withHandleScope(const std::function<void()> &work);

} // namespace ScriptScope
