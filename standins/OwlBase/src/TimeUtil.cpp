#include <OwlBase/TimeUtil.h>

namespace {

// Reads exactly nDigits decimal digits at pos.
bool readNumber(const std::string &text, size_t &pos, size_t nDigits, int &value)
{
    if (text.size() - pos < nDigits)
        return false;
    int iValue = 0;
    for (size_t i = 0; i < nDigits; ++i) {
        const char c = text[pos + i];
        if (c < '0' || c > '9')
            return false;
        iValue = iValue * 10 + (c - '0');
    }
    pos += nDigits;
    value = iValue;
    return true;
}

bool take(const std::string &text, size_t &pos, char c)
{
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static const int s_days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : s_days[month - 1];
}

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar.
long long daysFromCivil(int year, int month, int day)
{
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yoe = year - era * 400;
    const long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Zone suffix: "Z", "+HH", "+HHmm", "+HH:mm" (or '-'), as seconds east of UTC.
bool readZone(const std::string &text, size_t &pos, int &offsetSeconds)
{
    offsetSeconds = 0;
    if (pos == text.size())
        return true;
    if (take(text, pos, 'Z'))
        return true;
    const char sign = text[pos];
    if (sign != '+' && sign != '-')
        return false;
    ++pos;
    int iHours = 0;
    int iMinutes = 0;
    if (!readNumber(text, pos, 2, iHours))
        return false;
    if (pos < text.size()) {
        take(text, pos, ':');
        if (!readNumber(text, pos, 2, iMinutes))
            return false;
    }
    if (iHours > 23 || iMinutes > 59)
        return false;
    offsetSeconds = (iHours * 60 + iMinutes) * 60 * (sign == '-' ? -1 : 1);
    return true;
}

} // namespace

namespace Owl {
namespace Base {
namespace TimeUtil {

long long StrDatetime2TimeT(const std::string &datetime)
{
    const long long llUnreadable = -1;

    size_t nBegin = 0;
    size_t nEnd = datetime.size();
    while (nBegin < nEnd && isSpace(datetime[nBegin]))
        ++nBegin;
    while (nEnd > nBegin && isSpace(datetime[nEnd - 1]))
        --nEnd;
    const std::string text = datetime.substr(nBegin, nEnd - nBegin);

    size_t pos = 0;
    int iYear = 0, iMonth = 0, iDay = 0, iHour = 0, iMinute = 0, iSecond = 0;
    if (!readNumber(text, pos, 4, iYear) || !take(text, pos, '-')
        || !readNumber(text, pos, 2, iMonth) || !take(text, pos, '-')
        || !readNumber(text, pos, 2, iDay))
        return llUnreadable;
    if (iYear < 1 || iMonth < 1 || iMonth > 12 || iDay < 1 || iDay > daysInMonth(iYear, iMonth))
        return llUnreadable;

    int iOffset = 0;
    if (pos < text.size()) {
        if (!take(text, pos, ' ') && !take(text, pos, 'T'))
            return llUnreadable;
        if (!readNumber(text, pos, 2, iHour) || !take(text, pos, ':')
            || !readNumber(text, pos, 2, iMinute))
            return llUnreadable;
        if (take(text, pos, ':')) {
            if (!readNumber(text, pos, 2, iSecond))
                return llUnreadable;
            if (take(text, pos, '.')) {
                const size_t nFraction = pos;
                while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
                    ++pos;
                if (pos == nFraction)
                    return llUnreadable;
            }
        }
        if (iHour > 23 || iMinute > 59 || iSecond > 59)
            return llUnreadable;
        if (!readZone(text, pos, iOffset) || pos != text.size())
            return llUnreadable;
    }

    return daysFromCivil(iYear, iMonth, iDay) * 86400LL + iHour * 3600LL + iMinute * 60LL
           + iSecond - iOffset;
}

} // namespace TimeUtil
} // namespace Base
} // namespace Owl
