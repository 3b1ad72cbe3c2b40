#pragma once

#include <node.h>

#include <functional>

// The probes' script controls, each an object of functions on the module's exports.
v8::Local<v8::Object> makeMeasureBinding(v8::Isolate *pIsolate);
v8::Local<v8::Object> makeQtObjectsBinding(v8::Isolate *pIsolate);

// A Qt application runs on this thread and has not begun to quit.
bool applicationRunning();
// Runs fn as the application is about to quit: the probes are Qt objects of an add-on
// like any other, and go before whoever owns the application deletes it.
void releaseAtQuit(std::function<void()> fn);
