#pragma once

#include <string>

namespace zv::test {

// A fresh folder on a real disk, removed with all it holds at the end: TMPDIR unless that lies in
// memory, else /var/tmp; the user's temporary folder on Windows. A folder in memory would time RAM
// copies instead of the disk.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::string& Path() const { return m_path; }
    // Path(), the separator and `name`, whose "/" become the system's separator: paths as the
    // program writes them.
    std::string operator/(std::string name) const;

private:
    std::string m_path;
};

}  // namespace zv::test
