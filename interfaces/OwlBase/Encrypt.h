#ifndef OWLBASE_ENCRYPT_H
#define OWLBASE_ENCRYPT_H

#include "OwlBaseExport.h"

#include <string>

namespace Owl {
namespace Base {
namespace Encrypt {

// Decodes Base64 (standard alphabet A-Z a-z 0-9 + /, padding '=') into out, which is
// replaced. Whitespace (space, tab, CR, LF) is skipped anywhere. Decoding stops at the
// first character outside the alphabet, or at padding; what was decoded up to there stays
// in out. Returns true when the whole input was read and is well formed: its length
// without whitespace is a multiple of 4, padding only at the end (at most two), nothing
// after it. A missing tail ("QQ" for "QQ==") is decoded as if padded but returns false,
// like any other malformed input. Empty input: empty out, true.
OWLBASE_EXPORT bool Base64Decode(std::string &out, const std::string &in);

} // namespace Encrypt
} // namespace Base
} // namespace Owl

#endif // OWLBASE_ENCRYPT_H
