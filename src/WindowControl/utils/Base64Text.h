#pragma once

#include <QString>

// A text carried as Base64 of its UTF-8 bytes, decoded with the base library. Whatever
// the decoder leaves for malformed input is used; the decoded bytes are read as UTF-8.
QString decodeBase64Text(const QString &text);
