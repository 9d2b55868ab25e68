// Win32 only: conversions between the program's UTF-8 and the system's UTF-16.
#include "common/win32/Utf16.h"

#include <windows.h>

namespace zv {

std::wstring ToUtf16(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    int size = static_cast<int>(text.size());
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string FromUtf16(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    int size = static_cast<int>(text.size());
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

}  // namespace zv
