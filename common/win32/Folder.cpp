// Win32 only: the Linux counterpart is common/linux/Folder.cpp.
#include "common/Folder.h"

#include <cstddef>
#include <utility>
#include <vector>

#include "common/StandardError.h"
#include "common/win32/Handle.h"

namespace zv {

namespace {

// Folders open only with backup semantics; a link is never followed.
constexpr DWORD kFolderFlags = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;

// A build holds its folder with write access that it shares with no one, and with no delete
// sharing: a second holder, wanting write access too, gets ERROR_SHARING_VIOLATION, and renaming
// or removing the folder (delete access) is refused while the build runs. Reading is shared, so
// that the folder can still be listed; files are made and removed in it as usual, since that does
// not open the folder itself.
constexpr DWORD kClaimAccess = FILE_LIST_DIRECTORY | FILE_ADD_FILE;
constexpr DWORD kClaimShare = FILE_SHARE_READ;

// Refuses what is not a folder, as opening it as one would.
HANDLE CheckFolder(HANDLE handle, const std::string& path) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handle, &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        ::CloseHandle(handle);
        throw Win32Error("open folder", path, ERROR_DIRECTORY);
    }
    return handle;
}

}  // namespace

Folder::Folder(NativeHandle handle, std::string path) : m_handle(handle), m_path(std::move(path)) {}

Folder Folder::Open(const std::string& path) {
    HANDLE handle = OpenHandle(path, FILE_LIST_DIRECTORY, kShareAll, OPEN_EXISTING, kFolderFlags,
                               "open folder");
    return Folder(NativeOf(CheckFolder(handle, path)), path);
}

std::optional<Folder> Folder::Claim(const std::string& path) {
    HANDLE handle = ::CreateFileW(SystemName(path, "open folder").c_str(), kClaimAccess,
                                  kClaimShare, nullptr, OPEN_EXISTING, kFolderFlags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        if (error == ERROR_SHARING_VIOLATION) {
            return std::nullopt;
        }
        throw Win32Error("open folder", path, error);
    }
    return Folder(NativeOf(CheckFolder(handle, path)), path);
}

Folder::Folder(Folder&& other) noexcept
    : m_handle(std::exchange(other.m_handle, kNoHandle)), m_path(std::move(other.m_path)) {}

Folder& Folder::operator=(Folder&& other) noexcept {
    if (this != &other) {
        CloseQuietly(m_handle);
        m_handle = std::exchange(other.m_handle, kNoHandle);
        m_path = std::move(other.m_path);
    }
    return *this;
}

Folder::~Folder() {
    CloseQuietly(m_handle);
}

File Folder::OpenForReading(const std::string& name) const {
    std::string path = PathOf(name);
    File file(NativeOf(OpenHandle(path, GENERIC_READ, kShareAll, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT, "open")),
              path);
    CheckRegularFile(HandleOf(file.m_handle), path);
    return file;
}

File Folder::CreateNew(const std::string& name) {
    std::string path = PathOf(name);
    HANDLE handle = ::CreateFileW(SystemName(path, "create").c_str(), GENERIC_WRITE, kShareAll,
                                  nullptr, CREATE_NEW,
                                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        bool folder = (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                       error == ERROR_ACCESS_DENIED) &&
                      HoldsFolder(name);
        // ERROR_DIRECTORY_NOT_SUPPORTED, which MinGW's headers leave out.
        constexpr DWORD kFolderInTheWay = 336;
        throw Win32Error("create", path, folder ? kFolderInTheWay : error);
    }
    return File(NativeOf(handle), path);
}

std::optional<FileId> Folder::IdOf(const std::string& name) const {
    try {
        // Attributes only: a file another program holds without sharing still shows its id.
        File entry(NativeOf(OpenHandle(PathOf(name), FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING,
                                       kFolderFlags, "open")),
                   PathOf(name));
        return entry.Id();
    } catch (const StandardError&) {
        return std::nullopt;
    }
}

bool Folder::HoldsFolder(const std::string& name) const {
    std::wstring path = SystemName(PathOf(name), "open");
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void Folder::Remove(const std::string& name) {
    std::string path = PathOf(name);
    if (!::DeleteFileW(SystemName(path, "remove").c_str())) {
        throw Win32Error("remove", path, ::GetLastError());
    }
}

// MoveFileExW opens the folder to rename in it, which the build's own claim on the folder may
// refuse: then the new name goes to the open file as a plain name, which renames within its folder
// without opening it (Wine would resolve that name against the working folder, hence not first).
void Folder::Rename(const std::string& from, const std::string& to) {
    std::string what = PathOf(from) + " to " + to;
    std::wstring source = SystemName(PathOf(from), "rename");
    std::wstring target = SystemName(PathOf(to), "rename");
    if (::MoveFileExW(source.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return;
    }
    DWORD error = ::GetLastError();
    if (error != ERROR_SHARING_VIOLATION) {
        throw Win32Error("rename", what, error);
    }
    std::wstring newName = SystemName(to, "rename");
    File file(NativeOf(OpenHandle(PathOf(from), DELETE | GENERIC_WRITE, kShareAll, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT, "rename")),
              what);
    std::vector<std::byte> buffer(sizeof(FILE_RENAME_INFO) + newName.size() * sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(newName.size() * sizeof(wchar_t));
    newName.copy(rename->FileName, newName.size());
    if (!::SetFileInformationByHandle(HandleOf(file.m_handle), FileRenameInfo, rename,
                                      static_cast<DWORD>(buffer.size()))) {
        throw Win32Error("rename", what, ::GetLastError());
    }
    // As MOVEFILE_WRITE_THROUGH would: the new entry is on disk before the rename returns.
    file.Sync();
    file.Close();
}

// Windows flushes a folder only through a handle that may write to it, as a claimed folder's may;
// one opened only to list it, or a file system that cannot flush folders, leaves the entries to
// the file system's journal (NTFS logs every new, renamed or removed entry), which the flushes of
// the files commit.
void Folder::Sync() {
    if (!::FlushFileBuffers(HandleOf(m_handle))) {
        DWORD error = ::GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_INVALID_FUNCTION) {
            throw Win32Error("flush", m_path, error);
        }
    }
}

}  // namespace zv
