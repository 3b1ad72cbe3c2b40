#pragma once

#include <node_api.h>

#include <functional>

// The probes' script controls, each an object of functions on the module's exports.
napi_value makeMeasureBinding(napi_env env);
napi_value makeQtObjectsBinding(napi_env env);

// The script environment the probes were loaded in has not begun its cleanup: their
// script references may still be released.
bool environmentAlive();

// A Qt application runs on this thread and has not begun to quit.
bool applicationRunning();
// Runs fn as the application is about to quit: the probes are Qt objects of an add-on
// like any other, and go before whoever owns the application deletes it.
void releaseAtQuit(std::function<void()> fn);
