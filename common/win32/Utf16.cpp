// Win32 only: conversions between the program's UTF-8 and the system's UTF-16.
#include "common/win32/Utf16.h"

#include <windows.h>

#include <climits>

#include "common/win32/Handle.h"

namespace zv {

namespace {

// `convert(from, size, to, length)` as MultiByteToWideChar and WideCharToMultiByte count: first
// with no room, for the length, then into the text made that long.
template <typename To, typename From, typename Convert>
std::optional<To> Converted(From text, Convert convert) {
    if (text.empty()) {
        return To();
    }
    if (text.size() > INT_MAX) {
        return std::nullopt;
    }
    int size = static_cast<int>(text.size());
    int length = convert(text.data(), size, nullptr, 0);
    To converted(static_cast<std::size_t>(length), {});
    if (length == 0 || convert(text.data(), size, converted.data(), length) != length) {
        return std::nullopt;
    }
    return converted;
}

}  // namespace

std::optional<std::wstring> Utf16Of(std::string_view text, IllFormed illFormed) {
    DWORD flags = illFormed == IllFormed::kRefuse ? MB_ERR_INVALID_CHARS : 0;
    return Converted<std::wstring>(text, [&](const char* from, int size, wchar_t* to, int length) {
        return ::MultiByteToWideChar(CP_UTF8, flags, from, size, to, length);
    });
}

std::optional<std::string> Utf8Of(std::wstring_view text, IllFormed illFormed) {
    DWORD flags = illFormed == IllFormed::kRefuse ? WC_ERR_INVALID_CHARS : 0;
    return Converted<std::string>(text, [&](const wchar_t* from, int size, char* to, int length) {
        return ::WideCharToMultiByte(CP_UTF8, flags, from, size, to, length, nullptr, nullptr);
    });
}

std::wstring ToUtf16(const std::string& text) {
    std::optional<std::wstring> wide = Utf16Of(text, IllFormed::kReplace);
    if (!wide) {
        throw Win32Error("convert", "a text to UTF-16", ERROR_INSUFFICIENT_BUFFER);
    }
    return *std::move(wide);
}

std::string FromUtf16(const std::wstring& text) {
    std::optional<std::string> narrow = Utf8Of(text, IllFormed::kReplace);
    if (!narrow) {
        throw Win32Error("convert", "a text from UTF-16", ERROR_INSUFFICIENT_BUFFER);
    }
    return *std::move(narrow);
}

}  // namespace zv
