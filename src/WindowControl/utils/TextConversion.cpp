#include "TextConversion.h"

#include <windows.h>

#include <cstring>
#include <vector>

std::string wideToOem(const wchar_t *text)
{
    if (!text)
        return std::string();
    // -1: the terminating zero is converted and counted too.
    const int size = WideCharToMultiByte(CP_OEMCP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::vector<char> bytes(size_t(size), '\0');
    WideCharToMultiByte(CP_OEMCP, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    return std::string(bytes.data());
}

std::string localToUtf8(const char *text)
{
    if (!text || !*text)
        return std::string();
    const int length = int(std::strlen(text));
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    if (wideLength <= 0)
        return std::string();
    std::vector<wchar_t> wide(size_t(wideLength) + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), wideLength);

    const int utf8Length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (utf8Length <= 0)
        return std::string();
    std::vector<char> utf8(size_t(utf8Length) + 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), utf8Length, nullptr, nullptr);
    return std::string(utf8.data(), size_t(utf8Length));
}
