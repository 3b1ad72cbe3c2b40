#include "ScriptText.h"

#include <climits>

namespace WindowControlNode {

QString argumentText(napi_env env, napi_value value)
{
    // The engine's UTF-16 straight into the text (QString keeps room for the NUL that
    // the engine writes after it), with what a round trip through its UTF-8 (orphan
    // surrogates replaced) and QString::fromUtf8 (cut at the first NUL) would change
    // done in place: the same text, one copy instead of three. Most requests are strings
    // that fit the first guess: one call; a longer one is read again at its length.
    constexpr int kGuess = 1024;
    QString text(kGuess, Qt::Uninitialized);
    size_t length = 0;
    napi_status status =
        napi_get_value_string_utf16(env, value, reinterpret_cast<char16_t *>(text.data()), kGuess + 1, &length);
    napi_value string = value;
    if (status == napi_string_expected) {
        if (napi_coerce_to_string(env, value, &string) != napi_ok) {
            // Its toString threw: the exception is the module's to drop.
            bool bPending = false;
            if (napi_is_exception_pending(env, &bPending) == napi_ok && bPending) {
                napi_value exception;
                napi_get_and_clear_last_exception(env, &exception);
            }
            return QString();
        }
        status = napi_get_value_string_utf16(env, string, reinterpret_cast<char16_t *>(text.data()), kGuess + 1, &length);
    }
    if (status != napi_ok)
        return QString();
    if (length == size_t(kGuess)) {
        if (napi_get_value_string_utf16(env, string, nullptr, 0, &length) != napi_ok || length > size_t(INT_MAX - 1))
            return QString();
        text.resize(int(length));
        napi_get_value_string_utf16(env, string, reinterpret_cast<char16_t *>(text.data()), length + 1, &length);
    }
    text.truncate(int(length));
    ushort *const begin = reinterpret_cast<ushort *>(text.data());
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
    return text;
}

napi_value scriptString(napi_env env, const QString &text)
{
    // Replies and notifications are whole UTF-16 (written from UTF-8, or JSON that
    // escapes orphan surrogates): the engine takes them as they are, up to a NUL. A text
    // with an orphan surrogate gets what QString::toUtf8 writes for it, a '?'.
    const ushort *const begin = text.utf16();
    const ushort *const end = begin + text.size();
    const ushort *p = begin;
    QString repaired;
    for (; p != end && *p; ++p) {
        if (!QChar::isSurrogate(*p))
            continue;
        if (QChar::isHighSurrogate(*p) && p + 1 != end && QChar::isLowSurrogate(p[1])) {
            ++p;
            continue;
        }
        if (repaired.isNull())
            repaired = text;
        repaired[int(p - begin)] = QLatin1Char('?');
    }
    const ushort *const from = repaired.isNull() ? begin : repaired.utf16();
    napi_value result = nullptr;
    if (napi_create_string_utf16(env, reinterpret_cast<const char16_t *>(from), size_t(p - begin), &result) != napi_ok)
        return nullptr;
    return result;
}

} // namespace WindowControlNode
