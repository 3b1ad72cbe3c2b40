#pragma once

#include <node.h>

// The shell's script controls, each an object of functions on the module's exports.
#ifdef SHELL_DESKTOP
v8::Local<v8::Object> makeDesktopBinding(v8::Isolate *pIsolate);
#endif
#ifdef SHELL_COMPONENT
v8::Local<v8::Object> makeComponentBinding(v8::Isolate *pIsolate);
#endif
