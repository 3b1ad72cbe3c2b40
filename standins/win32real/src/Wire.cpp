#include "Wire.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace win32real {

namespace {

void put32(std::string &out, uint32_t v)
{
    char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char((v >> 24) & 0xFF)};
    out.append(b, 4);
}

bool get32(const std::string &in, size_t &pos, uint32_t &v)
{
    if (in.size() - pos < 4)
        return false;
    const auto *p = reinterpret_cast<const unsigned char *>(in.data() + pos);
    v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    pos += 4;
    return true;
}

// Anything larger is not a message of ours.
constexpr uint32_t kMaxBody = 64u << 20;

} // namespace

std::wstring requestPipeName(const std::wstring &base)
{
    return L"\\\\.\\pipe\\" + base + L"-requests";
}

std::wstring replyPipeName(const std::wstring &base)
{
    return L"\\\\.\\pipe\\" + base + L"-replies";
}

std::string encode(const Message &message)
{
    std::string body;
    put32(body, uint32_t(message.size()));
    for (const std::wstring &field : message) {
        put32(body, uint32_t(field.size()));
        for (wchar_t c : field) {
            body.push_back(char(c & 0xFF));
            body.push_back(char((c >> 8) & 0xFF));
        }
    }
    std::string out;
    put32(out, uint32_t(body.size()));
    return out + body;
}

bool decode(const std::string &body, Message &message)
{
    message.clear();
    size_t pos = 0;
    uint32_t count = 0;
    if (!get32(body, pos, count) || count > body.size())
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t length = 0;
        if (!get32(body, pos, length) || (body.size() - pos) / 2 < length)
            return false;
        std::wstring field(length, L'\0');
        for (uint32_t k = 0; k < length; ++k) {
            const auto lo = static_cast<unsigned char>(body[pos + 2 * k]);
            const auto hi = static_cast<unsigned char>(body[pos + 2 * k + 1]);
            field[k] = wchar_t(lo | hi << 8);
        }
        pos += 2 * size_t(length);
        message.push_back(std::move(field));
    }
    return pos == body.size();
}

std::wstring number(long long value)
{
    return std::to_wstring(value);
}

long long toNumber(const std::wstring &text)
{
    if (text.empty())
        return 0;
    wchar_t *end = nullptr;
    const long long v = std::wcstoll(text.c_str(), &end, 10);
    return (end && *end == L'\0') ? v : 0;
}

std::wstring handleText(const void *handle)
{
    return std::to_wstring(reinterpret_cast<uintptr_t>(handle));
}

HWND toHwnd(const std::wstring &text)
{
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(toNumber(text)));
}

namespace {

bool readExact(HANDLE pipe, char *buffer, size_t size)
{
    while (size > 0) {
        DWORD got = 0;
        const DWORD chunk = size > 0x100000 ? 0x100000 : DWORD(size);
        if (!ReadFile(pipe, buffer, chunk, &got, nullptr) || got == 0)
            return false;
        buffer += got;
        size -= got;
    }
    return true;
}

} // namespace

bool readMessage(HANDLE pipe, Message &message)
{
    std::string head(4, '\0');
    if (!readExact(pipe, &head[0], 4))
        return false;
    size_t pos = 0;
    uint32_t size = 0;
    get32(head, pos, size);
    if (size > kMaxBody)
        return false;
    std::string body(size, '\0');
    return readExact(pipe, &body[0], size) && decode(body, message);
}

bool writeMessage(HANDLE pipe, const Message &message)
{
    const std::string data = encode(message);
    const char *p = data.data();
    size_t left = data.size();
    while (left > 0) {
        DWORD put = 0;
        if (!WriteFile(pipe, p, DWORD(left), &put, nullptr) || put == 0)
            return false;
        p += put;
        left -= put;
    }
    return true;
}

} // namespace win32real
