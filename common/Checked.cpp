#include "common/Checked.h"

#include <limits>

#include "common/StandardError.h"

namespace zv {

namespace {

// Every product, sum and difference of two 32-bit values fits 64 bits: only the range is left.
template <typename T>
T InRange(long long a, char op, long long b, long long result, const std::string& what) {
    if (result < std::numeric_limits<T>::min() || result > std::numeric_limits<T>::max()) {
        throw StandardError("Overflow: " + what + " (" + std::to_string(a) + " " + op + " " +
                            std::to_string(b) + ") is outside " +
                            std::to_string(std::numeric_limits<T>::min()) + " to " +
                            std::to_string(std::numeric_limits<T>::max()));
    }
    return static_cast<T>(result);
}

}  // namespace

std::int16_t CheckedMultiply16(std::int16_t a, std::int16_t b, const std::string& what) {
    return InRange<std::int16_t>(a, '*', b, a * b, what);
}

std::int16_t CheckedAdd16(std::int16_t a, std::int16_t b, const std::string& what) {
    return InRange<std::int16_t>(a, '+', b, a + b, what);
}

std::int32_t CheckedMultiply32(std::int32_t a, std::int32_t b, const std::string& what) {
    return InRange<std::int32_t>(a, '*', b, static_cast<long long>(a) * b, what);
}

std::int32_t CheckedAdd32(std::int32_t a, std::int32_t b, const std::string& what) {
    return InRange<std::int32_t>(a, '+', b, static_cast<long long>(a) + b, what);
}

std::int32_t CheckedSubtract32(std::int32_t a, std::int32_t b, const std::string& what) {
    return InRange<std::int32_t>(a, '-', b, static_cast<long long>(a) - b, what);
}

}  // namespace zv
