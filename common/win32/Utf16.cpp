// Win32 only: conversions between the program's UTF-8 and the system's UTF-16.
#include "common/win32/Utf16.h"

#include <windows.h>

#include <climits>

#include "common/win32/Handle.h"

namespace zv {

std::optional<std::wstring> Utf16Of(std::string_view text, IllFormed illFormed) {
    if (text.empty()) {
        return std::wstring();
    }
    if (text.size() > INT_MAX) {
        return std::nullopt;
    }
    DWORD flags = illFormed == IllFormed::kRefuse ? MB_ERR_INVALID_CHARS : 0;
    int size = static_cast<int>(text.size());
    int length = ::MultiByteToWideChar(CP_UTF8, flags, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length == 0 ||
        ::MultiByteToWideChar(CP_UTF8, flags, text.data(), size, wide.data(), length) != length) {
        return std::nullopt;
    }
    return wide;
}

std::optional<std::string> Utf8Of(std::wstring_view text, IllFormed illFormed) {
    if (text.empty()) {
        return std::string();
    }
    if (text.size() > INT_MAX) {
        return std::nullopt;
    }
    DWORD flags = illFormed == IllFormed::kRefuse ? WC_ERR_INVALID_CHARS : 0;
    int size = static_cast<int>(text.size());
    int length =
        ::WideCharToMultiByte(CP_UTF8, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    if (length == 0 || ::WideCharToMultiByte(CP_UTF8, flags, text.data(), size, narrow.data(),
                                             length, nullptr, nullptr) != length) {
        return std::nullopt;
    }
    return narrow;
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
