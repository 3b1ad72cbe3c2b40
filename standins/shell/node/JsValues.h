#pragma once

// Small conversions between script values (Node-API) and Qt types for the shell's script
// bindings. Readers return false on a value of the wrong kind; callers throw with their
// own name.

#include <QRect>
#include <QString>
#include <QVariant>

#include <node_api.h>

namespace js {

// One call of a binding's function: its first arguments (undefined past those given),
// and the result it leaves (undefined when none).
struct Args
{
    static constexpr size_t kMaxArgs = 6;
    napi_env env = nullptr;
    size_t argc = 0;
    napi_value argv[kMaxArgs] = {};
    napi_value result = nullptr;
    napi_value operator[](size_t i) const { return argv[i]; }
    size_t length() const { return argc; }
};
using Method = void (*)(Args &info);

napi_value str(napi_env env, const QString &text);
napi_value str(napi_env env, const char *pszText);
napi_value num(napi_env env, double value);
napi_value boolean(napi_env env, bool bValue);
napi_value null(napi_env env);
napi_value undefined(napi_env env);
napi_value object(napi_env env);
napi_value array(napi_env env, size_t length = 0);
void setIndex(napi_env env, napi_value array, uint32_t index, napi_value value);
QString toQString(napi_env env, napi_value value);   // a string's text; empty for anything else

napi_valuetype typeOf(napi_env env, napi_value value);
bool isUndefined(napi_env env, napi_value value);
bool isNullOrUndefined(napi_env env, napi_value value);
bool isString(napi_env env, napi_value value);
bool isNumber(napi_env env, napi_value value);
bool isObject(napi_env env, napi_value value);       // objects, arrays and functions
bool isFunction(napi_env env, napi_value value);
bool isArray(napi_env env, napi_value value);
uint32_t arrayLength(napi_env env, napi_value array);
double numberValue(napi_env env, napi_value value);  // NaN for anything but a number
bool truthy(napi_env env, napi_value value);         // as the script's Boolean(value)

void throwError(napi_env env, const QString &message);
void throwTypeError(napi_env env, const QString &message);
// Takes an exception that a call left pending; false when there is none.
bool clearException(napi_env env);

void setMethod(napi_env env, napi_value object, const char *pszName, Method method);
void set(napi_env env, napi_value object, const char *pszKey, napi_value value);
// Undefined when absent or when reading throws.
napi_value get(napi_env env, napi_value object, const char *pszKey);
napi_value at(napi_env env, napi_value array, uint32_t index);

bool toInt(napi_env env, napi_value value, int *piOut);          // a finite integral number in int range
bool toString(napi_env env, napi_value value, QString *pOut);

// {x, y, width, height} or [x, y, width, height].
napi_value rect(napi_env env, const QRect &rc);
bool toRect(napi_env env, napi_value value, QRect *pOut);

// Argument checks of the bindings: each throws "<name>: argument <n> must be <what>"
// when the argument is not of its kind, and says whether it was.
bool checkArg(const Args &info, int iIndex, bool bOk, const char *pszName, const char *pszWhat);
bool argInt(const Args &info, int iIndex, int *piValue, const char *pszName);
bool argString(const Args &info, int iIndex, QString *pText, const char *pszName,
               const char *pszWhat = "a string");

napi_value fromVariant(napi_env env, const QVariant &value);
// Strings, booleans, numbers (integral ones as int when they fit), arrays; else false.
bool toVariant(napi_env env, napi_value value, QVariant *pOut);

} // namespace js
