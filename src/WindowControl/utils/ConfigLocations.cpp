#include "ConfigLocations.h"

#include "TextConversion.h"

#include <windows.h>

#include <vector>

namespace {

const DWORD kProfileBufferSize = 1024;

std::string profileFolderWith(const char *folderName)
{
    // The profile is narrowed to the OEM page and read back as ANSI text; for an
    // ASCII profile that is the path itself, and the component's files have always
    // lived under whatever this chain gives for other characters.
    std::string dir = localToUtf8(userProfileDir().c_str());
    dir += '\\';
    dir += folderName;
    return dir;
}

} // namespace

std::string userProfileDir()
{
    std::vector<wchar_t> buffer(kProfileBufferSize, L'\0');
    DWORD length = GetEnvironmentVariableW(L"USERPROFILE", buffer.data(), kProfileBufferSize);
    if (length == 0)
        return "C:\\Program Data";
    if (length >= kProfileBufferSize) {
        // Too long for the buffer: the call gave the size it needs, so read the whole
        // value rather than hand out a cut or empty profile part.
        buffer.assign(size_t(length), L'\0');
        length = GetEnvironmentVariableW(L"USERPROFILE", buffer.data(), DWORD(buffer.size()));
        if (length == 0 || length >= buffer.size())
            return "C:\\Program Data";
    }
    return wideToOem(buffer.data());
}

std::string configXmlDir()
{
    return profileFolderWith("LumoWebControlServiceConfig");
}

std::string serviceDataDir()
{
    return profileFolderWith("LumoWebControlService");
}
