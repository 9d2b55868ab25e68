#include "common/Checked.h"

#include <limits>

#include "common/StandardError.h"

namespace zv {

namespace {

template <typename T>
[[noreturn]] void ThrowOverflow(const std::string& what, long long a, char op, long long b) {
    throw StandardError("Overflow: " + what + " (" + std::to_string(a) + " " + op + " " +
                        std::to_string(b) + ") is outside " +
                        std::to_string(std::numeric_limits<T>::min()) + " to " +
                        std::to_string(std::numeric_limits<T>::max()));
}

template <typename T>
T Multiply(T a, T b, const std::string& what) {
    T result;
    if (__builtin_mul_overflow(a, b, &result)) {
        ThrowOverflow<T>(what, a, '*', b);
    }
    return result;
}

template <typename T>
T Add(T a, T b, const std::string& what) {
    T result;
    if (__builtin_add_overflow(a, b, &result)) {
        ThrowOverflow<T>(what, a, '+', b);
    }
    return result;
}

}  // namespace

std::int16_t CheckedMultiply16(std::int16_t a, std::int16_t b, const std::string& what) {
    return Multiply(a, b, what);
}

std::int16_t CheckedAdd16(std::int16_t a, std::int16_t b, const std::string& what) {
    return Add(a, b, what);
}

std::int32_t CheckedMultiply32(std::int32_t a, std::int32_t b, const std::string& what) {
    return Multiply(a, b, what);
}

std::int32_t CheckedAdd32(std::int32_t a, std::int32_t b, const std::string& what) {
    return Add(a, b, what);
}

std::int32_t CheckedSubtract32(std::int32_t a, std::int32_t b, const std::string& what) {
    std::int32_t result;
    if (__builtin_sub_overflow(a, b, &result)) {
        ThrowOverflow<std::int32_t>(what, a, '-', b);
    }
    return result;
}

}  // namespace zv
