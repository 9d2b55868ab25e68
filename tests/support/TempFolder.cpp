#include "tests/support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <stdexcept>

#include "common/System.h"

#ifndef _WIN32
#include <linux/magic.h>
#include <sys/vfs.h>

#include <cstdlib>
#endif

namespace zv::test {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
// The user's temporary folder lies on a disk.
std::string TempRoot() {
    std::u8string path = fs::temp_directory_path().u8string();
    std::string root(path.begin(), path.end());
    while (!root.empty() && root.back() == kPathSeparator) {
        root.pop_back();
    }
    return root;
}
#else
std::string TempRoot() {
    const char* folder = std::getenv("TMPDIR");
    struct statfs status {};
    bool onDisk = folder != nullptr && ::statfs(folder, &status) == 0 &&
                  status.f_type != TMPFS_MAGIC && status.f_type != RAMFS_MAGIC;
    return onDisk ? folder : "/var/tmp";
}
#endif

}  // namespace

TempFolder::TempFolder()
    : m_path(TempRoot() + kPathSeparator + "zeveduz-" + std::to_string(std::random_device()())) {
    if (!fs::create_directory(fs::path(std::u8string(m_path.begin(), m_path.end())))) {
        throw std::runtime_error("cannot make " + m_path + ": it is there already");
    }
}

TempFolder::~TempFolder() {
    fs::path folder(std::u8string(m_path.begin(), m_path.end()));
    std::error_code ignored;
    // A test may take permissions away: give them back, so that everything can go.
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (const auto& entry : fs::recursive_directory_iterator(folder, ignored)) {
        fs::permissions(entry.path(), fs::perms::owner_all,
                        fs::perm_options::add | fs::perm_options::nofollow, ignored);
    }
    fs::remove_all(folder, ignored);
}

std::string TempFolder::operator/(std::string name) const {
    std::replace(name.begin(), name.end(), '/', kPathSeparator);
    return m_path + kPathSeparator + name;
}

}  // namespace zv::test
