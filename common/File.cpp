#include "common/File.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "common/StandardError.h"

namespace zv {

namespace {

constexpr std::size_t kZeroChunkBytes = 1 << 16;
constexpr char kZeroChunk[kZeroChunkBytes] = {};

// A name with a NUL in it names no file: the system would see only the part before the NUL.
const char* SystemPath(const std::string& path, const char* action) {
    if (path.find('\0') != std::string::npos) {
        throw StandardError::FromErrno(action, path, ENOENT);
    }
    return path.c_str();
}

// O_NONBLOCK: a pipe in place of a file must not wait for a writer.
int OpenDescriptor(const std::string& path, int flags, const char* action) {
    int descriptor = ::open(SystemPath(path, action), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        throw StandardError::FromErrno(action, path, errno);
    }
    return descriptor;
}

// Reads and writes of a file that opened wait for the disk as usual.
void WaitForData(int descriptor, const std::string& path, const char* action) {
    int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        throw StandardError::FromErrno(action, path, errno);
    }
}

}  // namespace

File::File(int descriptor, std::string path) : m_descriptor(descriptor), m_path(std::move(path)) {}

File File::OpenForReading(const std::string& path) {
    File file(OpenDescriptor(path, O_RDONLY, "open"), path);
    struct stat status {};
    if (::fstat(file.m_descriptor, &status) != 0) {
        throw StandardError::FromErrno("open", path, errno);
    }
    if (S_ISDIR(status.st_mode)) {
        throw StandardError::FromErrno("read", path, EISDIR);
    }
    if (!S_ISREG(status.st_mode)) {
        throw StandardError("Cannot read " + path + ": Not a regular file");
    }
    WaitForData(file.m_descriptor, path, "open");
    return file;
}

File File::OpenForWriting(const std::string& path) {
    File file(OpenDescriptor(path, O_WRONLY | O_CREAT, "create"), path);
    WaitForData(file.m_descriptor, path, "create");
    return file;
}

File File::OpenFolder(const std::string& path) {
    return File(OpenDescriptor(path, O_RDONLY | O_DIRECTORY, "open folder"), path);
}

File::File(File&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)), m_path(std::move(other.m_path)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_path = std::move(other.m_path);
    }
    return *this;
}

File::~File() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
    }
}

std::size_t File::Read(void* buffer, std::size_t count) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        ssize_t got = ::read(m_descriptor, bytes + done, count - done);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw StandardError::FromErrno("read", m_path, errno);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void File::Write(const void* buffer, std::size_t count) {
    const auto* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        ssize_t put = ::write(m_descriptor, bytes, count);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw StandardError::FromErrno("write", m_path, errno);
        }
        bytes += put;
        count -= static_cast<std::size_t>(put);
    }
}

void File::WriteZeros(std::size_t count) {
    while (count > 0) {
        std::size_t chunk = std::min(count, kZeroChunkBytes);
        Write(kZeroChunk, chunk);
        count -= chunk;
    }
}

void File::WriteAt(const void* buffer, std::size_t count, off_t offset) {
    const auto* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        ssize_t put = ::pwrite(m_descriptor, bytes, count, offset);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw StandardError::FromErrno("write", m_path, errno);
        }
        bytes += put;
        offset += put;
        count -= static_cast<std::size_t>(put);
    }
}

void File::Empty() {
    struct stat status {};
    if (::fstat(m_descriptor, &status) != 0) {
        throw StandardError::FromErrno("write", m_path, errno);
    }
    if (S_ISREG(status.st_mode) && ::ftruncate(m_descriptor, 0) != 0) {
        throw StandardError::FromErrno("write", m_path, errno);
    }
}

std::int64_t File::Size() const {
    struct stat status {};
    if (::fstat(m_descriptor, &status) != 0) {
        throw StandardError::FromErrno("measure", m_path, errno);
    }
    return status.st_size;
}

FileId File::Id() const {
    struct stat status {};
    if (::fstat(m_descriptor, &status) != 0) {
        throw StandardError::FromErrno("open", m_path, errno);
    }
    return {status.st_dev, status.st_ino};
}

bool File::TryLock() {
    while (::flock(m_descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            return false;
        }
        if (errno != EINTR) {
            throw StandardError::FromErrno("lock", m_path, errno);
        }
    }
    return true;
}

void File::Sync() {
    if (::fsync(m_descriptor) != 0) {
        throw StandardError::FromErrno("flush", m_path, errno);
    }
}

void File::StartWriteBack() {
    if (::sync_file_range(m_descriptor, 0, 0, SYNC_FILE_RANGE_WRITE) != 0) {
        throw StandardError::FromErrno("flush", m_path, errno);
    }
}

void File::Close() {
    int descriptor = std::exchange(m_descriptor, -1);
    if (descriptor >= 0 && ::close(descriptor) != 0) {
        throw StandardError::FromErrno("close", m_path, errno);
    }
}

std::int64_t LengthOf(const std::string& path) {
    struct stat status {};
    if (::stat(SystemPath(path, "measure"), &status) != 0) {
        throw StandardError::FromErrno("measure", path, errno);
    }
    return status.st_size;
}

std::optional<FileId> IdOf(const std::string& path) {
    struct stat status {};
    if (path.find('\0') != std::string::npos || ::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FileId{status.st_dev, status.st_ino};
}

bool Exists(const std::string& path) {
    struct stat status {};
    return path.find('\0') == std::string::npos && ::lstat(path.c_str(), &status) == 0;
}

void MakeFolder(const std::string& path) {
    if (::mkdir(SystemPath(path, "create folder"), 0777) != 0) {
        throw StandardError::FromErrno("create folder", path, errno);
    }
}

void RemoveFile(const std::string& path) {
    if (::unlink(SystemPath(path, "remove")) != 0) {
        throw StandardError::FromErrno("remove", path, errno);
    }
}

}  // namespace zv
