// Win32 only: the Linux counterpart is common/linux/File.cpp.
#include "common/File.h"

#include <windows.h>
// After windows.h, which it needs.
#include <winioctl.h>

#include <algorithm>

#include "common/StandardError.h"
#include "common/win32/Handle.h"

namespace zv {

namespace {

// ReadFile and WriteFile count in DWORDs: a larger request goes in parts.
constexpr std::size_t kLargestCall = 1 << 30;

DWORD CallBytes(std::size_t count) {
    return static_cast<DWORD>(std::min(count, kLargestCall));
}

}  // namespace

File File::OpenForReading(const std::string& path) {
    // The recording may be a link, as the user's choice; a placeholder is read through its filter.
    return File(NativeOf(OpenRegularFile(path, true)), path);
}

std::size_t File::Read(void* buffer, std::size_t count) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        DWORD got = 0;
        if (!::ReadFile(HandleOf(m_handle.Get()), bytes + done, CallBytes(count - done), &got,
                        nullptr)) {
            DWORD error = ::GetLastError();
            if (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE) {
                break;
            }
            throw Win32Error("read", m_path, error);
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

void File::Write(const void* buffer, std::size_t count) {
    const auto* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        DWORD put = 0;
        if (!::WriteFile(HandleOf(m_handle.Get()), bytes, CallBytes(count), &put, nullptr)) {
            throw Win32Error("write", m_path, ::GetLastError());
        }
        bytes += put;
        count -= put;
    }
}

void File::WriteAt(const void* buffer, std::size_t count, std::int64_t offset) {
    HANDLE handle = HandleOf(m_handle.Get());
    if (offset > Size()) {
        // Where the file system cannot leave holes (FAT, say) it writes the zeros itself.
        DWORD ignored = 0;
        ::DeviceIoControl(handle, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    }
    // An explicit offset moves the running position too: put it back, as pwrite leaves it.
    LARGE_INTEGER position{};
    if (!::SetFilePointerEx(handle, LARGE_INTEGER{}, &position, FILE_CURRENT)) {
        throw Win32Error("write", m_path, ::GetLastError());
    }
    const auto* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD put = 0;
        if (!::WriteFile(handle, bytes, CallBytes(count), &put, &at)) {
            throw Win32Error("write", m_path, ::GetLastError());
        }
        bytes += put;
        offset += put;
        count -= put;
    }
    if (!::SetFilePointerEx(handle, position, nullptr, FILE_BEGIN)) {
        throw Win32Error("write", m_path, ::GetLastError());
    }
}

std::int64_t File::Size() const {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(HandleOf(m_handle.Get()), &size)) {
        throw Win32Error("measure", m_path, ::GetLastError());
    }
    return size.QuadPart;
}

FileId File::Id() const {
    // A device has no file index; it is never the recording, a file on a disk.
    if (::GetFileType(HandleOf(m_handle.Get())) != FILE_TYPE_DISK) {
        return {};
    }
    return FileIdOf(HandleOf(m_handle.Get()), m_path);
}

void File::Sync() {
    HANDLE handle = HandleOf(m_handle.Get());
    if (::FlushFileBuffers(handle)) {
        return;
    }
    DWORD error = ::GetLastError();
    // Windows flushes only through a handle that may write: a file opened for reading is flushed
    // through a second, writing handle to it.
    if (error == ERROR_ACCESS_DENIED) {
        HANDLE writer = ::ReOpenFile(handle, GENERIC_WRITE, kShareAll, 0);
        if (writer == INVALID_HANDLE_VALUE) {
            throw Win32Error("flush", m_path, ::GetLastError());
        }
        bool flushed = ::FlushFileBuffers(writer);
        error = ::GetLastError();
        ::CloseHandle(writer);
        if (flushed) {
            return;
        }
    }
    throw Win32Error("flush", m_path, error);
}

// Windows has no call that starts the write-back without waiting for it; Sync does all of it.
void File::StartWriteBack() {}

void File::Close() {
    NativeHandle handle = m_handle.Release();
    if (handle != kNoHandle && !::CloseHandle(HandleOf(handle))) {
        throw Win32Error("close", m_path, ::GetLastError());
    }
}

bool MakeFolder(const std::string& path) {
    if (::CreateDirectoryW(SystemName(path, "create folder").c_str(), nullptr)) {
        return true;
    }
    DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS) {
        return false;
    }
    throw Win32Error("create folder", path, error);
}

}  // namespace zv
