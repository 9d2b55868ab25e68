// Win32 only: the Linux counterpart is common/linux/File.cpp.
#include "common/win32/Handle.h"

#include <cstring>
#include <optional>

#include "common/win32/Utf16.h"

namespace zv {

namespace {

// The form of a path that Windows takes as it is, past MAX_PATH: C:\… becomes \\?\C:\… and
// \\server\share\… becomes \\?\UNC\server\share\…. `full` is already absolute and normalized, as
// GetFullPathNameW leaves it, since Windows no longer resolves "." and ".." in that form. A path
// in that form, or a device's (\\.\…), passes unchanged.
std::wstring LongForm(const std::wstring& full) {
    if (full.starts_with(LR"(\\?\)") || full.starts_with(LR"(\\.\)")) {
        return full;
    }
    if (full.starts_with(LR"(\\)")) {
        return LR"(\\?\UNC\)" + full.substr(2);
    }
    return LR"(\\?\)" + full;
}

}  // namespace

std::wstring SystemName(const std::string& path, const char* action) {
    if (path.find('\0') != std::string::npos) {
        throw Win32Error(action, path, ERROR_FILE_NOT_FOUND);
    }
    std::optional<std::wstring> wide = Utf16Of(path, IllFormed::kRefuse);
    if (!wide) {
        throw Win32Error(action, path, ERROR_NO_UNICODE_TRANSLATION);
    }
    if (wide->empty() || wide->starts_with(LR"(\\?\)")) {
        return *std::move(wide);
    }
    // Windows would make the path absolute and resolve "." and ".." itself, but only below
    // MAX_PATH; GetFullPathNameW does the same at any length.
    return LongForm(Filled([&](std::wstring& full) {
        DWORD length = ::GetFullPathNameW(wide->c_str(), static_cast<DWORD>(full.size()),
                                          full.data(), nullptr);
        if (length == 0) {
            throw Win32Error(action, path, ::GetLastError());
        }
        return length;
    }));
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

SystemHandle OpenHandle(const std::string& path, DWORD access, DWORD flags, const char* action) {
    HANDLE handle = ::CreateFileW(SystemName(path, action).c_str(), access, kShareAll, nullptr,
                                  OPEN_EXISTING, flags | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throw Win32Error(action, path, ::GetLastError());
    }
    return SystemHandle(NativeOf(handle));
}

EntryKind KindOf(DWORD attributes, DWORD reparseTag) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && IsReparseTagNameSurrogate(reparseTag)) {
        return EntryKind::kLink;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::kFolder : EntryKind::kFile;
}

FILE_ATTRIBUTE_TAG_INFO TagOf(HANDLE handle, const std::string& path) {
    FILE_ATTRIBUTE_TAG_INFO information{};
    if (!::GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &information,
                                        sizeof information)) {
        throw Win32Error("open", path, ::GetLastError());
    }
    return information;
}

FileId FileIdOf(HANDLE handle, const std::string& path) {
    // BY_HANDLE_FILE_INFORMATION keeps 64 bits of ids that ReFS makes 128 bits long, and the 64
    // it keeps can repeat; FILE_ID_INFO has them whole.
    FILE_ID_INFO information{};
    if (::GetFileInformationByHandleEx(handle, FileIdInfo, &information, sizeof information)) {
        std::uint64_t low = 0;
        std::uint64_t high = 0;
        std::memcpy(&low, information.FileId.Identifier, sizeof low);
        std::memcpy(&high, information.FileId.Identifier + sizeof low, sizeof high);
        // NTFS leaves the upper half zero.
        return {information.VolumeSerialNumber, low, high};
    }
    // File systems and systems older than FILE_ID_INFO (Windows 8, Server 2012).
    BY_HANDLE_FILE_INFORMATION old{};
    if (!::GetFileInformationByHandle(handle, &old)) {
        throw Win32Error("open", path, ::GetLastError());
    }
    return {old.dwVolumeSerialNumber,
            (std::uint64_t(old.nFileIndexHigh) << 32) | old.nFileIndexLow};
}

SystemHandle OpenRegularFile(const std::string& path, bool followLinks) {
    SystemHandle owned =
        OpenHandle(path, GENERIC_READ, followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT, "open");
    HANDLE file = HandleOf(owned.Get());
    FILE_ATTRIBUTE_TAG_INFO tag = TagOf(file, path);
    if (::GetFileType(file) != FILE_TYPE_DISK ||
        KindOf(tag.FileAttributes, tag.ReparseTag) != EntryKind::kFile) {
        throw StandardError::Cannot("read", path, "Not a regular file");
    }
    if ((tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 || followLinks) {
        return owned;
    }
    // Opened as itself, a placeholder reads as the stub it is: open it again through its filter
    // driver, which fetches or unpacks the data, and check that the name still leads to it.
    SystemHandle served = OpenHandle(path, GENERIC_READ, 0, "open");
    if (!(FileIdOf(HandleOf(served.Get()), path) == FileIdOf(file, path))) {
        throw StandardError::Cannot("read", path, "Not a regular file");
    }
    return served;
}

void CloseQuietly(NativeHandle handle) {
    if (handle != kNoHandle) {
        ::CloseHandle(HandleOf(handle));
    }
}

}  // namespace zv
