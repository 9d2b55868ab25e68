#include "params/NumberRule.h"

#include <gtest/gtest.h>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

using NumberRuleTest = MovieMakerFixture;

// Typed or pasted into either offset box: the value the rule gives, or the stop box naming the
// box and the text, with the value kept. The other box's value is never touched.
TEST_F(NumberRuleTest, BoxTextGivesTheRulesValueOrTheStopBox) {
    enum Failure { kNone, kMismatch, kOverflow };
    // Digits beyond a double's range that an exponent brings back, or not.
    const std::string ten = "1" + std::string(400, '0') + "e-399";
    const std::string tooLarge = "1" + std::string(400, '0') + "e-1";
    const struct {
        std::string text;
        std::int16_t value;
        Failure failure;
    } cases[] = {
        {"", 0, kNone},          {"0", 0, kNone},           {"007", 7, kNone},
        {"999", 999, kNone},     {"1e2", 100, kNone},       {"1E2", 100, kNone},
        {"1.9", 1, kNone},       {"+1", 1, kNone},          {"-0", 0, kNone},
        {".5", 0, kNone},        {"99.", 99, kNone},        {"1e-999", 0, kNone},
        {"32767", 32767, kNone}, {"3.2e4", 32000, kNone},   {ten, 10, kNone},
        {"nan", 0, kMismatch},   {"inf", 0, kMismatch},     {"0x1", 0, kMismatch},
        {"1,5", 0, kMismatch},   {"5 5", 0, kMismatch},     {"   ", 0, kMismatch},
        {".", 0, kMismatch},     {"e2", 0, kMismatch},      {"1e", 0, kMismatch},
        {"--1", 0, kMismatch},   {"-1", 0, kOverflow},      {"-0.5", 0, kOverflow},
        {"1e5", 0, kOverflow},   {"-1e-999", 0, kOverflow}, {"32768", 0, kOverflow},
        {"1e999", 0, kOverflow}, {tooLarge, 0, kOverflow},  {" 5", 5, kNone},
        {"5 ", 5, kNone},        {" 5 ", 5, kNone},         {"\t5", 5, kNone},
        {"- 5", 0, kMismatch},
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
            EXPECT_EQ(changed, c.failure == kNone ? c.value : kBefore);
            std::string quoted = name + " \"" + c.text + "\"";
            EXPECT_EQ(StopBoxText(), c.failure == kNone ? ""
                                     : c.failure == kMismatch
                                         ? "Type mismatch: " + quoted + " is not a number"
                                         : "Overflow: " + quoted + " is outside 0 to 32767");
        }
    }
}

}  // namespace
}  // namespace zv::test
