#include "ScriptCallback.h"

#include <node.h>

#include <QtGlobal>

namespace WindowControlNode {

bool callFromMethod(v8::Isolate *isolate, v8::Local<v8::Context> context, v8::Local<v8::Function> callback,
                    v8::Local<v8::Value> argument)
{
    v8::TryCatch tryCatch(isolate);
    const v8::MaybeLocal<v8::Value> result = callback->Call(context, context->Global(), 1, &argument);
    Q_UNUSED(result)
    if (!tryCatch.HasCaught())
        return false;
    tryCatch.ReThrow();
    return true;
}

void callFromEvent(v8::Isolate *isolate, v8::Local<v8::Context> context, v8::Local<v8::Function> callback,
                   v8::Local<v8::Value> argument)
{
    // A verbose catch reports the exception to the engine's message listeners as if
    // nothing caught it: Node's listener starts its uncaught-exception handling right
    // there, and the exception is cleared for the rest of the event.
    v8::TryCatch tryCatch(isolate);
    tryCatch.SetVerbose(true);
    const v8::MaybeLocal<v8::Value> result =
        node::MakeCallback(isolate, context->Global(), callback, 1, &argument, node::async_context{0, 0});
    Q_UNUSED(result)
    if (tryCatch.HasTerminated())
        tryCatch.ReThrow();
}

} // namespace WindowControlNode
