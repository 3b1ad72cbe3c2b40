#pragma once

// Small conversions between V8 values and Qt types for the shell's script bindings.
// Readers return false on a value of the wrong kind; callers throw with their own name.

#include <QRect>
#include <QString>
#include <QVariant>

#include <node.h>

namespace js {

using Args = v8::FunctionCallbackInfo<v8::Value>;

v8::Local<v8::String> str(v8::Isolate *pIsolate, const QString &text);
v8::Local<v8::String> str(v8::Isolate *pIsolate, const char *pszText);
QString toQString(v8::Isolate *pIsolate, v8::Local<v8::Value> value);

void throwError(v8::Isolate *pIsolate, const QString &message);
void throwTypeError(v8::Isolate *pIsolate, const QString &message);

void setMethod(v8::Isolate *pIsolate, v8::Local<v8::Object> object, const char *pszName,
               v8::FunctionCallback callback);
void set(v8::Isolate *pIsolate, v8::Local<v8::Object> object, const char *pszKey,
         v8::Local<v8::Value> value);
// Undefined when absent or when reading throws.
v8::Local<v8::Value> get(v8::Isolate *pIsolate, v8::Local<v8::Object> object, const char *pszKey);

bool toInt(v8::Local<v8::Value> value, int *piOut);          // a finite integral number in int range
bool toString(v8::Isolate *pIsolate, v8::Local<v8::Value> value, QString *pOut);

// {x, y, width, height} or [x, y, width, height].
v8::Local<v8::Object> rect(v8::Isolate *pIsolate, const QRect &rc);
bool toRect(v8::Isolate *pIsolate, v8::Local<v8::Value> value, QRect *pOut);

// Argument checks of the bindings: each throws "<name>: argument <n> must be <what>"
// when the argument is not of its kind, and says whether it was.
bool checkArg(const Args &info, int iIndex, bool bOk, const char *pszName, const char *pszWhat);
bool argInt(const Args &info, int iIndex, int *piValue, const char *pszName);
bool argString(const Args &info, int iIndex, QString *pText, const char *pszName,
               const char *pszWhat = "a string");

v8::Local<v8::Value> fromVariant(v8::Isolate *pIsolate, const QVariant &value);
// Strings, booleans, numbers (integral ones as int when they fit), arrays; else false.
bool toVariant(v8::Isolate *pIsolate, v8::Local<v8::Value> value, QVariant *pOut);

} // namespace js
