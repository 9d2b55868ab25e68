// Linux only: the Windows counterpart is common/win32/File.cpp.
#include "common/File.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "common/StandardError.h"

namespace zv {

namespace {

int DescriptorOf(const SystemHandle& handle) {
    return static_cast<int>(handle.Get());
}

// Calls again what a signal interrupted.
template <typename Call>
auto Retry(Call call) {
    decltype(call()) result;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return result;
}

struct stat StatusOf(const SystemHandle& handle, const char* action, const std::string& path) {
    struct stat status {};
    if (::fstat(DescriptorOf(handle), &status) != 0) {
        throw StandardError::FromErrno(action, path, errno);
    }
    return status;
}

FileId IdOf(const struct stat& status) {
    return {status.st_dev, status.st_ino};
}

// A regular file, for reading, `name` opened relative to `folder` (AT_FDCWD: the working
// folder). O_NONBLOCK: a pipe in place of a file must not wait for a writer.
int OpenRegular(int folder, const std::string& name, const std::string& path, int flags) {
    // A typed name may hold a NUL, and the system would see only what comes before it; the
    // program's own names and folders never do.
    if (name.find('\0') != std::string::npos) {
        throw StandardError::FromErrno("open", path, ENOENT);
    }
    int descriptor = ::openat(folder, name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | flags);
    if (descriptor < 0) {
        throw StandardError::FromErrno("open", path, errno);
    }
    SystemHandle owned(descriptor);
    struct stat status = StatusOf(owned, "open", path);
    if (S_ISDIR(status.st_mode)) {
        throw StandardError::FromErrno("read", path, EISDIR);
    }
    if (!S_ISREG(status.st_mode)) {
        throw StandardError::Cannot("read", path, "Not a regular file");
    }
    // Reads of a file that opened wait for the disk as usual.
    if (::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0) {
        throw StandardError::FromErrno("open", path, errno);
    }
    return static_cast<int>(owned.Release());
}

}  // namespace

File File::OpenForReading(const std::string& path) {
    return File(OpenRegular(AT_FDCWD, path, path, 0), path);
}

std::size_t File::Read(void* buffer, std::size_t count) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        ssize_t got =
            Retry([&] { return ::read(DescriptorOf(m_handle), bytes + done, count - done); });
        if (got < 0) {
            throw StandardError::FromErrno("read", m_path, errno);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void File::WriteAt(const void* buffer, std::size_t count, std::int64_t offset) {
    const auto* bytes = static_cast<const char*>(buffer);
    std::int64_t at = offset < 0 ? m_written : offset;
    while (count > 0) {
        ssize_t put = Retry([&] { return ::pwrite(DescriptorOf(m_handle), bytes, count, at); });
        if (put < 0) {
            throw StandardError::FromErrno("write", m_path, errno);
        }
        bytes += put;
        at += put;
        count -= static_cast<std::size_t>(put);
    }
    m_written = std::max(m_written, at);
}

std::int64_t File::Size() const {
    return StatusOf(m_handle, "measure", m_path).st_size;
}

FileId File::Id() const {
    return IdOf(StatusOf(m_handle, "open", m_path));
}

void File::Sync() {
    if (::fsync(DescriptorOf(m_handle)) != 0) {
        throw StandardError::FromErrno("flush", m_path, errno);
    }
}

void File::StartWriteBack() {
    if (::sync_file_range(DescriptorOf(m_handle), 0, 0, SYNC_FILE_RANGE_WRITE) != 0) {
        throw StandardError::FromErrno("flush", m_path, errno);
    }
}

void File::Close() {
    NativeHandle handle = m_handle.Release();
    if (handle != kNoHandle && ::close(static_cast<int>(handle)) != 0) {
        throw StandardError::FromErrno("close", m_path, errno);
    }
}

Folder Folder::Open(const std::string& path) {
    int descriptor =
        ::openat(AT_FDCWD, path.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        throw StandardError::FromErrno("open folder", path, errno);
    }
    return Folder(descriptor, path);
}

std::optional<Folder> Folder::Claim(const std::string& path) {
    Folder folder = Open(path);
    if (Retry([&] { return ::flock(DescriptorOf(folder.m_handle), LOCK_EX | LOCK_NB); }) == 0) {
        return folder;
    }
    switch (errno) {
        case EWOULDBLOCK:
            return std::nullopt;
        // A file system that cannot lock a folder (NFS emulates flock with byte-range locks,
        // which a read-only descriptor may not take) lets the build go on without a lock rather
        // than refuse every build there.
        case ENOLCK:
        case EOPNOTSUPP:
        case EBADF:
            return folder;
        default:
            throw StandardError::FromErrno("lock", path, errno);
    }
}

std::optional<Folder::Entry> Folder::Find(const std::string& name) const {
    struct stat status {};
    if (::fstatat(DescriptorOf(m_handle), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return std::nullopt;
    }
    return Entry{IdOf(status), status.st_size, S_ISDIR(status.st_mode)};
}

File Folder::OpenForReading(const std::string& name) const {
    std::string path = PathOf(name);
    return File(OpenRegular(DescriptorOf(m_handle), name, path, O_NOFOLLOW), path);
}

File Folder::CreateNew(const std::string& name) {
    std::string path = PathOf(name);
    // O_EXCL: never a file that was there, nor one a link leads to.
    int descriptor = ::openat(DescriptorOf(m_handle), name.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        int error = errno;
        std::optional<Entry> there = error == EEXIST ? Find(name) : std::nullopt;
        throw StandardError::FromErrno("create", path, there && there->folder ? EISDIR : error);
    }
    return File(descriptor, path);
}

void Folder::Remove(const std::string& name) {
    if (::unlinkat(DescriptorOf(m_handle), name.c_str(), 0) != 0) {
        throw StandardError::FromErrno("remove", PathOf(name), errno);
    }
}

void Folder::Rename(const std::string& from, const std::string& to) {
    int folder = DescriptorOf(m_handle);
    if (::renameat(folder, from.c_str(), folder, to.c_str()) != 0) {
        throw StandardError::FromErrno("rename", PathOf(from) + " to " + to, errno);
    }
}

void Folder::Sync() {
    if (::fsync(DescriptorOf(m_handle)) != 0 && errno != EINVAL && errno != ENOTSUP) {
        throw StandardError::FromErrno("flush", m_path, errno);
    }
}

bool MakeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) == 0) {
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    throw StandardError::FromErrno("create folder", path, errno);
}

void CloseQuietly(NativeHandle handle) {
    if (handle != kNoHandle) {
        ::close(static_cast<int>(handle));
    }
}

}  // namespace zv
