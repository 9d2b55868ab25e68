#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zv::test {

// Byte i of a test recording, (i * 7 + i / 251) mod 256: no short period, so a copy that starts
// a byte early or late does not match.
unsigned char PatternByte(std::int64_t i);
// Bytes first to first + count - 1 of the pattern.
std::vector<unsigned char> PatternBytes(std::int64_t first, std::int64_t count);

std::int64_t FileLength(const std::string& path);
// True when every byte of the file is zero. Reads only the parts that hold data: holes are zeros.
bool IsAllZeros(const std::string& path);
// Every entry below `folder` but `skipped` (a name in `folder`) and what it holds: relative path to
// "folder", "pipe" or "<length> <modification time in ns>". A write shows in the time.
std::map<std::string, std::string> ListFolder(const std::string& folder,
                                              const std::string& skipped = "");

}  // namespace zv::test
