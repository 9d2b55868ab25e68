#pragma once

#include <string>

namespace zv {

// Asked before a file is opened, so that a missing recording or track is an answer to act on, not
// the end of the program: every failure to open it for reading, whatever its reason, is false.
bool FileExists(const std::string& path);

}  // namespace zv
