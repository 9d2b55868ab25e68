#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/StandardError.h"
#include "params/NumberRule.h"

namespace {

// The offset boxes hold at most three characters.
constexpr std::size_t kBoxLength = 3;
constexpr int kBackspace = 8;

}  // namespace

// Any text a paste can bring: a value in 0..32767 or StandardError, nothing else. Each character
// as a typed key: digits and backspace pass unchanged, everything else is swallowed.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kBoxLength) {
        return -1;
    }
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        std::int16_t value = zv::NumberFromText(text, "Skew");
        if (value < 0 || (text.empty() && value != 0)) {
            std::abort();
        }
    } catch (const zv::StandardError&) {
        if (text.empty()) {
            std::abort();
        }
    }
    for (char typed : text) {
        int code = static_cast<unsigned char>(typed);
        int passed = zv::FilterKey(code);
        bool shouldPass = (code >= '0' && code <= '9') || code == kBackspace;
        if (passed != (shouldPass ? code : 0)) {
            std::abort();
        }
    }
    return 0;
}
