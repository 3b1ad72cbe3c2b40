// libFuzzer entry: arbitrary bytes as the request text of every manager handler, over a
// desktop with live window hosts. The first line names the request, as the request table
// does (the table's script-only SetCallback excepted); the rest is the text. An input
// that names no request is left alone. Every reply must be a well-formed envelope for its
// request; anything else aborts.
#include "FuzzWorld.h"
#include "ReplyCheck.h"

#include "manager/RequestTable.h"

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
        fuzz::checkReply(*pRequest, text, (pManager->*pRequest->handler)(text));
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
