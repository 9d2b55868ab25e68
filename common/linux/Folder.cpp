// Linux only: the Windows counterpart is common/win32/Folder.cpp.
#include "common/Folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/StandardError.h"
#include "common/linux/Descriptor.h"

namespace zv {

namespace {

// False when another holder has the lock. A file system that cannot lock a folder (NFS emulates
// flock with byte-range locks, which a read-only descriptor may not take) lets the build go on
// without one rather than refuse every build there.
bool TryLock(int descriptor, const std::string& path) {
    while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        switch (errno) {
            case EINTR:
                continue;
            case EWOULDBLOCK:
                return false;
            case ENOLCK:
            case EOPNOTSUPP:
            case EBADF:
                return true;
            default:
                throw StandardError::FromErrno("lock", path, errno);
        }
    }
    return true;
}

}  // namespace

Folder Folder::Open(const std::string& path) {
    return Folder(OpenDescriptor(AT_FDCWD, path, path, O_RDONLY | O_DIRECTORY, "open folder"),
                  path);
}

std::optional<Folder> Folder::Claim(const std::string& path) {
    Folder folder = Open(path);
    if (!TryLock(DescriptorOf(folder.m_handle.Get()), path)) {
        return std::nullopt;
    }
    return folder;
}

File Folder::OpenForReading(const std::string& name) const {
    std::string path = PathOf(name);
    File file(
        OpenDescriptor(DescriptorOf(m_handle.Get()), name, path, O_RDONLY | O_NOFOLLOW, "open"),
        path);
    CheckRegularFile(DescriptorOf(file.m_handle.Get()), path);
    WaitForData(DescriptorOf(file.m_handle.Get()), path, "open");
    return file;
}

File Folder::CreateNew(const std::string& name) {
    std::string path = PathOf(name);
    int folder = DescriptorOf(m_handle.Get());
    const char* systemName = SystemName(name, "create", path);
    // O_EXCL: never a file that was there, nor one a link leads to.
    int descriptor =
        ::openat(folder, systemName, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        int error = errno;
        throw StandardError::FromErrno("create", path,
                                       error == EEXIST && HoldsFolder(name) ? EISDIR : error);
    }
    return File(descriptor, path);
}

std::optional<FileId> Folder::IdOf(const std::string& name) const {
    return IdAt(DescriptorOf(m_handle.Get()), name);
}

bool Folder::HoldsFolder(const std::string& name) const {
    std::optional<struct statx> status = StatusAt(DescriptorOf(m_handle.Get()), name);
    return status && S_ISDIR(status->stx_mode);
}

void Folder::Remove(const std::string& name) {
    if (::unlinkat(DescriptorOf(m_handle.Get()), SystemName(name, "remove", PathOf(name)), 0) !=
        0) {
        throw StandardError::FromErrno("remove", PathOf(name), errno);
    }
}

void Folder::Rename(const std::string& from, const std::string& to) {
    int folder = DescriptorOf(m_handle.Get());
    if (::renameat(folder, SystemName(from, "rename", PathOf(from)), folder,
                   SystemName(to, "rename", PathOf(to))) != 0) {
        throw StandardError::FromErrno("rename", PathOf(from) + " to " + to, errno);
    }
}

void Folder::Sync() {
    if (::fsync(DescriptorOf(m_handle.Get())) != 0) {
        throw StandardError::FromErrno("flush", m_path, errno);
    }
}

}  // namespace zv
