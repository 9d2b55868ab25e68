#include "tests/support/Recordings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace zv::test {

unsigned char PatternByte(std::int64_t i) {
    return static_cast<unsigned char>(i * 7 + i / 251);
}

std::vector<unsigned char> PatternBytes(std::int64_t first, std::int64_t count) {
    std::vector<unsigned char> bytes(static_cast<std::size_t>(count));
    std::int64_t i = first;
    for (unsigned char& byte : bytes) {
        byte = PatternByte(i++);
    }
    return bytes;
}

std::int64_t FileLength(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        throw std::runtime_error("cannot measure " + path);
    }
    return status.st_size;
}

bool IsAllZeros(const std::string& path) {
    int descriptor = ::open(path.c_str(), O_RDONLY);
    if (descriptor < 0) {
        throw std::runtime_error("cannot read " + path);
    }
    off_t end = ::lseek(descriptor, 0, SEEK_END);
    std::vector<char> buffer(1 << 16);
    bool zeros = true;
    for (off_t at = ::lseek(descriptor, 0, SEEK_DATA); zeros && at >= 0 && at < end;) {
        off_t hole = ::lseek(descriptor, at, SEEK_HOLE);
        while (zeros && at < hole) {
            auto want = static_cast<std::size_t>(std::min<off_t>(hole - at, buffer.size()));
            ssize_t got = ::pread(descriptor, buffer.data(), want, at);
            if (got <= 0) {
                ::close(descriptor);
                throw std::runtime_error("cannot read " + path);
            }
            zeros =
                std::all_of(buffer.begin(), buffer.begin() + got, [](char c) { return c == 0; });
            at += got;
        }
        at = ::lseek(descriptor, at, SEEK_DATA);
    }
    ::close(descriptor);
    return zeros;
}

std::map<std::string, std::string> ListFolder(const std::string& folder,
                                              const std::string& skipped) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    for (auto walk = fs::recursive_directory_iterator(folder); walk != fs::end(walk); ++walk) {
        std::string name = fs::relative(walk->path(), folder).string();
        struct stat status {};
        ::lstat(walk->path().c_str(), &status);
        if (name == skipped) {
            walk.disable_recursion_pending();
        } else if (S_ISDIR(status.st_mode)) {
            entries[name] = "folder";
        } else if (S_ISFIFO(status.st_mode)) {
            entries[name] = "pipe";
        } else {
            entries[name] = std::to_string(status.st_size) + " " +
                            std::to_string(status.st_mtim.tv_sec) + "." +
                            std::to_string(status.st_mtim.tv_nsec);
        }
    }
    return entries;
}

}  // namespace zv::test
