#include "tests/support/TempFolder.h"

#include <linux/magic.h>
#include <sys/vfs.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace zv::test {

TempFolder::TempFolder() {
    const char* folder = std::getenv("TMPDIR");
    struct statfs status {};
    bool onDisk = folder != nullptr && ::statfs(folder, &status) == 0 &&
                  status.f_type != TMPFS_MAGIC && status.f_type != RAMFS_MAGIC;
    std::string pattern = std::string(onDisk ? folder : "/var/tmp") + "/zeveduz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a folder like " + pattern);
    }
    m_path = pattern;
}

TempFolder::~TempFolder() {
    namespace fs = std::filesystem;
    std::error_code ignored;
    // A test may take permissions away: give them back, so that everything can go.
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (const auto& entry : fs::recursive_directory_iterator(m_path, ignored)) {
        fs::permissions(entry.path(), fs::perms::owner_all,
                        fs::perm_options::add | fs::perm_options::nofollow, ignored);
    }
    fs::remove_all(m_path, ignored);
}

}  // namespace zv::test
