// The per-user folder texts, and the kernel32 conversions they are built on.
#include "utils/ConfigLocations.h"
#include "utils/TextConversion.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#ifndef MB_USEGLYPHCHARS
#define MB_USEGLYPHCHARS 0x00000004
#endif
#ifndef MB_ERR_INVALID_CHARS
#define MB_ERR_INVALID_CHARS 0x00000008
#endif

// The folders from USERPROFILE: missing or empty, through the OEM and ANSI pages (é is
// 0x82 in the OEM page, 0x82 a low quotation mark in the ANSI page, a character the OEM
// page lacks becomes '?'), longer than the first buffer.
TEST(ConfigLocations, FoldersFromTheProfile)
{
    const DWORD dwSize = GetEnvironmentVariableW(L"USERPROFILE", nullptr, 0);
    std::wstring saved(dwSize, L'\0');
    if (dwSize > 0)
        saved.resize(GetEnvironmentVariableW(L"USERPROFILE", &saved[0], dwSize));
    const std::string longPath = "C:\\" + std::string(1500, 'p');
    const std::wstring longWide(longPath.begin(), longPath.end());
    const struct { const wchar_t *profile; std::string base, oem; } cases[] = {
        {L"C:\\Users\\op", "C:\\Users\\op", "C:\\Users\\op"},
        {nullptr, "C:\\Program Data", "C:\\Program Data"},
        {L"", "C:\\Program Data", "C:\\Program Data"},
        {L"C:\\Users\\Jos\u00e9", "C:\\Users\\Jos\xe2\x80\x9a", "C:\\Users\\Jos\x82"},
        {L"C:\\\u65e5", "C:\\?", "C:\\?"},
        {longWide.c_str(), longPath, longPath},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.oem);
        // Null takes the variable away.
        SetEnvironmentVariableW(L"USERPROFILE", c.profile);
        EXPECT_EQ(userProfileDir(), c.oem);
        EXPECT_EQ(configXmlDir(), c.base + "\\LumoWebControlServiceConfig");
        EXPECT_EQ(serviceDataDir(), c.base + "\\LumoWebControlService");
    }
    SetEnvironmentVariableW(L"USERPROFILE", dwSize > 0 ? saved.c_str() : nullptr);
}

TEST(TextConversion, EmptyAndNullInputs)
{
    EXPECT_EQ(localToUtf8(nullptr), "");
    EXPECT_EQ(localToUtf8(""), "");
    EXPECT_EQ(wideToOem(nullptr), "");
    EXPECT_EQ(wideToOem(L""), "");
    EXPECT_EQ(localToUtf8("\x80\xff"), "\xe2\x82\xac\xc3\xbf");   // euro sign, y diaeresis
}

TEST(Kernel32, CodePagesRoundTripEveryByte)
{
    EXPECT_EQ(GetACP(), 1252u);
    EXPECT_EQ(GetOEMCP(), 437u);
    for (UINT page : {UINT(CP_ACP), UINT(CP_OEMCP)}) {
        char bytes[256];
        for (int i = 0; i < 256; ++i)
            bytes[i] = char(i);
        wchar_t wide[256];
        ASSERT_EQ(MultiByteToWideChar(page, 0, bytes, 256, wide, 256), 256);
        char back[256];
        BOOL bUsedDefault = TRUE;
        ASSERT_EQ(WideCharToMultiByte(page, 0, wide, 256, back, 256, nullptr, &bUsedDefault), 256);
        EXPECT_FALSE(bUsedDefault);
        EXPECT_EQ(std::string(back, 256), std::string(bytes, 256)) << page;
    }
    wchar_t c = 0;
    MultiByteToWideChar(CP_ACP, 0, "\x80", 1, &c, 1);
    EXPECT_EQ(c, L'\u20ac');
    MultiByteToWideChar(CP_OEMCP, 0, "\xb0", 1, &c, 1);
    EXPECT_EQ(c, L'\u2591');
    MultiByteToWideChar(CP_OEMCP, MB_USEGLYPHCHARS, "\x01", 1, &c, 1);
    EXPECT_EQ(c, L'\u263a');
}

TEST(Kernel32, SizesTerminatorsAndErrors)
{
    // -1 counts the terminator; a null or empty output asks for the size.
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "h\xc3\xa9", -1, nullptr, 0), 3);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"h\u00e9", -1, nullptr, 0, nullptr, nullptr), 4);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"h\u00e9", 2, nullptr, 0, nullptr, nullptr), 3);

    char small[2];
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"abc", -1, small, 2, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));

    BOOL bUsed = FALSE;
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"a", 1, small, 2, nullptr, &bUsed), 0);   // not for UTF-8
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "a", 0, nullptr, 0), 0);
    EXPECT_EQ(MultiByteToWideChar(12345, 0, "a", 1, nullptr, 0), 0);

    char out[4] = {};
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"\u65e5", 1, out, 4, "#", &bUsed), 1);
    EXPECT_EQ(out[0], '#');
    EXPECT_TRUE(bUsed);

    // Malformed UTF-8: U+FFFD per ill-formed part, or a failure when asked for one.
    wchar_t wide[8];
    ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\xe0\x80z", 4, wide, 8), 4);
    EXPECT_EQ(std::wstring(wide, 4), L"a\ufffd\ufffdz");
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xff", 1, wide, 8), 0);
    // A surrogate pair handed in as two units is one character.
    const wchar_t pair[] = {wchar_t(0xD83D), wchar_t(0xDE00), 0};
    char utf8[8] = {};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, pair, -1, utf8, 8, nullptr, nullptr), 5);
    EXPECT_STREQ(utf8, "\xf0\x9f\x98\x80");
}
