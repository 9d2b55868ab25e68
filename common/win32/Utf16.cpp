// Win32 only: conversions between the program's UTF-8 and the system's UTF-16.
#include "common/win32/Utf16.h"

#include <windows.h>

#include "common/win32/Handle.h"

namespace zv {

std::optional<std::wstring> Utf16Of(std::string_view text) {
    if (text.empty()) {
        return std::wstring();
    }
    int size = static_cast<int>(text.size());
    if (static_cast<std::size_t>(size) != text.size()) {
        return std::nullopt;
    }
    int length =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length == 0 || ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size,
                                             wide.data(), length) != length) {
        return std::nullopt;
    }
    return wide;
}

std::wstring ToUtf16(const std::string& text) {
    std::optional<std::wstring> wide = Utf16Of(text);
    if (!wide) {
        throw Win32Error("convert", "a text to UTF-16", ERROR_NO_UNICODE_TRANSLATION);
    }
    return *std::move(wide);
}

std::string FromUtf16(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    int size = static_cast<int>(text.size());
    int length = 0;
    if (static_cast<std::size_t>(size) == text.size()) {
        length = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), size, nullptr, 0,
                                       nullptr, nullptr);
    }
    std::string narrow(static_cast<std::size_t>(length), '\0');
    if (length == 0 || ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), size,
                                             narrow.data(), length, nullptr, nullptr) != length) {
        throw Win32Error("convert", "a text from UTF-16", ERROR_NO_UNICODE_TRANSLATION);
    }
    return narrow;
}

}  // namespace zv
