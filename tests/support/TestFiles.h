#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zv::test {

// Bytes `first` to `first + count - 1` of a test recording whose byte i is (i * 7 + i / 251)
// mod 256: no short period, so a copy that starts a byte early or late does not match.
std::vector<unsigned char> PatternBytes(std::int64_t first, std::int64_t count);

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadBytes(const std::string& path);
std::string ReadText(const std::string& path);
// A file of `length` zero bytes that takes no room on disk.
void MakeSparseFile(const std::string& path, std::int64_t length);
// True when every byte is zero.
bool IsAllZeros(const std::string& path);
// Every entry below `folder`: its relative path, and "folder" or "<length> <modification time
// in ns>", so that any write shows.
std::map<std::string, std::string> ListFolder(const std::string& folder);

}  // namespace zv::test
