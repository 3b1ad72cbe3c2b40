#include "ScriptText.h"

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
    // The engine's UTF-16 straight into the text, with what a round trip through its
    // UTF-8 (orphan surrogates replaced) and QString::fromUtf8 (cut at the first NUL)
    // would change done in place: the same text, one copy instead of three.
    const int length = string->Length();
    text.resize(length);
    ushort *const begin = reinterpret_cast<ushort *>(text.data());
    string->Write(isolate, begin, 0, length, v8::String::NO_NULL_TERMINATION);
    ushort *const end = begin + length;
    for (ushort *p = begin; p != end; ++p) {
        const ushort u = *p;
        if (u == 0) {
            text.truncate(int(p - begin));
            break;
        }
        if (!QChar::isSurrogate(u))
            continue;
        if (QChar::isHighSurrogate(u) && p + 1 != end && QChar::isLowSurrogate(p[1]))
            ++p;
        else
            *p = QChar::ReplacementCharacter;
    }
    return true;
}

v8::MaybeLocal<v8::String> scriptString(v8::Isolate *isolate, const QString &text)
{
    // Replies and notifications are whole UTF-16 (written from UTF-8, or JSON that
    // escapes orphan surrogates): the engine takes them as they are, up to a NUL. Only
    // a text with an orphan surrogate goes the long way, for its UTF-8 replacement.
    const ushort *const begin = text.utf16();
    const ushort *const end = begin + text.size();
    const ushort *p = begin;
    for (; p != end && *p; ++p) {
        if (!QChar::isSurrogate(*p))
            continue;
        if (!QChar::isHighSurrogate(*p) || p + 1 == end || !QChar::isLowSurrogate(p[1])) {
            const QByteArray utf8 = text.toUtf8();
            return v8::String::NewFromUtf8(isolate, utf8.constData(), v8::NewStringType::kNormal, -1);
        }
        ++p;
    }
    return v8::String::NewFromTwoByte(isolate, reinterpret_cast<const uint16_t *>(begin),
                                      v8::NewStringType::kNormal, int(p - begin));
}

} // namespace WindowControlNode
