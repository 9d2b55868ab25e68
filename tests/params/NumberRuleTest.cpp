#include "params/NumberRule.h"

#include <gtest/gtest.h>

#include "common/StandardError.h"

namespace zv {
namespace {

TEST(NumberRuleTest, ReadsWholeNumbers) {
    EXPECT_EQ(NumberFromText("", "Skew"), 0);
    EXPECT_EQ(NumberFromText("007", "Skew"), 7);
    EXPECT_THROW(NumberFromText("nan", "Skew"), StandardError);
}

}  // namespace
}  // namespace zv
