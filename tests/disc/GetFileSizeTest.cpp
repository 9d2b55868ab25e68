#include "disc/GetFileSize.h"

#include <gtest/gtest.h>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

// 2,047 bytes stay below 2 kilobytes; 100,000 bytes are 97.65625 kilobytes, a tie that goes to
// the even digit; 1,048,628 bytes are 1024.05078125 kilobytes, which rounds up.
TEST(GetFileSizeTest, SizeTextsOfLengths) {
    const struct {
        std::int32_t length;
        const char* text;
    } cases[] = {
        {0, "0"},
        {1023, "1023"},
        {1024, "1"},
        {1025, "1.001"},
        {2047, "1.999"},
        {100000, "97.6562"},
        {1048628, "1024.0508"},
        {2147483647, "2097151.999"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetFileSize("track.bin", c.length), c.text) << c.length;
    }
    EXPECT_EQ(ErrorOf([] { GetFileSize("huge.bin", 2'147'483'648); }),
              "Cannot measure huge.bin: its 2147483648 bytes are more than 2147483647, the largest "
              "size a track may have");
}

}  // namespace
}  // namespace zv::test
