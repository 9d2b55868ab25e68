#pragma once

#include <cstdint>
#include <string>

namespace zv {

// The size text of the file at `path`, `length` bytes long: the length in bytes below 1,024,
// otherwise in kilobytes to four places (ties to even, trailing zeros dropped, "." as the point).
// A length beyond 32 bits throws StandardError naming `path`.
std::string GetFileSize(const std::string& path, std::int64_t length);

}  // namespace zv
