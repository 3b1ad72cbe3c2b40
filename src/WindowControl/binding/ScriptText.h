#pragma once

#include <v8.h>

#include <QString>

namespace WindowControlNode {

// The call's first argument (undefined when there is none) in the engine's string form,
// as its UTF-8 gives it (orphan surrogates replaced by U+FFFD), cut at the first NUL. A value without a string form (a Symbol, an object
// whose toString throws) gives the empty text, which every request reads as a parse
// failure: requests never throw. False only when the engine is terminating.
bool argumentText(const v8::FunctionCallbackInfo<v8::Value> &info, QString &text);

// A script string from the UTF-8 of a text, cut at the first NUL.
v8::MaybeLocal<v8::String> scriptString(v8::Isolate *isolate, const QString &text);

} // namespace WindowControlNode
