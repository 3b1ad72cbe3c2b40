#include "ScriptText.h"

#include <QVarLengthArray>

namespace WindowControlNode {

bool argumentText(const v8::FunctionCallbackInfo<v8::Value> &info, QString &text)
{
    v8::Isolate *isolate = info.GetIsolate();
    const v8::Local<v8::Value> value = info.Length() > 0 ? info[0] : v8::Undefined(isolate).As<v8::Value>();
    v8::TryCatch tryCatch(isolate);
    v8::Local<v8::String> string;
    if (!value->ToString(isolate->GetCurrentContext()).ToLocal(&string)) {
        if (tryCatch.HasTerminated()) {
            tryCatch.ReThrow();
            return false;
        }
        text.clear();
        return true;
    }
    // Most requests are short: no heap allocation for the bytes.
    const int length = string->Utf8Length(isolate);
    QVarLengthArray<char, 1024> bytes(length + 1);
    string->WriteUtf8(isolate, bytes.data(), length + 1, nullptr, v8::String::REPLACE_INVALID_UTF8);
    bytes[length] = '\0';
    text = QString::fromUtf8(bytes.constData());
    return true;
}

v8::MaybeLocal<v8::String> scriptString(v8::Isolate *isolate, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return v8::String::NewFromUtf8(isolate, utf8.constData(), v8::NewStringType::kNormal, -1);
}

} // namespace WindowControlNode
