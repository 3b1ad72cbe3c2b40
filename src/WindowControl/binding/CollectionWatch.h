#pragma once

#include <node_api.h>

namespace WindowControlNode {

// Which script objects the engine has collected, seen as soon as a collection happened.
// Node-API runs finalizers on a later turn of the loop, after Qt may have delivered
// notifications queued meanwhile; a weak reference reads empty right after the
// collection. Each collected object is told once: by a sweep or, when none saw it, by
// its finalizer.
void watchCollection(napi_ref object);            // a weak reference to a new object
bool forgetCollection(napi_ref object);           // at its finalizer: true when no sweep told it
bool sweepCollected(napi_env env);                // true when a watched object went since the last sweep
void releaseCollectionWatch(napi_env env);        // at the module's cleanup

} // namespace WindowControlNode
