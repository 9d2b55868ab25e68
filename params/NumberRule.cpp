#include "params/NumberRule.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>

#include "common/StandardError.h"

namespace zv {

namespace {

constexpr int kBackspace = 8;

std::size_t SkipDigits(const std::string& text, std::size_t at) {
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        ++at;
    }
    return at;
}

// For a decimal number too far from 1 for a double: true when it is too large, false when it is
// too close to zero. What counts is the power of ten of its first non-zero digit.
bool IsTooLarge(const std::string& text) {
    constexpr std::int64_t kExponentLimit = std::int64_t{1} << 40;
    std::size_t at = text[0] == '+' || text[0] == '-' ? 1 : 0;
    std::int64_t power = static_cast<std::int64_t>(SkipDigits(text, at) - at) - 1;
    for (; at < text.size() && (text[at] == '0' || text[at] == '.'); ++at) {
        power -= text[at] == '0' ? 1 : 0;
    }
    at = text.find_first_of("eE", at);
    std::int64_t exponent = 0;
    if (at != std::string::npos) {
        bool negative = text[at + 1] == '-';
        at += text[at + 1] == '-' || text[at + 1] == '+' ? 2 : 1;
        for (; at < text.size(); ++at) {
            exponent = std::min(exponent * 10 + (text[at] - '0'), kExponentLimit);
        }
        exponent = negative ? -exponent : exponent;
    }
    return power + exponent >= 0;
}

[[noreturn]] void ThrowOutOfRange(const std::string& text, const std::string& boxName) {
    throw StandardError("Overflow: " + boxName + " \"" + text + "\" is outside 0 to 32767");
}

// Blanks around a number are no part of it, as the system's own number reading has it.
std::string Trimmed(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::int16_t NumberFromText(const std::string& boxText, const std::string& boxName) {
    if (boxText.empty()) {
        return 0;
    }
    const std::string text = Trimmed(boxText);
    // from_chars reads a decimal number as strtod does in any locale, but for a leading '+'. Hex,
    // "inf" and "nan" are no numbers to the program.
    const char* first = text.data() + (text.starts_with('+') ? 1 : 0);
    const char* last = text.data() + text.size();
    double value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::invalid_argument || end != last || text.starts_with("+-") ||
        text.find_first_not_of("0123456789+-.eE") != std::string::npos) {
        throw StandardError("Type mismatch: " + boxName + " \"" + boxText + "\" is not a number");
    }
    bool negative = text[0] == '-';
    if (error == std::errc::result_out_of_range) {
        // Too small to represent rounds toward zero; too large cannot be stored.
        if (IsTooLarge(text)) {
            ThrowOutOfRange(boxText, boxName);
        }
        value = negative ? -std::numeric_limits<double>::denorm_min() : 0.0;
    }
    double whole = std::floor(value);
    if (whole < 0 || whole > std::numeric_limits<std::int16_t>::max()) {
        ThrowOutOfRange(boxText, boxName);
    }
    return static_cast<std::int16_t>(whole);
}

int FilterKey(int code) {
    bool passes = (code >= '0' && code <= '9') || code == kBackspace;
    return passes ? code : 0;
}

}  // namespace zv
