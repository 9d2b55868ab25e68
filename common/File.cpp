#include "common/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "common/StandardError.h"

namespace zv {

namespace {

constexpr std::size_t kZeroChunkBytes = 1 << 20;

const char* ZeroChunk() {
    static const char* zeros = new char[kZeroChunkBytes]();
    return zeros;
}

}  // namespace

File::File(int descriptor, std::string path) : m_descriptor(descriptor), m_path(std::move(path)) {}

File File::OpenForReading(const std::string& path) {
    // O_NONBLOCK: a pipe put in place of the recording must not hang the window.
    int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        throw StandardError::FromErrno("open", path, errno);
    }
    File file(descriptor, path);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        throw StandardError::FromErrno("open", path, errno);
    }
    if (S_ISDIR(status.st_mode)) {
        throw StandardError::FromErrno("read", path, EISDIR);
    }
    if (!S_ISREG(status.st_mode)) {
        throw StandardError("Cannot read " + path + ": Not a regular file");
    }
    int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        throw StandardError::FromErrno("open", path, errno);
    }
    return file;
}

File File::CreateEmpty(const std::string& path) {
    int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        throw StandardError::FromErrno("create", path, errno);
    }
    return File(descriptor, path);
}

void File::SyncPath(const std::string& path) {
    int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        throw StandardError::FromErrno("flush", path, errno);
    }
    File file(descriptor, path);
    file.Sync();
    file.Close();
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
        Write(ZeroChunk(), chunk);
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

std::int64_t File::Size() const {
    struct stat status {};
    if (::fstat(m_descriptor, &status) != 0) {
        throw StandardError::FromErrno("measure", m_path, errno);
    }
    return status.st_size;
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

}  // namespace zv
