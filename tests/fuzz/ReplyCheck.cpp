#include "ReplyCheck.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

namespace {

[[noreturn]] void fail(const RequestEntry &entry, const QString &request, const QString &reply, const char *pszWhat)
{
    fprintf(stderr, "%s: %s\n  request: %s\n  reply:   %s\n", entry.pszName, pszWhat,
            request.toUtf8().left(2000).constData(), reply.toUtf8().left(2000).constData());
    abort();
}

} // namespace

void checkReply(const RequestEntry &entry, const QString &request, const QString &reply)
{
    const QByteArray replyBytes = reply.toUtf8();
    QJsonParseError error;
    const QJsonDocument replyDocument = QJsonDocument::fromJson(replyBytes, &error);
    if (error.error != QJsonParseError::NoError || !replyDocument.isObject())
        fail(entry, request, reply, "the reply is not a JSON object");
    if (replyDocument.toJson(QJsonDocument::Compact) != replyBytes)
        fail(entry, request, reply, "the reply is not compact JSON with sorted keys");
    const QJsonObject object = replyDocument.object();
    QStringList keys = {"errorCode", "errorModule", "sequence", "uuid"};
    if (entry.pszExtraKey)
        keys.append(entry.pszExtraKey);
    keys.sort();
    if (object.keys() != keys)
        fail(entry, request, reply, "the reply's keys are wrong");
    if (!object.value("sequence").isString() || !object.value("uuid").isString())
        fail(entry, request, reply, "sequence or uuid is not a text");

    const int iCode = object.value("errorCode").toInt(-1);
    const int iModule = object.value("errorModule").toInt(-1);
    const bool bCodeKnown = iCode == 0 || iCode == 1
                            || (iCode == 4 && entry.handler == &WindowControlManager::StartService)
                            || ((iCode == 5000 || iCode == 5001) && entry.handler == &WindowControlManager::CreateWnd);
    if (!bCodeKnown)
        fail(entry, request, reply, "unexpected error code");
    if (iModule != (iCode == 0 ? 0 : entry.iModule))
        fail(entry, request, reply, "wrong module number");

    const QJsonDocument requestDocument = QJsonDocument::fromJson(request.toUtf8(), &error);
    const bool bParsed = error.error == QJsonParseError::NoError;
    if ((iCode == 1) != !bParsed)
        fail(entry, request, reply, "code 1 does not match the request's parse result");
    const QJsonObject requestObject = requestDocument.object();
    if (object.value("sequence").toString() != requestObject.value("sequence").toString()
        || object.value("uuid").toString() != requestObject.value("uuid").toString())
        fail(entry, request, reply, "sequence or uuid not echoed by the reading rules");
}

} // namespace fuzz
