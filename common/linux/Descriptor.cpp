#include "common/linux/Descriptor.h"

#include <fcntl.h>
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

std::optional<FileId> IdAt(int folder, const std::string& name) {
    struct statx status {};
    int flags = AT_SYMLINK_NOFOLLOW | (name.empty() ? AT_EMPTY_PATH : 0);
    if (name.find('\0') != std::string::npos ||
        ::statx(folder, name.c_str(), flags, STATX_INO | STATX_BTIME, &status) != 0) {
        return std::nullopt;
    }
    std::uint64_t birth = 0;
    if ((status.stx_mask & STATX_BTIME) != 0) {
        birth = static_cast<std::uint64_t>(status.stx_btime.tv_sec) * 1'000'000'000 +
                status.stx_btime.tv_nsec;
    }
    return FileId{::makedev(status.stx_dev_major, status.stx_dev_minor), status.stx_ino, birth};
}

void CloseQuietly(NativeHandle handle) {
    if (handle != kNoHandle) {
        ::close(static_cast<int>(handle));
    }
}

}  // namespace zv
