#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zv::test {

// A fresh folder below the system's temporary folder, removed with all it holds at the end.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::string& Path() const { return m_path; }
    // Path() + "/" + name.
    std::string operator/(const std::string& name) const;

private:
    std::string m_path;
};

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadBytes(const std::string& path);
// A file of `length` bytes that takes no room on disk: all zeros.
void MakeSparseFile(const std::string& path, std::int64_t length);
bool PathExists(const std::string& path);

}  // namespace zv::test
