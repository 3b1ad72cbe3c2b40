// What the control face and its helper process say to each other, over two named pipes,
// one each way. A message is a list of texts: the operation or the answer first, then its
// fields (numbers and handles as decimal texts). On the pipe: the byte count of the rest,
// the field count, then each field as its UTF-16 length and characters, every count a
// 32-bit little-endian number (both ends are the same Windows program kind).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace win32real {

using Message = std::vector<std::wstring>;

// The pipes' names: the face makes them, the helper gets the base on its command line.
std::wstring requestPipeName(const std::wstring &base);   // face -> helper
std::wstring replyPipeName(const std::wstring &base);     // helper -> face

std::string encode(const Message &message);                 // with the leading byte count
bool decode(const std::string &body, Message &message);     // the bytes after the count

std::wstring number(long long value);
long long toNumber(const std::wstring &text);               // 0 for anything not a number
std::wstring handleText(const void *handle);
HWND toHwnd(const std::wstring &text);

// Blocking whole reads and writes, for the helper (its handles are synchronous).
bool readMessage(HANDLE pipe, Message &message);
bool writeMessage(HANDLE pipe, const Message &message);

// The extra information the face's input carries, so that the helper tells it from
// messages posted to its windows.
constexpr ULONG_PTR kInputMark = 0x57524E4D;

// The operations; the helper answers each with "ok" and the results, or "error" and a reason.
namespace op {
constexpr const wchar_t *Create = L"create";        // class, title, x, y, w, h, style, exStyle, parent/owner, colour -> hwnd
constexpr const wchar_t *Move = L"move";            // hwnd, x, y, w, h (parent client coordinates)
constexpr const wchar_t *Title = L"title";          // hwnd, text
constexpr const wchar_t *Show = L"show";            // hwnd, SW_ command
constexpr const wchar_t *Activate = L"activate";    // hwnd (a top-level window)
constexpr const wchar_t *Destroy = L"destroy";      // hwnd
constexpr const wchar_t *Parent = L"parent";        // hwnd, new parent
constexpr const wchar_t *Reset = L"reset";          // -> the taskbars, as Taskbars
constexpr const wchar_t *Taskbars = L"taskbars";    // -> tray, start button, secondary trays...
constexpr const wchar_t *Posted = L"posted";        // hwnd or 0 -> hwnd, message, wParam, lParam, ...
constexpr const wchar_t *ClearPosted = L"clearposted";
constexpr const wchar_t *Sync = L"sync";            // answered once the helper's queue is empty
} // namespace op

} // namespace win32real
