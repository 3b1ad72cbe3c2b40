// libFuzzer entry: arbitrary bytes as the request text of every manager handler, over a
// desktop with live window hosts. The first line names the request, as the request table
// does (the table's script-only SetCallback excepted); the rest is the text. An input
// that names no request is left alone. Every reply must be a well-formed envelope for its
// request; anything else aborts.
#include "FuzzWorld.h"

#include "manager/RequestTable.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The row the input's first line names, or null.
const RequestEntry *namedRequest(const uint8_t *data, size_t size, size_t &nameLength)
{
    const void *pNewline = std::memchr(data, '\n', size);
    if (!pNewline)
        return nullptr;
    nameLength = size_t(static_cast<const uint8_t *>(pNewline) - data);
    for (const RequestEntry &entry : kRequestTable) {
        if (entry.kind != RequestKind::Callback && std::strlen(entry.pszName) == nameLength
            && std::memcmp(entry.pszName, data, nameLength) == 0)
            return &entry;
    }
    return nullptr;
}

[[noreturn]] void fail(const RequestEntry &entry, const QString &request, const QString &reply, const char *pszWhat)
{
    fprintf(stderr, "%s: %s\n  request: %s\n  reply:   %s\n", entry.pszName, pszWhat,
            request.toUtf8().left(2000).constData(), reply.toUtf8().left(2000).constData());
    abort();
}

// The envelope's rules, checked on the reply text alone and against the request.
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

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    size_t nameLength = 0;
    const RequestEntry *pRequest = namedRequest(data, size, nameLength);
    if (!pRequest)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + nameLength + 1),
                                           int(size - nameLength - 1));
    WindowControlManager *pManager = WindowControlManager::GetInstance();
    switch (pRequest->kind) {
    case RequestKind::Reply:
        checkReply(*pRequest, text, (pManager->*pRequest->handler)(text));
        break;
    case RequestKind::Config:
        pManager->SetLocalConfig(text);
        break;
    case RequestKind::Close:
        pManager->ConnectClose(text);
        break;
    case RequestKind::Callback:
        break;
    }
    fuzz::settle();
    return 0;
}
