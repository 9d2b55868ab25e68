#pragma once

#include <string>

namespace zv {

// True when `path` is a regular file that can be opened for reading now. Never fails: a missing
// file, a folder, a pipe, an unreadable file or a name with a NUL in it are all false.
bool FileExists(const std::string& path);

}  // namespace zv
