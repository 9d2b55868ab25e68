#include "common/Checked.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>

#include "common/StandardError.h"

namespace zv {
namespace {

constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();

struct CheckedCase {
    const char* name;
    std::function<std::int64_t()> run;
    std::int64_t result;  // unused when it overflows
    bool overflows;
};

TEST(CheckedTest, ResultsAtTheEdgesOfTheirTypes) {
    const CheckedCase cases[] = {
        {"409 lines", [] { return CheckedMultiply16(409, 80, "up"); }, 32'720, false},
        {"410 lines", [] { return CheckedMultiply16(410, 80, "up"); }, 0, true},
        {"-409 lines", [] { return CheckedMultiply16(-409, 80, "up"); }, -32'720, false},
        {"-410 lines", [] { return CheckedMultiply16(-410, 80, "up"); }, 0, true},
        {"-32768 * -1", [] { return CheckedMultiply16(-32'768, -1, "up"); }, 0, true},
        {"track 32766 + 1", [] { return CheckedAdd16(32'766, 1, "track"); }, 32'767, false},
        {"track 32767 + 1", [] { return CheckedAdd16(32'767, 1, "track"); }, 0, true},
        {"-32768 + -1", [] { return CheckedAdd16(-32'768, -1, "track"); }, 0, true},
        {"largest total", [] { return CheckedMultiply32(2'147'483, 1'000, "kb"); }, 2'147'483'000,
         false},
        {"total too large", [] { return CheckedMultiply32(2'147'484, 1'000, "kb"); }, 0, true},
        {"add to max", [] { return CheckedAdd32(kMax32 - 1, 1, "kb"); }, kMax32, false},
        {"add past max", [] { return CheckedAdd32(kMax32, 1, "kb"); }, 0, true},
        {"filler of largest total",
         [] { return CheckedSubtract32(315'000'000, 2'147'483'000, "filler"); }, -1'832'483'000,
         false},
        {"below min", [] { return CheckedSubtract32(kMin32, 1, "filler"); }, 0, true},
        {"above max", [] { return CheckedSubtract32(0, kMin32, "filler"); }, 0, true},
    };
    for (const CheckedCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.overflows) {
            EXPECT_THROW(c.run(), StandardError);
        } else {
            EXPECT_EQ(c.run(), c.result);
        }
    }
}

}  // namespace
}  // namespace zv
