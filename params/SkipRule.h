#pragma once

#include <cstdint>

#include "params/Parameters.h"

namespace zv {

class File;

// Bytes passed over at the start of a recording: UpLines lines, then SkewBytes. UpLines * 80 is a
// 16-bit product (UpLines up to 409); a larger one throws StandardError. A negative count passes
// over nothing.
std::int64_t HeadLength(const Parameters& parameters);

// Reads and drops the head of `source`; false when the recording ends inside it.
bool SkipHead(File& source, const Parameters& parameters);

}  // namespace zv
