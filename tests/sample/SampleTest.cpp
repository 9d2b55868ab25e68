#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/MovieMaker.h"
#include "sample/TestCard.h"
#include "tests/support/RecordingWindow.h"
#include "tests/support/TempFolder.h"

namespace zv::test {
namespace {

constexpr int kPreviewFrames = 10;
constexpr int kShownLines = 81;
constexpr int kGrayStep = 17;

// What the preview should ask for: ten frames of the card, lines 0 to 80, one over the other.
std::vector<RecordingWindow::Pixel> IntendedPixels() {
    std::vector<RecordingWindow::Pixel> pixels;
    for (int frame = 0; frame < kPreviewFrames; ++frame) {
        for (int y = 0; y < kShownLines; ++y) {
            for (int x = 0; x < sample::kCardWidth; ++x) {
                auto level =
                    static_cast<std::uint8_t>(sample::TestCardPixel(frame, x, y) * kGrayStep);
                pixels.push_back({x, y, {level, level, level}});
            }
        }
    }
    return pixels;
}

class SampleTest : public ::testing::Test {
protected:
    void SetUp() override { sample::WriteSample(m_folder / "sample.raw"); }

    TempFolder m_folder;
};

TEST_F(SampleTest, FileHoldsHeadFramesAndTail) {
    std::vector<unsigned char> bytes = ReadBytes(m_folder / "sample.raw");
    ASSERT_EQ(static_cast<std::int64_t>(bytes.size()), sample::SampleBytes());
    EXPECT_EQ(bytes.size(), 1'086u + 1'200u * 11'760u + 2u);
    // Head and the unused bytes of every group are silence.
    for (std::size_t at = 0; at < 1'086; ++at) {
        ASSERT_EQ(bytes[at], 0) << "head byte " << at;
    }
    for (std::size_t at = 1'086; at + 2 < bytes.size(); at += 4) {
        ASSERT_EQ(bytes[at], 0) << "byte " << at;
        ASSERT_EQ(bytes[at + 1], 0) << "byte " << at + 1;
    }
    // The first frame follows the head unchanged.
    std::vector<unsigned char> frame = sample::TestCardFrame(0);
    ASSERT_EQ(frame.size(), 11'760u);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 1'086, bytes.begin() + 1'086 + 11'760),
              frame);
}

TEST_F(SampleTest, CardHasAllSixteenLevelsAndASquareThatMoves) {
    std::vector<bool> seen(sample::kLevels, false);
    for (int y = 0; y < kShownLines; ++y) {
        for (int x = 0; x < sample::kCardWidth; ++x) {
            seen[static_cast<std::size_t>(sample::TestCardPixel(0, x, y))] = true;
        }
    }
    EXPECT_EQ(std::vector<bool>(sample::kLevels, true), seen);
    for (int frame = 1; frame < kPreviewFrames; ++frame) {
        EXPECT_NE(sample::TestCardFrame(frame - 1), sample::TestCardFrame(frame)) << frame;
    }
}

TEST_F(SampleTest, DefaultOffsetsDrawTheCardExactly) {
    RecordingWindow window(m_folder.Path());
    window.boxes[Box::ZIDAFile] = "sample.raw";
    MovieMaker maker(window);
    maker.Form_Load();
    maker.ZIDAFile_Change();
    maker.Check_Click();

    EXPECT_TRUE(window.Messages().empty());
    EXPECT_EQ(window.Caption(Button::Check), "Check Again?");
    ASSERT_EQ(window.pixels.size(), IntendedPixels().size());
    EXPECT_TRUE(window.pixels == IntendedPixels()) << "the preview differs from the test card";
}

TEST_F(SampleTest, OtherOffsetsDrawItSkewed) {
    struct Case {
        std::string up;
        std::string skew;
    };
    for (const Case& offsets : {Case{"13", "45"}, Case{"13", "47"}, Case{"12", "46"},
                                Case{"14", "46"}, Case{"13", "48"}}) {
        SCOPED_TRACE("Up " + offsets.up + ", Skew " + offsets.skew);
        RecordingWindow window(m_folder.Path());
        window.boxes[Box::ZIDAFile] = "sample.raw";
        window.boxes[Box::UpDown] = offsets.up;
        window.boxes[Box::Skew] = offsets.skew;
        MovieMaker maker(window);
        maker.Form_Load();
        maker.ZIDAFile_Change();
        maker.UpDown_Change();
        maker.Skew_Change();
        maker.Check_Click();

        EXPECT_EQ(window.Caption(Button::Check), "Check Again?");
        ASSERT_EQ(window.pixels.size(), IntendedPixels().size());
        EXPECT_FALSE(window.pixels == IntendedPixels());
    }
}

// The first build of the sample: two track files, so the countdown and the switch to CH-3 show.
TEST_F(SampleTest, BuildMakesTwoTrackFiles) {
    RecordingWindow window(m_folder.Path());
    window.boxes[Box::ZIDAFile] = "sample.raw";
    MovieMaker maker(window);
    maker.Form_Load();
    maker.ZIDAFile_Change();
    maker.MakeMovie_Click();

    std::vector<std::string> expectedCaptions = {"Hold on...", "Making CH-1", "Making CH-3",
                                                 "Finished!"};
    EXPECT_EQ(window.CaptionsSet(Button::MakeMovie), expectedCaptions);
    std::vector<std::string> countdown = window.CaptionsSet(Button::Check);
    ASSERT_EQ(countdown.size(), 1'201u);
    EXPECT_EQ(countdown.front(), " 900");
    EXPECT_EQ(countdown[899], " 1");
    EXPECT_EQ(countdown[900], " 900");
    EXPECT_EQ(countdown[1'199], " 601");
    EXPECT_EQ(countdown.back(), "Finished!");

    std::vector<unsigned char> source = ReadBytes(m_folder / "sample.raw");
    std::vector<unsigned char> track1 = ReadBytes(m_folder / "Files/1.bin");
    std::vector<unsigned char> track2 = ReadBytes(m_folder / "Files/2.bin");
    ASSERT_EQ(track1.size(), 10'665'620u);
    ASSERT_EQ(track2.size(), 300u * 11'760u + 81'620u);
    // The build starts two bytes after the preview: pixel bytes lead every group.
    EXPECT_TRUE(std::equal(track1.begin(), track1.begin() + 10'584'000, source.begin() + 1'088));
    EXPECT_TRUE(std::equal(track2.begin(), track2.begin() + 3'528'000,
                           source.begin() + 1'088 + 10'584'000));
    EXPECT_EQ(track1[0], sample::TestCardFrame(0)[2]);
    EXPECT_TRUE(PathExists(m_folder / "Files/3.bin"));
    EXPECT_FALSE(PathExists(m_folder / "Files/4.bin"));
}

}  // namespace
}  // namespace zv::test
