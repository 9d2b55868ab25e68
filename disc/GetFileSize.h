#pragma once

#include <cstdint>
#include <string>

namespace zv {

class File;

// The size text of a file: its length in bytes below 1,024, otherwise in kilobytes to four
// places (ties to even, trailing zeros dropped, "." as the point). A length that cannot be taken
// or does not fit 32 bits throws StandardError.
std::string GetFileSize(const File& file);

// The whole part of a size text: what a file adds to the kilobyte total.
std::int32_t WholePartOf(const std::string& sizeText);

}  // namespace zv
