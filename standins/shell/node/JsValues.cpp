#include "JsValues.h"

#include <QVariantList>
#include <QVariantMap>

#include <cmath>
#include <limits>

namespace js {

v8::Local<v8::String> str(v8::Isolate *pIsolate, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return v8::String::NewFromUtf8(pIsolate, utf8.constData(), v8::NewStringType::kNormal,
                                   utf8.size()).ToLocalChecked();
}

v8::Local<v8::String> str(v8::Isolate *pIsolate, const char *pszText)
{
    return v8::String::NewFromUtf8(pIsolate, pszText).ToLocalChecked();
}

QString toQString(v8::Isolate *pIsolate, v8::Local<v8::Value> value)
{
    v8::String::Utf8Value utf8(pIsolate, value);
    return *utf8 ? QString::fromUtf8(*utf8, utf8.length()) : QString();
}

void throwError(v8::Isolate *pIsolate, const QString &message)
{
    pIsolate->ThrowException(v8::Exception::Error(str(pIsolate, message)));
}

void throwTypeError(v8::Isolate *pIsolate, const QString &message)
{
    pIsolate->ThrowException(v8::Exception::TypeError(str(pIsolate, message)));
}

bool checkArg(const Args &info, int iIndex, bool bOk, const char *pszName, const char *pszWhat)
{
    if (!bOk)
        throwTypeError(info.GetIsolate(), QStringLiteral("%1: argument %2 must be %3")
                       .arg(QLatin1String(pszName)).arg(iIndex + 1).arg(QLatin1String(pszWhat)));
    return bOk;
}

bool argInt(const Args &info, int iIndex, int *piValue, const char *pszName)
{
    return checkArg(info, iIndex, toInt(info[iIndex], piValue), pszName, "a whole number");
}

bool argString(const Args &info, int iIndex, QString *pText, const char *pszName, const char *pszWhat)
{
    return checkArg(info, iIndex, toString(info.GetIsolate(), info[iIndex], pText), pszName, pszWhat);
}

void setMethod(v8::Isolate *pIsolate, v8::Local<v8::Object> object, const char *pszName,
               v8::FunctionCallback callback)
{
    v8::Local<v8::Context> context = pIsolate->GetCurrentContext();
    v8::Local<v8::Function> fn = v8::FunctionTemplate::New(pIsolate, callback)
                                     ->GetFunction(context).ToLocalChecked();
    fn->SetName(str(pIsolate, pszName));
    object->Set(context, str(pIsolate, pszName), fn).Check();
}

void set(v8::Isolate *pIsolate, v8::Local<v8::Object> object, const char *pszKey,
         v8::Local<v8::Value> value)
{
    object->Set(pIsolate->GetCurrentContext(), str(pIsolate, pszKey), value).Check();
}

v8::Local<v8::Value> get(v8::Isolate *pIsolate, v8::Local<v8::Object> object, const char *pszKey)
{
    v8::TryCatch tryCatch(pIsolate); // a throwing getter reads as absent
    v8::Local<v8::Value> value;
    if (!object->Get(pIsolate->GetCurrentContext(), str(pIsolate, pszKey)).ToLocal(&value))
        return v8::Undefined(pIsolate);
    return value;
}

bool toInt(v8::Local<v8::Value> value, int *piOut)
{
    if (!value->IsNumber())
        return false;
    const double d = value.As<v8::Number>()->Value();
    if (!std::isfinite(d) || std::trunc(d) != d || d < std::numeric_limits<int>::min()
        || d > std::numeric_limits<int>::max())
        return false;
    *piOut = int(d);
    return true;
}

bool toString(v8::Isolate *pIsolate, v8::Local<v8::Value> value, QString *pOut)
{
    if (!value->IsString())
        return false;
    *pOut = toQString(pIsolate, value);
    return true;
}

v8::Local<v8::Object> rect(v8::Isolate *pIsolate, const QRect &rc)
{
    v8::Local<v8::Object> object = v8::Object::New(pIsolate);
    set(pIsolate, object, "x", v8::Integer::New(pIsolate, rc.x()));
    set(pIsolate, object, "y", v8::Integer::New(pIsolate, rc.y()));
    set(pIsolate, object, "width", v8::Integer::New(pIsolate, rc.width()));
    set(pIsolate, object, "height", v8::Integer::New(pIsolate, rc.height()));
    return object;
}

bool toRect(v8::Isolate *pIsolate, v8::Local<v8::Value> value, QRect *pOut)
{
    int a[4];
    if (value->IsArray()) {
        v8::Local<v8::Array> array = value.As<v8::Array>();
        if (array->Length() != 4)
            return false;
        v8::Local<v8::Context> context = pIsolate->GetCurrentContext();
        for (uint32_t i = 0; i < 4; ++i) {
            v8::Local<v8::Value> item;
            if (!array->Get(context, i).ToLocal(&item) || !toInt(item, &a[i]))
                return false;
        }
    } else if (value->IsObject()) {
        v8::Local<v8::Object> object = value.As<v8::Object>();
        const char *apszKeys[4] = {"x", "y", "width", "height"};
        for (int i = 0; i < 4; ++i)
            if (!toInt(get(pIsolate, object, apszKeys[i]), &a[i]))
                return false;
    } else {
        return false;
    }
    if (a[2] < 0 || a[3] < 0)
        return false;
    *pOut = QRect(a[0], a[1], a[2], a[3]);
    return true;
}

v8::Local<v8::Value> fromVariant(v8::Isolate *pIsolate, const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::UnknownType:
        return v8::Null(pIsolate);
    case QMetaType::Bool:
        return v8::Boolean::New(pIsolate, value.toBool());
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Char: case QMetaType::UChar:
        return v8::Number::New(pIsolate, value.toDouble());
    case QMetaType::QVariantList: {
        const QVariantList list = value.toList();
        v8::Local<v8::Array> array = v8::Array::New(pIsolate, list.size());
        v8::Local<v8::Context> context = pIsolate->GetCurrentContext();
        for (int i = 0; i < list.size(); ++i)
            array->Set(context, uint32_t(i), fromVariant(pIsolate, list.at(i))).Check();
        return array;
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = value.toMap();
        v8::Local<v8::Object> object = v8::Object::New(pIsolate);
        v8::Local<v8::Context> context = pIsolate->GetCurrentContext();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            object->Set(context, str(pIsolate, it.key()), fromVariant(pIsolate, it.value())).Check();
        return object;
    }
    default:
        return str(pIsolate, value.toString());
    }
}

namespace {
bool toVariantAt(v8::Isolate *pIsolate, v8::Local<v8::Value> value, QVariant *pOut, int iDepth);
}

bool toVariant(v8::Isolate *pIsolate, v8::Local<v8::Value> value, QVariant *pOut)
{
    return toVariantAt(pIsolate, value, pOut, 0);
}

namespace {
bool toVariantAt(v8::Isolate *pIsolate, v8::Local<v8::Value> value, QVariant *pOut, int iDepth)
{
    if (value->IsString()) {
        *pOut = toQString(pIsolate, value);
    } else if (value->IsBoolean()) {
        *pOut = value->BooleanValue(pIsolate);
    } else if (value->IsNumber()) {
        int i = 0;
        if (toInt(value, &i))
            *pOut = i;
        else
            *pOut = value.As<v8::Number>()->Value();
    } else if (value->IsArray() && iDepth < 8 // bounded: arrays may contain themselves
               && value.As<v8::Array>()->Length() <= 4096) {
        v8::Local<v8::Array> array = value.As<v8::Array>();
        v8::Local<v8::Context> context = pIsolate->GetCurrentContext();
        QVariantList list;
        for (uint32_t i = 0; i < array->Length(); ++i) {
            v8::Local<v8::Value> item;
            QVariant converted;
            if (!array->Get(context, i).ToLocal(&item) || !toVariantAt(pIsolate, item, &converted, iDepth + 1))
                return false;
            list.append(converted);
        }
        *pOut = list;
    } else {
        return false;
    }
    return true;
}

} // namespace

} // namespace js
