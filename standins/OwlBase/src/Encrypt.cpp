#include <OwlBase/Encrypt.h>

namespace {

int base64Value(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

bool isSpace(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

namespace Owl {
namespace Base {
namespace Encrypt {

bool Base64Decode(std::string &out, const std::string &in)
{
    out.clear();
    out.reserve(in.size() / 4 * 3);

    unsigned int uAcc = 0;
    int iBits = 0;
    size_t nDigits = 0;
    size_t i = 0;
    for (; i < in.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(in[i]);
        if (isSpace(c))
            continue;
        if (c == '=')
            break;
        const int iValue = base64Value(c);
        if (iValue < 0)
            return false;
        uAcc = ((uAcc << 6) | static_cast<unsigned int>(iValue)) & 0xFFFFFF;
        iBits += 6;
        ++nDigits;
        if (iBits >= 8) {
            iBits -= 8;
            out.push_back(static_cast<char>((uAcc >> iBits) & 0xFF));
        }
    }

    size_t nPads = 0;
    for (; i < in.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(in[i]);
        if (c == '=')
            ++nPads;
        else if (!isSpace(c))
            return false;
    }

    // A lone digit in the last group carries no whole byte.
    switch (nDigits % 4) {
    case 0:
        return nPads == 0;
    case 2:
        return nPads == 2;
    case 3:
        return nPads == 1;
    default:
        return false;
    }
}

} // namespace Encrypt
} // namespace Base
} // namespace Owl
