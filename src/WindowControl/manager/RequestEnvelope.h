#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QLatin1String>
#include <QPair>
#include <QString>
#include <QVector>

// Module numbers and error codes carried by every reply.
namespace ErrorModule {
enum : int { None = 0, Video = 3, Window = 5 };
}
namespace ErrorCode {
enum : int {
    Success = 0,
    Unparsable = 1,          // not a JSON object or array
    LibraryNotLoaded = 4,    // StartService
    CreateFailed = 5000,     // CreateWnd: no component and no integration window
    NoParentWindow = 5001    // CreateWnd: no browser window found
};
}

// The frame of a reply-giving request: parses the request text, reads "sequence" and
// "uuid", and writes the reply with "errorCode", "errorModule", "sequence", "uuid" and
// the request's extra keys, as compact JSON with sorted keys.
class RequestEnvelope
{
public:
    // iModule is the request's module number, reported with any error.
    RequestEnvelope(const QString &request, int iModule);

    // False when the text did not parse: nothing may be read or done then.
    bool isParsed() const { return m_bParsed; }

    // The request object ("[]" and other arrays give an empty object).
    const QJsonObject &object() const { return m_object; }
    const QString &sequence() const { return m_strSequence; }
    const QString &uuid() const { return m_strUUID; }

    // A failure code of the request's own (4, 5000, 5001), reported with its module.
    void fail(int iCode) { m_iErrorModule = m_iModule; m_iErrorCode = iCode; }

    // A key the request adds to every reply, after a parse failure too. Its name sorts
    // between "errorModule" and "sequence" ("message", "presetInfo", "responseMsg").
    void setExtra(QLatin1String key, const QJsonValue &value);

    // Written here rather than through QJsonDocument, which costs most of a request for
    // an unknown window; the text is the one QJsonDocument::toJson(Compact) gives.
    QString reply() const;

private:
    QJsonObject m_object;
    QVector<QPair<QLatin1String, QJsonValue>> m_extra;   // in key order
    QString m_strSequence;
    QString m_strUUID;
    int m_iModule;
    int m_iErrorModule = ErrorModule::None;
    int m_iErrorCode = ErrorCode::Success;
    bool m_bParsed = false;
};

// Appends text as a JSON string, quotes included, escaped as Qt's JSON writer does it:
// '"', '\' and the control characters below U+0020 escaped (\b \f \n \r \t, others as
// \u00XX), a surrogate without its partner as \uXXXX (lower-case hex digits), the rest
// unchanged.
void appendJsonString(QString &out, const QString &text);

// Appends a value as QJsonDocument::toJson(Compact) writes it: object keys in their
// sorted order, whole numbers below 2^64 in fixed notation, other finite numbers in
// their shortest form, infinities and NaN as null.
void appendJsonValue(QString &out, const QJsonValue &value);
