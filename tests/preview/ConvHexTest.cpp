#include "preview/ConvHex.h"

#include <gtest/gtest.h>

#include <cstdio>

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

TEST(ConvHexTest, TwoDigitsOfAByteAreItsHighAndLowHalves) {
    for (int byte = 0; byte < 256; ++byte) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        EXPECT_EQ(ConvHex(std::string_view(digits, 1)), byte >> 4) << digits;
        EXPECT_EQ(ConvHex(std::string_view(digits + 1, 1)), byte & 0x0F) << digits;
    }
}

}  // namespace
}  // namespace zv
