#include "params/NumberRule.h"

#include <gtest/gtest.h>

#include <string>

#include "common/StandardError.h"
#include "tests/support/MovieMakerFixture.h"

namespace zv {
namespace {

TEST(NumberRuleTest, ReadsDecimalTextsRoundedDown) {
    const struct {
        const char* text;
        std::int16_t value;
    } cases[] = {
        {"", 0},           {"0", 0},     {"007", 7},  {"999", 999},  {"1e2", 100},
        {"1E2", 100},      {"1.9", 1},   {"7.9", 7},  {"-0", 0},     {"+5", 5},
        {".5", 0},         {"5.", 5},    {"1e-5", 0}, {"1e-999", 0}, {"32767", 32'767},
        {"3.2e4", 32'000}, {"409", 409},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberFromText(c.text, "Skew"), c.value) << '"' << c.text << '"';
    }
}

TEST(NumberRuleTest, RejectsWhatIsNoNumberOrOutOfRange) {
    const struct {
        const char* text;
        const char* failure;
    } cases[] = {
        {"nan", "Type mismatch"}, {"NaN", "Type mismatch"}, {"inf", "Type mismatch"},
        {"0x1", "Type mismatch"}, {" 1", "Type mismatch"},  {"1 ", "Type mismatch"},
        {"abc", "Type mismatch"}, {"1,5", "Type mismatch"}, {".", "Type mismatch"},
        {"e2", "Type mismatch"},  {"1e", "Type mismatch"},  {"--1", "Type mismatch"},
        {"-1", "Overflow"},       {"-0.5", "Overflow"},     {"1e5", "Overflow"},
        {"32768", "Overflow"},    {"9e9", "Overflow"},      {"1e999", "Overflow"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            NumberFromText(c.text, "Up");
            ADD_FAILURE() << "accepted";
        } catch (const StandardError& error) {
            std::string message = error.what();
            EXPECT_TRUE(message.starts_with(c.failure)) << message;
            EXPECT_NE(message.find("Up \"" + std::string(c.text) + "\""), std::string::npos)
                << message;
        }
    }
}

TEST(NumberRuleTest, KeyFilterPassesDigitsAndBackspaceOnly) {
    const struct {
        int code;
        int result;
    } cases[] = {
        {'0', '0'}, {'5', '5'}, {'9', '9'}, {8, 8},   {'a', 0}, {'Z', 0},  {' ', 0},
        {'-', 0},   {'+', 0},   {'.', 0},   {',', 0}, {13, 0},  {3, 0},    {22, 0},
        {24, 0},    {0, 0},     {127, 0},   {'/', 0}, {':', 0}, {0xB2, 0}, {0x660, 0},
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

using BoxRulesTest = test::MovieMakerFixture;

TEST_F(BoxRulesTest, LoadSetsTheDefaults) {
    m_maker.Values() = {1, 2, "x"};
    m_maker.Form_Load();
    EXPECT_EQ(m_maker.Values().SkewBytes, 46);
    EXPECT_EQ(m_maker.Values().UpLines, 13);
    EXPECT_EQ(m_maker.Values().SourceName, "");
    EXPECT_TRUE(m_window.events.empty());
}

TEST_F(BoxRulesTest, ChangesStoreTheBoxesValues) {
    m_window.boxes[Box::Skew] = "007";
    m_maker.Skew_Change();
    m_window.boxes[Box::UpDown] = "";
    m_maker.UpDown_Change();
    m_window.boxes[Box::ZIDAFile] = " sub/My Movie.raw ";
    m_maker.ZIDAFile_Change();
    EXPECT_EQ(m_maker.Values().SkewBytes, 7);
    EXPECT_EQ(m_maker.Values().UpLines, 0);
    EXPECT_EQ(m_maker.Values().SourceName, " sub/My Movie.raw ");
    EXPECT_TRUE(m_window.events.empty());
}

TEST_F(BoxRulesTest, KeyPressesGoThroughTheFilter) {
    int keys[] = {'4', 8, 'x', '-', 13};
    int expected[] = {'4', 8, 0, 0, 0};
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        int skew = keys[i];
        int up = keys[i];
        m_maker.Skew_KeyPress(skew);
        m_maker.UpDown_KeyPress(up);
        EXPECT_EQ(skew, expected[i]);
        EXPECT_EQ(up, expected[i]);
    }
}

TEST_F(BoxRulesTest, AFailingTextIsReportedAndLeavesTheValue) {
    const struct {
        Box box;
        const char* name;
        const char* text;
    } cases[] = {
        {Box::Skew, "Skew", "abc"}, {Box::Skew, "Skew", "-1"}, {Box::Skew, "Skew", "1e5"},
        {Box::UpDown, "Up", "nan"}, {Box::UpDown, "Up", "-5"}, {Box::UpDown, "Up", "9e9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        m_window.events.clear();
        m_maker.Values().SkewBytes = 21;
        m_maker.Values().UpLines = 12;
        m_window.boxes[c.box] = c.text;
        if (c.box == Box::Skew) {
            m_maker.Skew_Change();
        } else {
            m_maker.UpDown_Change();
        }
        ASSERT_EQ(m_window.events.size(), 2u);
        ExpectStandardError({std::string(c.name) + " \"" + c.text + "\""});
        EXPECT_EQ(m_maker.Values().SkewBytes, 21);
        EXPECT_EQ(m_maker.Values().UpLines, 12);
    }
}

}  // namespace
}  // namespace zv
