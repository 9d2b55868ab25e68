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

// MinGW-w64's headers name it only for a later _WIN32_WINNT than the program's.
constexpr auto kFileDispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);

// Newer SDKs name it; MinGW-w64's headers do not yet.
#ifndef ERROR_DIRECTORY_NOT_SUPPORTED
#define ERROR_DIRECTORY_NOT_SUPPORTED 336L
#endif

// Folders open only with backup semantics; a link is never followed.
constexpr DWORD kFolderFlags = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;

// Not shared for deleting: no one renames or removes the folder while a build holds it. Shared for
// writing, since MoveFileExW opens the folder to write when it renames there. A program that holds
// the folder sharing less meets the claim as a sharing violation.
constexpr DWORD kClaimAccess = FILE_LIST_DIRECTORY | FILE_ADD_FILE;
constexpr DWORD kClaimShare = FILE_SHARE_READ | FILE_SHARE_WRITE;

// A named mutex for the folder's id tells builds apart from other programs: made before the claim
// and closed after it, it says another build holds the folder, or is about to. Global, for other
// sessions; another user's refuses us access, which says the same. Null when another build has it.
HANDLE TakeMarker(const std::string& path) {
    SystemHandle folder = OpenHandle(path, FILE_READ_ATTRIBUTES, kFolderFlags, "open folder");
    FileId id = FileIdOf(HandleOf(folder.Get()), path);
    std::wstring name = L"Global\\ZEVeduz.build." + std::to_wstring(id.volume) + L"." +
                        std::to_wstring(id.index) + L"." + std::to_wstring(id.upper);
    HANDLE marker = ::CreateMutexW(nullptr, FALSE, name.c_str());
    DWORD error = ::GetLastError();
    if (marker == nullptr && error != ERROR_ACCESS_DENIED) {
        throw Win32Error("open folder", path, error);
    }
    if (marker != nullptr && error == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(marker);
        marker = nullptr;
    }
    return marker;
}

// The path Windows gives an open file, or empty where it cannot tell.
std::wstring FinalPathOf(HANDLE handle) {
    return Filled([&](std::wstring& path) {
        return ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
    });
}

// Wine opens a Unix symbolic link as the file it leads to, and would remove that file: true when
// the open `entry` lies outside `folder`. On Windows an entry opened as itself never does; where
// the system cannot tell, false.
bool LeadsOut(HANDLE entry, const std::string& folder) {
    std::wstring entryPath = FinalPathOf(entry);
    // The folder reached by its path, as the entry was: a junction in its place is followed.
    HANDLE reached =
        ::CreateFileW(SystemName(folder, "remove in").c_str(), FILE_READ_ATTRIBUTES, kShareAll,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    std::wstring folderPath = FinalPathOf(reached);
    CloseQuietly(NativeOf(reached));
    std::size_t separator = entryPath.rfind(L'\\');
    return !entryPath.empty() && !folderPath.empty() && separator != std::wstring::npos &&
           ::CompareStringOrdinal(entryPath.c_str(), static_cast<int>(separator),
                                  folderPath.c_str(), static_cast<int>(folderPath.size()),
                                  TRUE) != CSTR_EQUAL;
}

// Refuses what is not a folder, as opening it as one would.
NativeHandle CheckFolder(SystemHandle folder, const std::string& path) {
    if ((TagOf(HandleOf(folder.Get()), path).FileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        throw Win32Error("open folder", path, ERROR_DIRECTORY);
    }
    return folder.Release();
}

}  // namespace

File File::OpenForReading(const std::string& path) {
    // The recording may be a link, as the user's choice; a placeholder is read through its filter.
    return File(OpenRegularFile(path, true).Release(), path);
}

std::size_t File::Read(void* buffer, std::size_t count) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        DWORD got = 0;
        // A file opened for reading is a disk file: its end reads as success with no bytes.
        if (!::ReadFile(HandleOf(m_handle.Get()), bytes + done, CallBytes(count - done), &got,
                        nullptr)) {
            throw Win32Error("read", m_path, ::GetLastError());
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

void File::WriteAt(const void* buffer, std::size_t count, std::int64_t offset) {
    HANDLE handle = HandleOf(m_handle.Get());
    std::int64_t at = offset < 0 ? m_written : offset;
    if (at > Size()) {
        // Where the file system cannot leave holes (FAT, say) it writes the zeros itself.
        DWORD ignored = 0;
        ::DeviceIoControl(handle, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    }
    const auto* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        OVERLAPPED position{};
        position.Offset = static_cast<DWORD>(at);
        position.OffsetHigh = static_cast<DWORD>(at >> 32);
        DWORD put = 0;
        if (!::WriteFile(handle, bytes, CallBytes(count), &put, &position)) {
            throw Win32Error("write", m_path, ::GetLastError());
        }
        bytes += put;
        at += put;
        count -= put;
    }
    m_written = std::max(m_written, at);
}

std::int64_t File::Size() const {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(HandleOf(m_handle.Get()), &size)) {
        throw Win32Error("measure", m_path, ::GetLastError());
    }
    return size.QuadPart;
}

FileId File::Id() const {
    return FileIdOf(HandleOf(m_handle.Get()), m_path);
}

void File::Sync() {
    if (!::FlushFileBuffers(HandleOf(m_handle.Get()))) {
        throw Win32Error("flush", m_path, ::GetLastError());
    }
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

Folder Folder::Open(const std::string& path) {
    return Folder(
        CheckFolder(OpenHandle(path, FILE_LIST_DIRECTORY, kFolderFlags, "open folder"), path),
        path);
}

std::optional<Folder> Folder::Claim(const std::string& path) {
    HANDLE taken = TakeMarker(path);
    if (taken == nullptr) {
        return std::nullopt;
    }
    SystemHandle marker(NativeOf(taken));
    HANDLE handle = ::CreateFileW(SystemName(path, "open folder").c_str(), kClaimAccess,
                                  kClaimShare, nullptr, OPEN_EXISTING, kFolderFlags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        if (error == ERROR_SHARING_VIOLATION) {
            throw StandardError("Cannot build in " + path +
                                ": another program is using it; close it and try again");
        }
        throw Win32Error("open folder", path, error);
    }
    Folder folder(CheckFolder(SystemHandle(NativeOf(handle)), path), path);
    folder.m_marker = std::move(marker);
    return folder;
}

// Attributes only: a file another program holds without sharing still shows them.
std::optional<Folder::Entry> Folder::Find(const std::string& name) const {
    std::string path = PathOf(name);
    try {
        SystemHandle entry = OpenHandle(path, FILE_READ_ATTRIBUTES, kFolderFlags, "open");
        HANDLE handle = HandleOf(entry.Get());
        BY_HANDLE_FILE_INFORMATION information{};
        if (!::GetFileInformationByHandle(handle, &information)) {
            return std::nullopt;
        }
        // Each call costs: the tag, which tells a link from a folder, only of a reparse point.
        DWORD attributes = information.dwFileAttributes;
        DWORD tag =
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? TagOf(handle, path).ReparseTag : 0;
        return Entry{FileIdOf(handle, path),
                     std::int64_t{information.nFileSizeHigh} << 32 | information.nFileSizeLow,
                     KindOf(attributes, tag) == EntryKind::kFolder};
    } catch (const StandardError&) {
        return std::nullopt;
    }
}

File Folder::OpenForReading(const std::string& name) const {
    std::string path = PathOf(name);
    return File(OpenRegularFile(path, false).Release(), path);
}

File Folder::CreateNew(const std::string& name) {
    std::string path = PathOf(name);
    // Not shared for deleting: while it is open no one removes, renames or replaces it. Where a
    // removed file keeps its name until its last handle closes (Wine, Windows before 1809), a
    // build could not tell a removal from its own file.
    HANDLE handle = ::CreateFileW(SystemName(path, "create").c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        std::optional<Entry> there = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                                             error == ERROR_ACCESS_DENIED
                                         ? Find(name)
                                         : std::nullopt;
        throw Win32Error("create", path,
                         there && there->folder ? ERROR_DIRECTORY_NOT_SUPPORTED : error);
    }
    return File(NativeOf(handle), path);
}

// Through a handle to the entry itself, so that a link goes and never what it leads to, a link
// to a folder included. A read-only file goes too, as on Linux.
void Folder::Remove(const std::string& name) {
    std::string path = PathOf(name);
    SystemHandle owned = OpenHandle(path, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                    kFolderFlags, "remove");
    HANDLE entry = HandleOf(owned.Get());
    FILE_ATTRIBUTE_TAG_INFO tag = TagOf(entry, path);
    if (KindOf(tag.FileAttributes, tag.ReparseTag) == EntryKind::kFolder) {
        throw Win32Error("remove", path, ERROR_ACCESS_DENIED);  // as DeleteFileW refuses one
    }
    if (LeadsOut(entry, m_path)) {
        throw StandardError::Cannot("remove", path, "it leads out of " + m_path);
    }
    // POSIX semantics free the name at once, as DeleteFileW does since Windows 10 1809, even while
    // another program (a virus scanner, say) still has the file open; else the name would stay
    // until then and the new file could not take it. Wine, FAT and Windows before 1809 lack them.
    FILE_DISPOSITION_INFO_EX now{FILE_DISPOSITION_FLAG_DELETE |
                                 FILE_DISPOSITION_FLAG_POSIX_SEMANTICS |
                                 FILE_DISPOSITION_FLAG_IGNORE_READONLY_ATTRIBUTE};
    if (::SetFileInformationByHandle(entry, kFileDispositionInfoEx, &now, sizeof now)) {
        return;
    }
    DWORD error = ::GetLastError();
    if (error != ERROR_INVALID_PARAMETER && error != ERROR_NOT_SUPPORTED &&
        error != ERROR_INVALID_FUNCTION) {
        throw Win32Error("remove", path, error);
    }
    if ((tag.FileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        // No attribute at all reads as "leave them as they are".
        FILE_BASIC_INFO basic{};
        basic.FileAttributes =
            (tag.FileAttributes & ~FILE_ATTRIBUTE_READONLY) | FILE_ATTRIBUTE_NORMAL;
        if (!::SetFileInformationByHandle(entry, FileBasicInfo, &basic, sizeof basic)) {
            throw Win32Error("remove", path, ::GetLastError());
        }
    }
    FILE_DISPOSITION_INFO later{TRUE};
    if (!::SetFileInformationByHandle(entry, FileDispositionInfo, &later, sizeof later)) {
        throw Win32Error("remove", path, ::GetLastError());
    }
}

void Folder::Rename(const std::string& from, const std::string& to) {
    std::string what = PathOf(from) + " to " + to;
    if (!::MoveFileExW(SystemName(PathOf(from), "rename").c_str(),
                       SystemName(PathOf(to), "rename").c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        throw Win32Error("rename", what, ::GetLastError());
    }
}

// Windows flushes a folder only through a handle that may write to it, as a claimed folder's may;
// else, or where folders cannot be flushed, the entries are left to the file system's journal.
void Folder::Sync() {
    if (!::FlushFileBuffers(HandleOf(m_handle.Get()))) {
        DWORD error = ::GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_INVALID_FUNCTION) {
            throw Win32Error("flush", m_path, error);
        }
    }
}

}  // namespace zv
