#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zv {

// Win32 only. Texts are UTF-8 inside the program and UTF-16 at the Win32 calls. Both ways are
// strict: a text that does not convert (bytes that are not UTF-8, an unpaired surrogate) is
// refused, never passed on with U+FFFD in place of what it said, which could name another file.

// Empty when `text` is not UTF-8: the caller says what it was converting.
std::optional<std::wstring> Utf16Of(std::string_view text);
// As Utf16Of; a text that does not convert throws StandardError.
std::wstring ToUtf16(const std::string& text);
// Throws StandardError for a text that is not UTF-16.
std::string FromUtf16(const std::wstring& text);

}  // namespace zv
