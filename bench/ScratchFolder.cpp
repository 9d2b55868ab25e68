#include "bench/ScratchFolder.h"

#include <linux/magic.h>
#include <sys/vfs.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace zv::bench {

namespace {

bool InMemory(const std::string& folder) {
    struct statfs status {};
    return ::statfs(folder.c_str(), &status) != 0 || status.f_type == TMPFS_MAGIC ||
           status.f_type == RAMFS_MAGIC;
}

std::string DiskTemporaryFolder() {
    const char* fromEnvironment = std::getenv("TMPDIR");
    if (fromEnvironment != nullptr && *fromEnvironment != '\0' && !InMemory(fromEnvironment)) {
        return fromEnvironment;
    }
    return "/var/tmp";
}

}  // namespace

ScratchFolder::ScratchFolder() {
    std::string pattern = DiskTemporaryFolder() + "/zeveduz-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed for " + pattern);
    }
    m_path = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string ScratchFolder::operator/(const std::string& name) const {
    return m_path + "/" + name;
}

}  // namespace zv::bench
