#pragma once

// Win32 only: what File, Folder and the program folder share of names, handles and errors.
#include <windows.h>

#include <string>

#include "common/File.h"
#include "common/StandardError.h"

namespace zv {

// UTF-8 inside the program, UTF-16 at the system's calls. A name with a NUL names no file: the
// system would see only the part before it. Text that is no UTF-8 names none either.
std::wstring SystemName(const std::string& path, const char* action);

// "Cannot <action> <path>: <the system's text for `error`>", in English where Windows has it.
StandardError Win32Error(const std::string& action, const std::string& path, DWORD error);

// Opens `path` with CreateFileW; errors name `path` and `action`.
HANDLE OpenHandle(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                  DWORD flags, const char* action);

// Refuses anything but a regular file on a disk, as a read of it would: a link, a device, a pipe.
void CheckRegularFile(HANDLE handle, const std::string& path);

BY_HANDLE_FILE_INFORMATION InformationOf(HANDLE handle, const std::string& path,
                                         const char* action);

inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

inline HANDLE HandleOf(NativeHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

inline NativeHandle NativeOf(HANDLE handle) {
    return reinterpret_cast<NativeHandle>(handle);
}

// For destructors: a handle that will not close has nothing left to lose.
void CloseQuietly(NativeHandle handle);

}  // namespace zv
