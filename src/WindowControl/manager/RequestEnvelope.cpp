#include "RequestEnvelope.h"

#include "JsonFields.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QLocale>

#include <algorithm>
#include <cmath>

RequestEnvelope::RequestEnvelope(const QString &request, int iModule)
    : m_iModule(iModule)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(request.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError) {
        m_iErrorModule = iModule;
        m_iErrorCode = ErrorCode::Unparsable;
        return;
    }
    m_bParsed = true;
    if (document.isObject()) {
        m_object = document.object();
        m_strSequence = JsonFields::text(m_object, QLatin1String("sequence"));
        m_strUUID = JsonFields::text(m_object, QLatin1String("uuid"));
    }
}

void RequestEnvelope::setExtra(QLatin1String key, const QJsonValue &value)
{
    const auto byKey = [](const QPair<QLatin1String, QJsonValue> &item, QLatin1String k) { return item.first < k; };
    const auto it = std::lower_bound(m_extra.begin(), m_extra.end(), key, byKey);
    if (it != m_extra.end() && it->first == key)
        it->second = value;
    else
        m_extra.insert(it, qMakePair(key, value));
}

QString RequestEnvelope::reply() const
{
    // Room for the frame and the texts unescaped, so that a plain reply is one allocation.
    int iSize = 96 + m_strSequence.size() + m_strUUID.size();
    for (const auto &extra : m_extra)
        iSize += 16 + (extra.second.isString() ? extra.second.toString().size() : 64);
    QString text;
    text.reserve(iSize);
    text += QLatin1String("{\"errorCode\":");
    text += QString::number(m_iErrorCode);
    text += QLatin1String(",\"errorModule\":");
    text += QString::number(m_iErrorModule);
    for (const auto &extra : m_extra) {
        text += QLatin1String(",\"");
        text += extra.first;
        text += QLatin1String("\":");
        appendJsonValue(text, extra.second);
    }
    text += QLatin1String(",\"sequence\":");
    appendJsonString(text, m_strSequence);
    text += QLatin1String(",\"uuid\":");
    appendJsonString(text, m_strUUID);
    text += QLatin1Char('}');
    return text;
}

void appendJsonValue(QString &out, const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        out += value.toBool() ? QLatin1String("true") : QLatin1String("false");
        break;
    case QJsonValue::Double: {
        // As Qt's writer: a finite whole number below 2^64 in fixed notation, any other
        // finite number in its shortest form, the rest as null.
        const double d = value.toDouble();
        if (qIsFinite(d)) {
            const double magnitude = std::fabs(d);
            const bool bWhole = magnitude < 18446744073709551616.0 && magnitude == std::floor(magnitude);
            out += QLatin1String(QByteArray::number(d, bWhole ? 'f' : 'g', QLocale::FloatingPointShortest));
        } else {
            out += QLatin1String("null");
        }
        break;
    }
    case QJsonValue::String:
        appendJsonString(out, value.toString());
        break;
    case QJsonValue::Array: {
        out += QLatin1Char('[');
        const QJsonArray array = value.toArray();
        for (int i = 0; i < array.size(); ++i) {
            if (i)
                out += QLatin1Char(',');
            appendJsonValue(out, array.at(i));
        }
        out += QLatin1Char(']');
        break;
    }
    case QJsonValue::Object: {
        out += QLatin1Char('{');
        const QJsonObject object = value.toObject();
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            if (it != object.constBegin())
                out += QLatin1Char(',');
            appendJsonString(out, it.key());
            out += QLatin1Char(':');
            appendJsonValue(out, it.value());
        }
        out += QLatin1Char('}');
        break;
    }
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        out += QLatin1String("null");
        break;
    }
}

void appendJsonString(QString &out, const QString &text)
{
    static const char kHex[] = "0123456789abcdef";
    const auto escape = [&out](ushort u) {
        out += QLatin1String("\\u");
        for (int shift = 12; shift >= 0; shift -= 4)
            out += QLatin1Char(kHex[(u >> shift) & 0xf]);
    };
    out += QLatin1Char('"');
    const QChar *p = text.constData();
    const QChar *const end = p + text.size();
    while (p != end) {
        // Runs that need no escape are copied whole.
        const QChar *run = p;
        while (p != end && p->unicode() >= 0x20 && p->unicode() != '"' && p->unicode() != '\\'
               && !p->isSurrogate())
            ++p;
        out.append(run, int(p - run));
        if (p == end)
            break;
        const ushort u = p->unicode();
        if (QChar::isHighSurrogate(u) && p + 1 != end && p[1].isLowSurrogate()) {
            out.append(p, 2);
            p += 2;
            continue;
        }
        ++p;
        switch (u) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case 0x08: out += QLatin1String("\\b"); break;
        case 0x0c: out += QLatin1String("\\f"); break;
        case 0x0a: out += QLatin1String("\\n"); break;
        case 0x0d: out += QLatin1String("\\r"); break;
        case 0x09: out += QLatin1String("\\t"); break;
        default: escape(u); break;   // other controls, and surrogates without a partner
        }
    }
    out += QLatin1Char('"');
}
