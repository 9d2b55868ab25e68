#include "params/SkipRule.h"

#include <gtest/gtest.h>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

using SkipRuleTest = MovieMakerFixture;

// Up lines of 80 bytes, then Skew bytes: the preview's first group starts there, the build's copy
// two bytes later, so that in the track files the two pixel bytes lead every group.
TEST_F(SkipRuleTest, TheOffsetsSetWherePreviewAndBuildStart) {
    const struct {
        std::int16_t upLines;
        std::int16_t skewBytes;
        std::int64_t previewStart;
        std::int64_t copyStart;
        // The gray of the first two pixels: the high, then the low half of the group's third
        // byte, which the test recording makes (i * 7 + i / 251) mod 256.
        std::uint8_t firstGray;
        std::uint8_t secondGray;
    } cases[] = {
        {13, 46, 1086, 1088, 204, 68}, {0, 0, 0, 2, 0, 238},
        {0, 1, 1, 3, 17, 85},          {1, 0, 80, 82, 51, 238},
        {409, 0, 32720, 32722, 68, 0}, {409, 5, 32725, 32727, 102, 51},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.previewStart);
        m_window.Reset();
        m_maker.Values().UpLines = c.upLines;
        m_maker.Values().SkewBytes = c.skewBytes;
        UseRecording(PatternBytes(0, c.previewStart + kBlockBytes));
        m_maker.Check_Click();
        m_maker.MakeMovie_Click();
        ASSERT_EQ(m_window.pixels.size(), 81u * 80u);
        EXPECT_EQ(m_window.pixels[0].colour, (Rgb{c.firstGray, c.firstGray, c.firstGray}));
        EXPECT_EQ(m_window.pixels[1].colour, (Rgb{c.secondGray, c.secondGray, c.secondGray}));
        std::vector<unsigned char> track = ReadBytes(Track(1));
        ASSERT_EQ(std::ssize(track), c.previewStart + kBlockBytes - c.copyStart + kTrackTailBytes);
        EXPECT_TRUE(std::equal(m_source.begin() + c.copyStart, m_source.end(), track.begin()));
    }
}

// 410 lines of 80 bytes do not fit 16 bits: the stop box once the recording is open, before a
// byte of it is read. The build has written the lead-in and started track file 1.
TEST_F(SkipRuleTest, FourHundredTenLinesAreAnOverflow) {
    const std::string report =
        "message 16 ZE Veduz: Overflow: Up lines * 80 (410 * 80) is outside -32768 to 32767";
    m_maker.Values().UpLines = 410;
    UseRecording(PatternBytes(0, 40'000));
    m_maker.Check_Click();
    EXPECT_EQ(m_window.events, (std::vector<std::string>{"background 0 0 255", "repaint", "pen 1",
                                                         report, "end 1"}));
    m_window.Reset();
    m_maker.MakeMovie_Click();
    EXPECT_EQ(m_window.events,
              (std::vector<std::string>{"caption MakeMovie Hold on...", report, "end 1"}));
    EXPECT_EQ(Sizes(), (std::map<std::string, std::string>{{"0.bin", "896156"}, {"1.bin", "0"}}));
    EXPECT_TRUE(m_window.pixels.empty());
    ExpectSourceUnchanged();
}

}  // namespace
}  // namespace zv::test
