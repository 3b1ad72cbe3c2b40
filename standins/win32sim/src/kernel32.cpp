// kernel32 of the simulated desktop: the process environment and code-page conversion.
//
// Environment. The variables are the process's own (getenv/setenv), so what a script
// puts into process.env is what GetEnvironmentVariableW reads. Names are matched without
// regard to ASCII case, as on Windows. Values cross the edge as UTF-8 on this side and
// wchar_t on the Win32 side.
//
// Wide text. WCHAR is the platform's wchar_t. Where it is 32-bit, one unit holds one code
// point (a character outside the BMP takes one unit, not a surrogate pair); counts in and
// out are in wchar_t units, exactly as Windows counts UTF-16 units. A surrogate pair
// handed in as two units is still read as one character.
//
// Code pages (real tables, not approximations):
//   CP_ACP   = 1252 (Windows Western). 0x00-0x7F ASCII, 0xA0-0xFF = U+00A0-U+00FF,
//              0x80-0x9F the Windows punctuation block (euro sign, curly quotes, dashes,
//              S/s/Z/z with caron, OE/oe, Y diaeresis ...). Its five unassigned bytes
//              0x81, 0x8D, 0x8F, 0x90, 0x9D map to the C1 controls of the same value, as
//              Windows maps them, so every byte round-trips.
//   CP_OEMCP = 437 (IBM PC). 0x00-0x7F ASCII (with MB_USEGLYPHCHARS, 0x01-0x1F and 0x7F
//              give the PC's graphic symbols instead), 0x80-0xFF accented Latin letters,
//              currency, box drawing, shading, Greek letters and maths signs.
//   CP_UTF8  = 65001. Malformed input gives U+FFFD per maximal ill-formed subpart (or
//              fails with ERROR_NO_UNICODE_TRANSLATION under MB_ERR_INVALID_CHARS);
//              lone surrogates written out give U+FFFD (or fail under WC_ERR_INVALID_CHARS).
// Characters a single-byte page cannot hold become the default character ('?' or the
// caller's) and set *lpUsedDefaultChar. No best-fit mapping is made (as with
// WC_NO_BEST_FIT_CHARS): an a with macron becomes '?', not 'a'.
//
// Errors follow Windows: 0 with GetLastError() set to ERROR_INVALID_PARAMETER,
// ERROR_INVALID_FLAGS, ERROR_INSUFFICIENT_BUFFER, ERROR_NO_UNICODE_TRANSLATION or
// ERROR_ENVVAR_NOT_FOUND.

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <type_traits>
#include <vector>

extern char **environ;

#ifndef ERROR_INVALID_PARAMETER
#define ERROR_INVALID_PARAMETER 87L
#endif
#ifndef ERROR_INVALID_FLAGS
#define ERROR_INVALID_FLAGS 1004L
#endif
#ifndef ERROR_NO_UNICODE_TRANSLATION
#define ERROR_NO_UNICODE_TRANSLATION 1113L
#endif
#ifndef MB_PRECOMPOSED
#define MB_PRECOMPOSED 0x00000001
#define MB_COMPOSITE 0x00000002
#define MB_USEGLYPHCHARS 0x00000004
#define MB_ERR_INVALID_CHARS 0x00000008
#endif
#ifndef WC_ERR_INVALID_CHARS
#define WC_COMPOSITECHECK 0x00000200
#define WC_DISCARDNS 0x00000010
#define WC_SEPCHARS 0x00000020
#define WC_DEFAULTCHAR 0x00000040
#define WC_ERR_INVALID_CHARS 0x00000080
#define WC_NO_BEST_FIT_CHARS 0x00000400
#endif

namespace {

const UINT kAnsiPage = 1252;
const UINT kOemPage = 437;

const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const char16_t kCp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

// MB_USEGLYPHCHARS: what the PC showed for the control bytes 0x01-0x1F.
const char16_t kCp437Glyphs[32] = {
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
};
const char16_t kCp437Glyph7F = 0x2302;

UINT resolvePage(UINT codePage)
{
    switch (codePage) {
    case CP_ACP: return kAnsiPage;
    case CP_OEMCP: return kOemPage;
    default: return codePage;
    }
}

bool isSingleBytePage(UINT page) { return page == kAnsiPage || page == kOemPage; }

char32_t byteToChar(UINT page, unsigned char b, bool glyphs)
{
    if (page == kOemPage) {
        if (b >= 0x80)
            return kCp437High[b - 0x80];
        if (glyphs && b >= 0x01 && b < 0x20)
            return kCp437Glyphs[b];
        if (glyphs && b == 0x7F)
            return kCp437Glyph7F;
        return b;
    }
    if (b >= 0x80 && b < 0xA0)
        return kCp1252High[b - 0x80];
    return b;
}

// The byte for a character, or -1 when the page has none.
int charToByte(UINT page, char32_t c)
{
    if (c < 0x80)
        return int(c);
    if (page == kOemPage) {
        for (int i = 0; i < 128; ++i)
            if (kCp437High[i] == c)
                return 0x80 + i;
        return -1;
    }
    if (c >= 0xA0 && c <= 0xFF)
        return int(c);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == c)
            return 0x80 + i;
    return -1;
}

// One UTF-8 sequence from [p, end): the character, or U+FFFD for a maximal ill-formed
// subpart. `len` gets the bytes used; `bad` tells an ill-formed subpart.
char32_t decodeUtf8(const unsigned char *p, const unsigned char *end, size_t &len, bool &bad)
{
    bad = false;
    unsigned char b0 = p[0];
    len = 1;
    if (b0 < 0x80)
        return b0;
    int need;
    char32_t c;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1;
        c = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2;
        c = b0 & 0x0F;
        if (b0 == 0xE0) lo = 0xA0;
        if (b0 == 0xED) hi = 0x9F;   // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3;
        c = b0 & 0x07;
        if (b0 == 0xF0) lo = 0x90;
        if (b0 == 0xF4) hi = 0x8F;   // nothing above U+10FFFF
    } else {
        bad = true;
        return 0xFFFD;
    }
    for (int i = 0; i < need; ++i) {
        const unsigned char *q = p + 1 + i;
        const unsigned char first = i == 0 ? lo : 0x80, last = i == 0 ? hi : 0xBF;
        if (q >= end || *q < first || *q > last) {
            len = size_t(1 + i);
            bad = true;
            return 0xFFFD;
        }
        c = (c << 6) | (*q & 0x3F);
    }
    len = size_t(1 + need);
    return c;
}

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void appendWide(std::vector<wchar_t> &out, char32_t c)
{
    if (sizeof(wchar_t) == 2 && c >= 0x10000) {
        c -= 0x10000;
        out.push_back(wchar_t(0xD800 + (c >> 10)));
        out.push_back(wchar_t(0xDC00 + (c & 0x3FF)));
    } else {
        out.push_back(wchar_t(c));
    }
}

bool isHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// One character from wide text at [p, end); `len` gets the units used, `bad` tells a
// lone surrogate or a value beyond Unicode.
char32_t decodeWide(const wchar_t *p, const wchar_t *end, size_t &len, bool &bad)
{
    char32_t c = char32_t(std::make_unsigned<wchar_t>::type(p[0]));
    len = 1;
    bad = false;
    if (isHighSurrogate(c) && p + 1 < end) {
        char32_t d = char32_t(std::make_unsigned<wchar_t>::type(p[1]));
        if (isLowSurrogate(d)) {
            len = 2;
            return 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00);
        }
    }
    if (isHighSurrogate(c) || isLowSurrogate(c) || c > 0x10FFFF) {
        bad = true;
        return 0xFFFD;
    }
    return c;
}

// Copies `units` into the caller's buffer as Windows does: a size query when the
// buffer is empty, ERROR_INSUFFICIENT_BUFFER when it is too small.
template<typename T>
int deliver(const std::vector<T> &units, T *out, int outSize)
{
    if (units.size() > size_t(0x7FFFFFFF)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int n = int(units.size());
    if (outSize == 0)
        return n;
    if (n > outSize) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (n)
        std::memcpy(out, units.data(), size_t(n) * sizeof(T));
    return n;
}

std::string wideToUtf8(const wchar_t *text)
{
    std::string out;
    if (!text)
        return out;
    const wchar_t *end = text + std::wcslen(text);
    for (const wchar_t *p = text; p < end;) {
        size_t len;
        bool bad;
        appendUtf8(out, decodeWide(p, end, len, bad));
        p += len;
    }
    return out;
}

std::vector<wchar_t> utf8ToWide(const char *text)
{
    std::vector<wchar_t> out;
    const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
    const unsigned char *end = p + std::strlen(text);
    while (p < end) {
        size_t len;
        bool bad;
        appendWide(out, decodeUtf8(p, end, len, bad));
        p += len;
    }
    return out;
}

bool sameNameIgnoringCase(const char *entry, size_t entryNameLen, const std::string &name)
{
    if (entryNameLen != name.size())
        return false;
    for (size_t i = 0; i < entryNameLen; ++i) {
        char a = entry[i], b = name[i];
        if (a >= 'a' && a <= 'z') a = char(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z') b = char(b - 'a' + 'A');
        if (a != b)
            return false;
    }
    return true;
}

// The names in the process environment that Windows would take for `name`.
std::vector<std::string> matchingNames(const std::string &name)
{
    std::vector<std::string> names;
    for (char **e = environ; e && *e; ++e) {
        const char *eq = std::strchr(*e, '=');
        if (!eq)
            continue;
        if (sameNameIgnoringCase(*e, size_t(eq - *e), name))
            names.emplace_back(*e, size_t(eq - *e));
    }
    return names;
}

bool validName(const wchar_t *name)
{
    return name && *name && !std::wcschr(name, L'=');
}

} // namespace

extern "C" {

DWORD WINAPI GetEnvironmentVariableW(LPCWSTR lpName, LPWSTR lpBuffer, DWORD nSize)
{
    if (!validName(lpName)) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    const std::vector<std::string> names = matchingNames(wideToUtf8(lpName));
    const char *value = names.empty() ? nullptr : std::getenv(names.front().c_str());
    if (!value) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    const std::vector<wchar_t> wide = utf8ToWide(value);
    const DWORD len = DWORD(wide.size());
    if (!lpBuffer || nSize <= len)
        return len + 1;   // the size needed, terminator included
    if (len)
        std::memcpy(lpBuffer, wide.data(), len * sizeof(wchar_t));
    lpBuffer[len] = 0;
    if (len == 0)
        SetLastError(ERROR_SUCCESS);   // an empty value is no failure, though it returns 0
    return len;
}

BOOL WINAPI SetEnvironmentVariableW(LPCWSTR lpName, LPCWSTR lpValue)
{
    if (!validName(lpName)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string name = wideToUtf8(lpName);
    const std::vector<std::string> existing = matchingNames(name);
    if (!lpValue) {
        if (existing.empty()) {
            SetLastError(ERROR_ENVVAR_NOT_FOUND);
            return FALSE;
        }
        for (const std::string &n : existing)
            unsetenv(n.c_str());
        return TRUE;
    }
    // Windows keeps one variable per name whatever its case; the spelling already in
    // the environment stays.
    const std::string target = existing.empty() ? name : existing.front();
    for (size_t i = 1; i < existing.size(); ++i)
        unsetenv(existing[i].c_str());
    if (setenv(target.c_str(), wideToUtf8(lpValue).c_str(), 1) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar)
{
    if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0
        || (!lpWideCharStr && cchWideChar != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const UINT page = resolvePage(CodePage);
    if (page == CP_UTF8) {
        if (dwFlags & ~DWORD(MB_ERR_INVALID_CHARS)) {
            SetLastError(ERROR_INVALID_FLAGS);
            return 0;
        }
    } else if (!isSingleBytePage(page)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    } else if (dwFlags & ~DWORD(MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS)
               || ((dwFlags & MB_PRECOMPOSED) && (dwFlags & MB_COMPOSITE))) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }

    // -1: up to and including the terminating zero.
    const size_t inLen = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : size_t(cbMultiByte);
    const unsigned char *p = reinterpret_cast<const unsigned char *>(lpMultiByteStr);
    const unsigned char *end = p + inLen;
    std::vector<wchar_t> out;
    out.reserve(inLen);
    if (page == CP_UTF8) {
        while (p < end) {
            size_t len;
            bool bad;
            const char32_t c = decodeUtf8(p, end, len, bad);
            if (bad && (dwFlags & MB_ERR_INVALID_CHARS)) {
                SetLastError(ERROR_NO_UNICODE_TRANSLATION);
                return 0;
            }
            appendWide(out, c);
            p += len;
        }
    } else {
        const bool glyphs = (dwFlags & MB_USEGLYPHCHARS) != 0;
        for (; p < end; ++p)
            out.push_back(wchar_t(byteToChar(page, *p, glyphs)));
    }
    return deliver(out, lpWideCharStr, cchWideChar);
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCCH lpDefaultChar,
                               LPBOOL lpUsedDefaultChar)
{
    if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0
        || (!lpMultiByteStr && cbMultiByte != 0)
        || (lpMultiByteStr && static_cast<const void *>(lpMultiByteStr) == static_cast<const void *>(lpWideCharStr))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const UINT page = resolvePage(CodePage);
    if (page == CP_UTF8) {
        if (lpDefaultChar || lpUsedDefaultChar) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        if (dwFlags & ~DWORD(WC_ERR_INVALID_CHARS)) {
            SetLastError(ERROR_INVALID_FLAGS);
            return 0;
        }
    } else if (!isSingleBytePage(page)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    } else if (dwFlags & ~DWORD(WC_COMPOSITECHECK | WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR
                                | WC_NO_BEST_FIT_CHARS)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }

    const size_t inLen = cchWideChar == -1 ? std::wcslen(lpWideCharStr) + 1 : size_t(cchWideChar);
    const wchar_t *p = lpWideCharStr;
    const wchar_t *end = p + inLen;
    std::vector<char> out;
    out.reserve(inLen);
    bool usedDefault = false;
    if (page == CP_UTF8) {
        std::string bytes;
        while (p < end) {
            size_t len;
            bool bad;
            const char32_t c = decodeWide(p, end, len, bad);
            if (bad && (dwFlags & WC_ERR_INVALID_CHARS)) {
                SetLastError(ERROR_NO_UNICODE_TRANSLATION);
                return 0;
            }
            appendUtf8(bytes, c);
            p += len;
        }
        out.assign(bytes.begin(), bytes.end());
    } else {
        const char fallback = lpDefaultChar ? *lpDefaultChar : '?';
        for (; p < end; ++p) {
            const int b = charToByte(page, char32_t(std::make_unsigned<wchar_t>::type(*p)));
            if (b < 0) {
                usedDefault = true;
                out.push_back(fallback);
            } else {
                out.push_back(char(b));
            }
        }
    }
    if (lpUsedDefaultChar)
        *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    return deliver(out, lpMultiByteStr, cbMultiByte);
}

UINT WINAPI GetACP(void) { return kAnsiPage; }

UINT WINAPI GetOEMCP(void) { return kOemPage; }

} // extern "C"
