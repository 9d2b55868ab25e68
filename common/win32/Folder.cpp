// Win32 only: the Linux counterpart is common/linux/Folder.cpp.
#include "common/Folder.h"

#include "common/StandardError.h"
#include "common/win32/Handle.h"

namespace zv {

namespace {

// Newer SDKs name it; MinGW-w64's headers do not yet.
#ifndef ERROR_DIRECTORY_NOT_SUPPORTED
#define ERROR_DIRECTORY_NOT_SUPPORTED 336L
#endif

// MinGW-w64's headers name it only for a later _WIN32_WINNT than the program's.
constexpr auto kFileDispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);

// Folders open only with backup semantics; a link is never followed.
constexpr DWORD kFolderFlags = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;

// A build holds its folder without delete sharing: renaming or removing it (delete access) is
// refused while the build runs. It shares reading and writing, since MoveFileExW opens the folder
// to write in it when it renames there. A program that holds the folder and shares less meets the
// claim as a sharing violation.
constexpr DWORD kClaimAccess = FILE_LIST_DIRECTORY | FILE_ADD_FILE;
constexpr DWORD kClaimShare = FILE_SHARE_READ | FILE_SHARE_WRITE;

std::wstring Hex(std::uint64_t value) {
    std::wstring text(16, L'0');
    for (auto digit = text.rbegin(); digit != text.rend(); ++digit, value >>= 4) {
        *digit = L"0123456789abcdef"[value & 15];
    }
    return text;
}

// Builds tell each other apart from other programs by a marker no other program makes: a named
// mutex for the folder's id, made before the claim and closed after it, so that a build that finds
// it knows another build holds the folder, or is about to. Global, for builds in other sessions;
// one that another user made refuses us access, which tells the same. Empty when another build has
// the marker of the folder at `path`.
HANDLE TakeMarker(const std::string& path) {
    OwnedHandle folder(OpenHandle(path, FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING,
                                  kFolderFlags, "open folder"));
    FileId id = FileIdOf(folder.Get(), path);
    std::wstring name = L"Global\\ZEVeduz.build." + Hex(id.volume) + L"." + Hex(id.index);
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
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        DWORD length =
            ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
        if (length == 0 || length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length);
    }
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
HANDLE CheckFolder(HANDLE handle, const std::string& path) {
    OwnedHandle folder(handle);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handle, &information)) {
        throw Win32Error("open folder", path, ::GetLastError());
    }
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        throw Win32Error("open folder", path, ERROR_DIRECTORY);
    }
    return folder.Release();
}

}  // namespace

Folder Folder::Open(const std::string& path) {
    HANDLE handle = OpenHandle(path, FILE_LIST_DIRECTORY, kShareAll, OPEN_EXISTING, kFolderFlags,
                               "open folder");
    return Folder(NativeOf(CheckFolder(handle, path)), path);
}

std::optional<Folder> Folder::Claim(const std::string& path) {
    HANDLE taken = TakeMarker(path);
    if (taken == nullptr) {
        return std::nullopt;
    }
    OwnedHandle marker(taken);
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
    Folder folder(NativeOf(CheckFolder(handle, path)), path);
    folder.m_marker = SystemHandle(NativeOf(marker.Release()));
    return folder;
}

File Folder::OpenForReading(const std::string& name) const {
    std::string path = PathOf(name);
    return File(NativeOf(OpenRegularFile(path, false)), path);
}

File Folder::CreateNew(const std::string& name) {
    std::string path = PathOf(name);
    HANDLE handle =
        ::CreateFileW(SystemName(path, "create").c_str(), GENERIC_WRITE, kShareAll, nullptr,
                      CREATE_NEW, FILE_FLAG_OPEN_REPARSE_POINT | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        bool folder = (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                       error == ERROR_ACCESS_DENIED) &&
                      HoldsFolder(name);
        throw Win32Error("create", path, folder ? ERROR_DIRECTORY_NOT_SUPPORTED : error);
    }
    return File(NativeOf(handle), path);
}

// Attributes only: a file another program holds without sharing still shows them.
std::optional<FileId> Folder::IdOf(const std::string& name) const {
    try {
        OwnedHandle entry(OpenHandle(PathOf(name), FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING,
                                     kFolderFlags, "open"));
        return FileIdOf(entry.Get(), PathOf(name));
    } catch (const StandardError&) {
        return std::nullopt;
    }
}

bool Folder::HoldsFolder(const std::string& name) const {
    try {
        OwnedHandle entry(OpenHandle(PathOf(name), FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING,
                                     kFolderFlags, "open"));
        FILE_ATTRIBUTE_TAG_INFO tag = TagOf(entry.Get(), PathOf(name));
        return KindOf(tag.FileAttributes, tag.ReparseTag) == EntryKind::kFolder;
    } catch (const StandardError&) {
        return false;
    }
}

// Through a handle to the entry itself, so that a link goes and never what it leads to, a link
// to a folder included.
void Folder::Remove(const std::string& name) {
    std::string path = PathOf(name);
    OwnedHandle entry(OpenHandle(path, DELETE | FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING,
                                 kFolderFlags, "remove"));
    FILE_ATTRIBUTE_TAG_INFO tag = TagOf(entry.Get(), path);
    if (KindOf(tag.FileAttributes, tag.ReparseTag) == EntryKind::kFolder) {
        throw Win32Error("remove", path, ERROR_ACCESS_DENIED);  // as DeleteFileW refuses one
    }
    if (LeadsOut(entry.Get(), m_path)) {
        throw StandardError::Cannot("remove", path, "it leads out of " + m_path);
    }
    // POSIX semantics free the name at once, as DeleteFileW does since Windows 10 1809, even while
    // another program (a virus scanner, say) still has the file open; else the name would stay
    // until then and the new file could not take it. Wine and FAT lack them.
    FILE_DISPOSITION_INFO_EX now{FILE_DISPOSITION_FLAG_DELETE |
                                 FILE_DISPOSITION_FLAG_POSIX_SEMANTICS};
    if (::SetFileInformationByHandle(entry.Get(), kFileDispositionInfoEx, &now, sizeof now)) {
        return;
    }
    DWORD error = ::GetLastError();
    if (error != ERROR_INVALID_PARAMETER && error != ERROR_NOT_SUPPORTED &&
        error != ERROR_INVALID_FUNCTION) {
        throw Win32Error("remove", path, error);
    }
    FILE_DISPOSITION_INFO later{TRUE};
    if (!::SetFileInformationByHandle(entry.Get(), FileDispositionInfo, &later, sizeof later)) {
        throw Win32Error("remove", path, ::GetLastError());
    }
}

// The claim shares writing, so MoveFileExW, which opens the target folder for writing, is not
// refused by it.
void Folder::Rename(const std::string& from, const std::string& to) {
    std::string what = PathOf(from) + " to " + to;
    if (!::MoveFileExW(SystemName(PathOf(from), "rename").c_str(),
                       SystemName(PathOf(to), "rename").c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        throw Win32Error("rename", what, ::GetLastError());
    }
}

// Windows flushes a folder only through a handle that may write to it, as a claimed folder's may;
// one opened only to list it, or a file system that cannot flush folders, leaves the entries to
// the file system's journal (NTFS logs every new, renamed or removed entry), which the flushes of
// the files commit.
void Folder::Sync() {
    if (!::FlushFileBuffers(HandleOf(m_handle.Get()))) {
        DWORD error = ::GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_INVALID_FUNCTION) {
            throw Win32Error("flush", m_path, error);
        }
    }
}

}  // namespace zv
