#ifndef OWLBASE_TIME_UTIL_H
#define OWLBASE_TIME_UTIL_H

#include "OwlBaseExport.h"

#include <string>

namespace Owl {
namespace Base {
namespace TimeUtil {

// Seconds since 1970-01-01 00:00:00 UTC for a date-time text:
//   "yyyy-MM-dd HH:mm:ss"   or with 'T' between date and time (ISO 8601),
//   "yyyy-MM-dd HH:mm"      seconds 0,
//   "yyyy-MM-dd"            midnight,
// optionally followed by a fraction of the second (".fff", dropped) and a zone: "Z",
// "+HH:mm", "-HH:mm", "+HHmm" or "+HH". Without a zone the time is UTC. Leading and
// trailing whitespace is ignored. Fields must be in range (month 1-12, day within the
// month, leap years counted, hour 0-23, minute 0-59, second 0-59), year 1-9999, zone
// offset up to 23:59.
// Unreadable text, empty text included: -1. (1969-12-31 23:59:59 UTC also gives -1.)
OWLBASE_EXPORT long long StrDatetime2TimeT(const std::string &datetime);

} // namespace TimeUtil
} // namespace Base
} // namespace Owl

#endif // OWLBASE_TIME_UTIL_H
