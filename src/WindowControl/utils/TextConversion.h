#pragma once

#include <string>

// Code-page conversions on 8-bit standard strings. Null or empty input gives an empty result.

// Zero-terminated wide text to the OEM code page, up to the first zero.
std::string wideToOem(const wchar_t *text);

// Zero-terminated text in the ANSI code page to UTF-8.
std::string localToUtf8(const char *text);
