#include "JsValues.h"

#include <QVariantList>
#include <QVariantMap>

#include <climits>
#include <cmath>
#include <limits>

namespace js {

namespace {

napi_value trampoline(napi_env env, napi_callback_info callbackInfo)
{
    Args info;
    info.env = env;
    info.argc = Args::kMaxArgs;
    void *pData = nullptr;
    if (napi_get_cb_info(env, callbackInfo, &info.argc, info.argv, nullptr, &pData) != napi_ok)
        return nullptr;
    reinterpret_cast<Method>(pData)(info);
    return info.result;
}

} // namespace

napi_value str(napi_env env, const QString &text)
{
    napi_value value = nullptr;
    napi_create_string_utf16(env, reinterpret_cast<const char16_t *>(text.utf16()), size_t(text.size()), &value);
    return value;
}

napi_value str(napi_env env, const char *pszText)
{
    napi_value value = nullptr;
    napi_create_string_utf8(env, pszText, NAPI_AUTO_LENGTH, &value);
    return value;
}

napi_value num(napi_env env, double value)
{
    napi_value result = nullptr;
    napi_create_double(env, value, &result);
    return result;
}

napi_value boolean(napi_env env, bool bValue)
{
    napi_value result = nullptr;
    napi_get_boolean(env, bValue, &result);
    return result;
}

napi_value null(napi_env env)
{
    napi_value result = nullptr;
    napi_get_null(env, &result);
    return result;
}

napi_value undefined(napi_env env)
{
    napi_value result = nullptr;
    napi_get_undefined(env, &result);
    return result;
}

napi_value object(napi_env env)
{
    napi_value result = nullptr;
    napi_create_object(env, &result);
    return result;
}

napi_value array(napi_env env, size_t length)
{
    napi_value result = nullptr;
    napi_create_array_with_length(env, length, &result);
    return result;
}

void setIndex(napi_env env, napi_value array, uint32_t index, napi_value value)
{
    napi_set_element(env, array, index, value);
}

QString toQString(napi_env env, napi_value value)
{
    QString text;
    size_t length = 0;
    if (napi_get_value_string_utf16(env, value, nullptr, 0, &length) != napi_ok || length >= size_t(INT_MAX))
        return text;
    text.resize(int(length));
    // QString keeps room for the NUL written after the text.
    if (napi_get_value_string_utf16(env, value, reinterpret_cast<char16_t *>(text.data()), length + 1, &length) != napi_ok)
        text.clear();
    return text;
}

napi_valuetype typeOf(napi_env env, napi_value value)
{
    napi_valuetype type = napi_undefined;
    if (value)
        napi_typeof(env, value, &type);
    return type;
}

bool isUndefined(napi_env env, napi_value value)
{
    return typeOf(env, value) == napi_undefined;
}

bool isNullOrUndefined(napi_env env, napi_value value)
{
    const napi_valuetype type = typeOf(env, value);
    return type == napi_undefined || type == napi_null;
}

bool isString(napi_env env, napi_value value)
{
    return typeOf(env, value) == napi_string;
}

bool isNumber(napi_env env, napi_value value)
{
    return typeOf(env, value) == napi_number;
}

bool isObject(napi_env env, napi_value value)
{
    const napi_valuetype type = typeOf(env, value);
    return type == napi_object || type == napi_function;
}

bool isFunction(napi_env env, napi_value value)
{
    return typeOf(env, value) == napi_function;
}

bool isArray(napi_env env, napi_value value)
{
    bool bArray = false;
    return value && napi_is_array(env, value, &bArray) == napi_ok && bArray;
}

uint32_t arrayLength(napi_env env, napi_value array)
{
    uint32_t uLength = 0;
    napi_get_array_length(env, array, &uLength);
    return uLength;
}

double numberValue(napi_env env, napi_value value)
{
    double d = std::numeric_limits<double>::quiet_NaN();
    napi_get_value_double(env, value, &d);
    return d;
}

bool truthy(napi_env env, napi_value value)
{
    napi_value coerced;
    bool bValue = false;
    if (value && napi_coerce_to_bool(env, value, &coerced) == napi_ok)
        napi_get_value_bool(env, coerced, &bValue);
    return bValue;
}

void throwError(napi_env env, const QString &message)
{
    napi_throw_error(env, nullptr, message.toUtf8().constData());
}

void throwTypeError(napi_env env, const QString &message)
{
    napi_throw_type_error(env, nullptr, message.toUtf8().constData());
}

bool clearException(napi_env env)
{
    bool bPending = false;
    if (napi_is_exception_pending(env, &bPending) != napi_ok || !bPending)
        return false;
    napi_value exception;
    napi_get_and_clear_last_exception(env, &exception);
    return true;
}

bool checkArg(const Args &info, int iIndex, bool bOk, const char *pszName, const char *pszWhat)
{
    if (!bOk)
        throwTypeError(info.env, QStringLiteral("%1: argument %2 must be %3")
                       .arg(QLatin1String(pszName)).arg(iIndex + 1).arg(QLatin1String(pszWhat)));
    return bOk;
}

bool argInt(const Args &info, int iIndex, int *piValue, const char *pszName)
{
    return checkArg(info, iIndex, toInt(info.env, info[iIndex], piValue), pszName, "a whole number");
}

bool argString(const Args &info, int iIndex, QString *pText, const char *pszName, const char *pszWhat)
{
    return checkArg(info, iIndex, toString(info.env, info[iIndex], pText), pszName, pszWhat);
}

void setMethod(napi_env env, napi_value object, const char *pszName, Method method)
{
    napi_value fn;
    if (napi_create_function(env, pszName, NAPI_AUTO_LENGTH, &trampoline, reinterpret_cast<void *>(method), &fn) == napi_ok)
        napi_set_named_property(env, object, pszName, fn);
}

void set(napi_env env, napi_value object, const char *pszKey, napi_value value)
{
    napi_set_named_property(env, object, pszKey, value);
}

napi_value get(napi_env env, napi_value object, const char *pszKey)
{
    napi_value value = nullptr;
    if (napi_get_named_property(env, object, pszKey, &value) != napi_ok) {
        clearException(env); // a throwing getter reads as absent
        return undefined(env);
    }
    return value;
}

napi_value at(napi_env env, napi_value array, uint32_t index)
{
    napi_value value = nullptr;
    if (napi_get_element(env, array, index, &value) != napi_ok) {
        clearException(env);
        return undefined(env);
    }
    return value;
}

bool toInt(napi_env env, napi_value value, int *piOut)
{
    if (!isNumber(env, value))
        return false;
    const double d = numberValue(env, value);
    if (!std::isfinite(d) || std::trunc(d) != d || d < std::numeric_limits<int>::min()
        || d > std::numeric_limits<int>::max())
        return false;
    *piOut = int(d);
    return true;
}

bool toString(napi_env env, napi_value value, QString *pOut)
{
    if (!isString(env, value))
        return false;
    *pOut = toQString(env, value);
    return true;
}

napi_value rect(napi_env env, const QRect &rc)
{
    napi_value result = object(env);
    set(env, result, "x", num(env, rc.x()));
    set(env, result, "y", num(env, rc.y()));
    set(env, result, "width", num(env, rc.width()));
    set(env, result, "height", num(env, rc.height()));
    return result;
}

bool toRect(napi_env env, napi_value value, QRect *pOut)
{
    int a[4];
    if (isArray(env, value)) {
        if (arrayLength(env, value) != 4)
            return false;
        for (uint32_t i = 0; i < 4; ++i)
            if (!toInt(env, at(env, value, i), &a[i]))
                return false;
    } else if (isObject(env, value)) {
        const char *apszKeys[4] = {"x", "y", "width", "height"};
        for (int i = 0; i < 4; ++i)
            if (!toInt(env, get(env, value, apszKeys[i]), &a[i]))
                return false;
    } else {
        return false;
    }
    if (a[2] < 0 || a[3] < 0)
        return false;
    *pOut = QRect(a[0], a[1], a[2], a[3]);
    return true;
}

napi_value fromVariant(napi_env env, const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::UnknownType:
        return null(env);
    case QMetaType::Bool:
        return boolean(env, value.toBool());
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Char: case QMetaType::UChar:
        return num(env, value.toDouble());
    case QMetaType::QVariantList: {
        const QVariantList list = value.toList();
        napi_value result = array(env, size_t(list.size()));
        for (int i = 0; i < list.size(); ++i)
            setIndex(env, result, uint32_t(i), fromVariant(env, list.at(i)));
        return result;
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = value.toMap();
        napi_value result = object(env);
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            napi_set_property(env, result, str(env, it.key()), fromVariant(env, it.value()));
        return result;
    }
    default:
        return str(env, value.toString());
    }
}

namespace {

bool toVariantAt(napi_env env, napi_value value, QVariant *pOut, int iDepth)
{
    switch (typeOf(env, value)) {
    case napi_string:
        *pOut = toQString(env, value);
        return true;
    case napi_boolean:
        *pOut = truthy(env, value);
        return true;
    case napi_number: {
        int i = 0;
        if (toInt(env, value, &i))
            *pOut = i;
        else
            *pOut = numberValue(env, value);
        return true;
    }
    default:
        break;
    }
    // bounded: arrays may contain themselves
    if (!isArray(env, value) || iDepth >= 8 || arrayLength(env, value) > 4096)
        return false;
    QVariantList list;
    for (uint32_t i = 0; i < arrayLength(env, value); ++i) {
        napi_value item = nullptr;
        QVariant converted;
        if (napi_get_element(env, value, i, &item) != napi_ok) {
            clearException(env);
            return false;
        }
        if (!toVariantAt(env, item, &converted, iDepth + 1))
            return false;
        list.append(converted);
    }
    *pOut = list;
    return true;
}

} // namespace

bool toVariant(napi_env env, napi_value value, QVariant *pOut)
{
    return toVariantAt(env, value, pOut, 0);
}

} // namespace js
