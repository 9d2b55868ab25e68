#include "preview/ConvHex.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(ConvHexTest, GivesTheValueOfOneUpperCaseDigit) {
    const struct {
        const char* text;
        std::int16_t value;
    } cases[] = {
        {"0", 0},  {"7", 7}, {"9", 9}, {"A", 10}, {"C", 12}, {"F", 15}, {"c", 0},  {"f", 0},
        {"0A", 0}, {"", 0},  {"G", 0}, {" 7", 0}, {"7 ", 0}, {"-1", 0}, {"10", 0}, {"FF", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConvHex(c.text), c.value) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace zv
