#include "common/linux/Descriptor.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>

#include "common/StandardError.h"

namespace zv {

const char* SystemName(const std::string& name, const char* action, const std::string& path) {
    if (name.find('\0') != std::string::npos) {
        throw StandardError::FromErrno(action, path, ENOENT);
    }
    return name.c_str();
}

int OpenDescriptor(int folder, const std::string& name, const std::string& path, int flags,
                   const char* action) {
    // O_NONBLOCK: a pipe in place of a file must not wait for a writer.
    int descriptor =
        ::openat(folder, SystemName(name, action, path), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        throw StandardError::FromErrno(action, path, errno);
    }
    return descriptor;
}

void CheckRegularFile(int descriptor, const std::string& path) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        throw StandardError::FromErrno("open", path, errno);
    }
    if (S_ISDIR(status.st_mode)) {
        throw StandardError::FromErrno("read", path, EISDIR);
    }
    if (!S_ISREG(status.st_mode)) {
        throw StandardError::Cannot("read", path, "Not a regular file");
    }
}

void WaitForData(int descriptor, const std::string& path, const char* action) {
    int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        throw StandardError::FromErrno(action, path, errno);
    }
}

std::optional<struct statx> StatusAt(int folder, const std::string& name) {
    struct statx status {};
    int flags = AT_SYMLINK_NOFOLLOW | (name.empty() ? AT_EMPTY_PATH : 0);
    if (name.find('\0') != std::string::npos ||
        ::statx(folder, name.c_str(), flags, STATX_TYPE | STATX_INO | STATX_BTIME, &status) != 0) {
        return std::nullopt;
    }
    return status;
}

namespace {

// ext4, XFS and btrfs give every new inode a generation of its own, also one that takes a freed
// inode's number; 0 where the file system keeps none.
std::uint64_t GenerationOf(int descriptor) {
    long generation = 0;
    if (::ioctl(descriptor, FS_IOC_GETVERSION, &generation) != 0) {
        return 0;
    }
    return static_cast<std::uint32_t>(generation);
}

// The generation of a regular file by its name: asked through a descriptor, which a file that
// cannot be read does not give.
std::uint64_t GenerationAt(int folder, const std::string& name, std::uint64_t inode) {
    int descriptor =
        ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        return 0;
    }
    struct stat status {};
    std::uint64_t generation = 0;
    if (::fstat(descriptor, &status) == 0 && status.st_ino == inode) {
        generation = GenerationOf(descriptor);
    }
    ::close(descriptor);
    return generation;
}

}  // namespace

std::optional<FileId> IdAt(int folder, const std::string& name) {
    std::optional<struct statx> status = StatusAt(folder, name);
    if (!status) {
        return std::nullopt;
    }
    std::uint64_t birth = 0;
    if ((status->stx_mask & STATX_BTIME) != 0) {
        birth = static_cast<std::uint64_t>(status->stx_btime.tv_sec) * 1'000'000'000 +
                status->stx_btime.tv_nsec;
    }
    std::uint64_t generation = 0;
    if (name.empty()) {
        generation = GenerationOf(folder);
    } else if (S_ISREG(status->stx_mode)) {
        generation = GenerationAt(folder, name, status->stx_ino);
    }
    return FileId{::makedev(status->stx_dev_major, status->stx_dev_minor), status->stx_ino,
                  birth ^ (generation << 32)};
}

void CloseQuietly(NativeHandle handle) {
    if (handle != kNoHandle) {
        ::close(static_cast<int>(handle));
    }
}

}  // namespace zv
