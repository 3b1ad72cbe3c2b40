#pragma once

#include <node_api.h>

#include <QString>

namespace WindowControlNode {

// A script value's string form (the engine's conversion: the number 42 gives "42"), as
// its UTF-8 would give it (orphan surrogates replaced by U+FFFD), cut at the first NUL.
// A value without a string form (a Symbol, an object whose toString throws) gives the
// empty text, which every request reads as a parse failure: requests never throw.
QString argumentText(napi_env env, napi_value value);

// A script string from a text as its UTF-8 gives it (orphan surrogates as '?'), cut at
// the first NUL; null when the engine could not make one.
napi_value scriptString(napi_env env, const QString &text);

} // namespace WindowControlNode
