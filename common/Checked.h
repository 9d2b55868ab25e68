#pragma once

#include <cstdint>
#include <string>

namespace zv {

// Arithmetic on the program's 16- and 32-bit values: a result outside the type's range throws
// StandardError naming `what`, never wraps around.
std::int16_t CheckedMultiply16(std::int16_t a, std::int16_t b, const std::string& what);
std::int16_t CheckedAdd16(std::int16_t a, std::int16_t b, const std::string& what);
std::int32_t CheckedMultiply32(std::int32_t a, std::int32_t b, const std::string& what);
std::int32_t CheckedAdd32(std::int32_t a, std::int32_t b, const std::string& what);
std::int32_t CheckedSubtract32(std::int32_t a, std::int32_t b, const std::string& what);

}  // namespace zv
