#pragma once

#include <node_api.h>

// The shell's script controls, each an object of functions on the module's exports.
#ifdef SHELL_DESKTOP
napi_value makeDesktopBinding(napi_env env);
#endif
#ifdef SHELL_COMPONENT
napi_value makeComponentBinding(napi_env env);
#endif
