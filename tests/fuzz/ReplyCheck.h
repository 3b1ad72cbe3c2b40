// The envelope's rules for one reply, checked on the reply text and against the request;
// shared by both fuzzers. A reply that breaks them aborts, with the request and the reply.
#pragma once

#include "manager/RequestTable.h"

#include <QString>

namespace fuzz {

void checkReply(const RequestEntry &entry, const QString &request, const QString &reply);

} // namespace fuzz
