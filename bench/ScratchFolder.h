#pragma once

#include <string>

namespace zv::bench {

// A fresh folder on a real disk (TMPDIR unless that is in memory, else /var/tmp), removed with
// all it holds at the end. A folder in memory would time RAM copies, not the disk.
class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::string& Path() const { return m_path; }
    // Path() + "/" + name.
    std::string operator/(const std::string& name) const;

private:
    std::string m_path;
};

}  // namespace zv::bench
