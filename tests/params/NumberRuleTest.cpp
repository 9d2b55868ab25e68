#include "params/NumberRule.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

using NumberRuleTest = MovieMakerFixture;

// Typed or pasted into either offset box: the value the rule gives, or the stop box naming the
// box and the text, with the value kept. The other box's value is never touched.
TEST_F(NumberRuleTest, BoxTextGivesTheRulesValueOrTheStopBox) {
    EXPECT_EQ(m_maker.Values().SkewBytes, 46);
    EXPECT_EQ(m_maker.Values().UpLines, 13);
    enum Failure { kNone, kMismatch, kOverflow };
    const struct {
        const char* text;
        std::int16_t value;
        Failure failure;
    } cases[] = {
        {"", 0, kNone},          {"0", 0, kNone},          {"007", 7, kNone},
        {"999", 999, kNone},     {"1e2", 100, kNone},      {"1E2", 100, kNone},
        {"1.9", 1, kNone},       {"+1", 1, kNone},         {"-0", 0, kNone},
        {".5", 0, kNone},        {"1.", 1, kNone},         {"99.", 99, kNone},
        {"1e-999", 0, kNone},    {"32767", 32'767, kNone}, {"3.2e4", 32'000, kNone},
        {"nan", 0, kMismatch},   {"inf", 0, kMismatch},    {"0x1", 0, kMismatch},
        {" 1", 0, kMismatch},    {"1 ", 0, kMismatch},     {"abc", 0, kMismatch},
        {"1,5", 0, kMismatch},   {".", 0, kMismatch},      {"e2", 0, kMismatch},
        {"1e", 0, kMismatch},    {"--1", 0, kMismatch},    {"-1", 0, kOverflow},
        {"-0.5", 0, kOverflow},  {"1e5", 0, kOverflow},    {"32768", 0, kOverflow},
        {"1e999", 0, kOverflow},
    };
    constexpr std::int16_t kBefore = 123;
    for (Box box : {Box::Skew, Box::UpDown}) {
        std::string name = box == Box::Skew ? "Skew" : "Up";
        std::int16_t& changed =
            box == Box::Skew ? m_maker.Values().SkewBytes : m_maker.Values().UpLines;
        std::int16_t& other =
            box == Box::Skew ? m_maker.Values().UpLines : m_maker.Values().SkewBytes;
        for (const auto& c : cases) {
            SCOPED_TRACE(name + " \"" + c.text + "\"");
            m_window.Reset();
            changed = kBefore;
            other = kBefore;
            m_window.boxes[box] = c.text;
            box == Box::Skew ? m_maker.Skew_Change() : m_maker.UpDown_Change();
            EXPECT_EQ(other, kBefore);
            if (c.failure == kNone) {
                EXPECT_EQ(changed, c.value);
                EXPECT_TRUE(m_window.events.empty());
                continue;
            }
            EXPECT_EQ(changed, kBefore);
            std::string quoted = name + " \"" + c.text + "\"";
            EXPECT_EQ(
                m_window.events,
                (std::vector<std::string>{
                    c.failure == kMismatch
                        ? "message 16 ZE Veduz: Type mismatch: " + quoted + " is not a number"
                        : "message 16 ZE Veduz: Overflow: " + quoted + " is outside 0 to 32767",
                    "end"}));
        }
    }
}

TEST(KeyFilterTest, PassesDigitsAndBackspaceOnly) {
    const struct {
        int code;
        int result;
    } cases[] = {
        {'0', '0'}, {'9', '9'}, {8, 8},  {'a', 0}, {' ', 0}, {'-', 0}, {'+', 0},
        {'.', 0},   {13, 0},    {22, 0}, {127, 0}, {'/', 0}, {':', 0}, {0x660, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FilterKey(c.code), c.result) << "code " << c.code;
    }
    int passing = 0;
    for (int code = 0; code < 256; ++code) {
        passing += FilterKey(code) != 0 ? 1 : 0;
    }
    EXPECT_EQ(passing, 11);
}

}  // namespace
}  // namespace zv::test
