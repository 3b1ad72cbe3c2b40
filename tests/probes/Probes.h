#pragma once

#include <node_api.h>

class QObject;

// The probes' script controls, each an object of functions on the module's exports.
napi_value makeMeasureBinding(napi_env env);
napi_value makeQtObjectsBinding(napi_env env);

// The script environment the probes were loaded in has not begun its cleanup: their
// script references may still be released.
bool environmentAlive();

// A Qt application runs on this thread and has not begun to quit; else throws
// "<name>: the Qt application is not running".
bool requireRunning(napi_env env, const char *pszName);

// The probes' Qt objects by number, one numbering for all kinds. They go as the
// application is about to quit: they are Qt objects of an add-on like any other, and go
// before whoever owns the application deletes it.
int keep(QObject *pObject);
QObject *kept(napi_env env, napi_value id);   // null when gone or never made
