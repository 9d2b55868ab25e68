#pragma once

#include <string>

namespace zv {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The folder of the running program's executable as the system spells it, without a trailing
// separator: bytes on Linux, UTF-8 on Windows. Throws StandardError when the system cannot tell.
std::string ExecutableFolder();

}  // namespace zv
