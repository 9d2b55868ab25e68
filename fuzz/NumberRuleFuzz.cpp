#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>

#include "common/StandardError.h"
#include "params/NumberRule.h"

namespace {

// The rule worked out another way: the C library's reading of a decimal number, rounded down.
// Empty for a text the rule must refuse.
std::optional<int> ModelValue(const std::string& text) {
    static const std::regex kDecimal(
        "[ \t]*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?[ \t]*");
    if (text.empty()) {
        return 0;
    }
    if (!std::regex_match(text, kDecimal)) {
        return std::nullopt;
    }
    static const locale_t kC = ::newlocale(LC_ALL_MASK, "C", nullptr);
    errno = 0;
    double value = ::strtod_l(text.c_str(), nullptr, kC);
    if (errno == ERANGE && std::abs(value) < 1) {
        value = text.find('-') < text.find_first_of("0123456789.")
                    ? -0.5
                    : 0.0;  // too close to zero: rounds down to -1 or 0
    }
    double whole = std::floor(value);
    return whole >= 0 && whole <= 32'767 ? std::optional<int>(static_cast<int>(whole))
                                         : std::nullopt;
}

}  // namespace

// Any text a paste can bring, and longer: the value the model gives, or a StandardError where it
// gives none. Each character as a typed key: digits and backspace pass, all else is swallowed.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::optional<int> value;
    try {
        value = zv::NumberFromText(text, "Skew");
    } catch (const zv::StandardError&) {
    }
    if (value != ModelValue(text)) {
        std::abort();
    }
    for (unsigned char typed : text) {
        bool passes = (typed >= '0' && typed <= '9') || typed == 8;
        if (zv::FilterKey(typed) != (passes ? typed : 0)) {
            std::abort();
        }
    }
    return 0;
}
