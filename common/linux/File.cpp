// Linux only: the Windows counterpart is common/win32/File.cpp.
#include "common/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/StandardError.h"
#include "common/linux/Descriptor.h"

namespace zv {

File File::OpenForReading(const std::string& path) {
    File file(OpenDescriptor(AT_FDCWD, path, path, O_RDONLY, "open"), path);
    CheckRegularFile(DescriptorOf(file.m_handle.Get()), path);
    WaitForData(DescriptorOf(file.m_handle.Get()), path, "open");
    return file;
}

std::size_t File::Read(void* buffer, std::size_t count) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        ssize_t got = ::read(DescriptorOf(m_handle.Get()), bytes + done, count - done);
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
        ssize_t put = ::write(DescriptorOf(m_handle.Get()), bytes, count);
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

void File::WriteAt(const void* buffer, std::size_t count, std::int64_t offset) {
    const auto* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        ssize_t put = ::pwrite(DescriptorOf(m_handle.Get()), bytes, count, offset);
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
    if (::fstat(DescriptorOf(m_handle.Get()), &status) != 0) {
        throw StandardError::FromErrno("measure", m_path, errno);
    }
    return status.st_size;
}

FileId File::Id() const {
    std::optional<FileId> id = IdAt(DescriptorOf(m_handle.Get()), "");
    if (!id) {
        throw StandardError::FromErrno("open", m_path, errno);
    }
    return *id;
}

void File::Sync() {
    if (::fsync(DescriptorOf(m_handle.Get())) != 0) {
        throw StandardError::FromErrno("flush", m_path, errno);
    }
}

void File::StartWriteBack() {
    if (::sync_file_range(DescriptorOf(m_handle.Get()), 0, 0, SYNC_FILE_RANGE_WRITE) != 0) {
        throw StandardError::FromErrno("flush", m_path, errno);
    }
}

void File::Close() {
    NativeHandle handle = m_handle.Release();
    if (handle != kNoHandle && ::close(DescriptorOf(handle)) != 0) {
        throw StandardError::FromErrno("close", m_path, errno);
    }
}

bool MakeFolder(const std::string& path) {
    if (::mkdir(SystemName(path, "create folder", path), 0777) == 0) {
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    throw StandardError::FromErrno("create folder", path, errno);
}

}  // namespace zv
