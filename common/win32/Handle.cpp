// Win32 only: the Linux counterpart is common/linux/Descriptor.cpp.
#include "common/win32/Handle.h"

#include "common/win32/Utf16.h"

namespace zv {

std::wstring SystemName(const std::string& path, const char* action) {
    if (path.find('\0') != std::string::npos) {
        throw Win32Error(action, path, ERROR_FILE_NOT_FOUND);
    }
    if (path.empty()) {
        return {};
    }
    int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                                       static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length == 0 ||
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                              static_cast<int>(path.size()), wide.data(), length) != length) {
        throw Win32Error(action, path, ERROR_NO_UNICODE_TRANSLATION);
    }
    return wide;
}

StandardError Win32Error(const std::string& action, const std::string& path, DWORD error) {
    constexpr DWORD kFlags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    wchar_t* text = nullptr;
    // English first, so that a report reads the same everywhere; else the user's language.
    for (DWORD language : {DWORD(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)), DWORD(0)}) {
        if (::FormatMessageW(kFlags, nullptr, error, language, reinterpret_cast<wchar_t*>(&text), 0,
                             nullptr) != 0) {
            break;
        }
    }
    if (text == nullptr) {
        return StandardError::Cannot(action, path, "system error " + std::to_string(error));
    }
    std::wstring reason(text);
    ::LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r')) {
        reason.pop_back();
    }
    return StandardError::Cannot(action, path, FromUtf16(reason));
}

HANDLE OpenHandle(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                  DWORD flags, const char* action) {
    std::wstring name = SystemName(path, action);
    HANDLE handle = ::CreateFileW(name.c_str(), access, share, nullptr, disposition,
                                  flags | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throw Win32Error(action, path, ::GetLastError());
    }
    return handle;
}

void CheckRegularFile(HANDLE handle, const std::string& path) {
    BY_HANDLE_FILE_INFORMATION information = InformationOf(handle, path, "open");
    if (::GetFileType(handle) != FILE_TYPE_DISK ||
        (information.dwFileAttributes &
         (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) != 0) {
        throw StandardError::Cannot("read", path, "Not a regular file");
    }
}

BY_HANDLE_FILE_INFORMATION InformationOf(HANDLE handle, const std::string& path,
                                         const char* action) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handle, &information)) {
        throw Win32Error(action, path, ::GetLastError());
    }
    return information;
}

void CloseQuietly(NativeHandle handle) {
    if (handle != kNoHandle) {
        ::CloseHandle(HandleOf(handle));
    }
}

}  // namespace zv
