#pragma once

#include <string>

namespace zv::test {

// A fresh folder on a real disk, removed with all it holds at the end: TMPDIR unless that lies in
// memory, else /var/tmp. A folder in memory would time RAM copies instead of the disk.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::string& Path() const { return m_path; }
    // Path() + "/" + name.
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

}  // namespace zv::test
