#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zv {

// Win32 only. Texts are UTF-8 inside the program and UTF-16 at the Win32 calls.

// What a conversion does with text that is not well-formed (bytes that are not UTF-8, an unpaired
// surrogate). A name refuses it: U+FFFD in its place could name another file. A text shown or
// typed takes U+FFFD, so that a window never fails over a character.
enum class IllFormed { kRefuse, kReplace };

// Empty when the text is refused, or too long for the system's conversion.
std::optional<std::wstring> Utf16Of(std::string_view text, IllFormed illFormed);
std::optional<std::string> Utf8Of(std::wstring_view text, IllFormed illFormed);

// For texts: ill-formed parts become U+FFFD. A text too long to convert throws StandardError.
std::wstring ToUtf16(const std::string& text);
std::string FromUtf16(const std::wstring& text);

}  // namespace zv
