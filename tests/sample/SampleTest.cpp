#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/MovieMaker.h"
#include "sample/TestCard.h"
#include "tests/support/RecordingWindow.h"
#include "tests/support/Recordings.h"
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

    // The sample named in the name box with the offsets typed, then one click.
    void Click(bool build, const std::string& up = "13", const std::string& skew = "46") {
        m_window.boxes = {{Box::ZIDAFile, "sample.raw"}, {Box::UpDown, up}, {Box::Skew, skew}};
        m_maker.Form_Load();
        m_maker.ZIDAFile_Change();
        m_maker.UpDown_Change();
        m_maker.Skew_Change();
        build ? m_maker.MakeMovie_Click() : m_maker.Check_Click();
    }

    TempFolder m_folder;
    RecordingWindow m_window{m_folder.Path()};
    MovieMaker m_maker{m_window};
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
}

// The default offsets show the card exactly; any other offsets skew it.
TEST_F(SampleTest, OnlyTheDefaultOffsetsDrawTheCard) {
    const struct {
        const char* up;
        const char* skew;
        bool straight;
    } cases[] = {{"13", "46", true},
                 {"13", "45", false},
                 {"13", "47", false},
                 {"12", "46", false},
                 {"14", "46", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("Up ") + c.up + ", Skew " + c.skew);
        m_window.Reset();
        Click(false, c.up, c.skew);
        EXPECT_TRUE(m_window.Messages().empty());
        EXPECT_EQ(m_window.Caption(Button::Check), "Check Again?");
        ASSERT_EQ(m_window.pixels.size(), IntendedPixels().size());
        EXPECT_EQ(m_window.pixels == IntendedPixels(), c.straight);
    }
}

// The first build of the sample: two track files, so the countdown and the switch to CH-3 show.
TEST_F(SampleTest, BuildMakesTwoTrackFiles) {
    Click(true);
    std::vector<std::string> expectedCaptions = {"Hold on...", "Making CH-1", "Making CH-3",
                                                 "Finished!"};
    EXPECT_EQ(m_window.CaptionsSet(Button::MakeMovie), expectedCaptions);
    std::vector<std::string> countdown = m_window.CaptionsSet(Button::Check);
    ASSERT_EQ(countdown.size(), 1'201u);
    EXPECT_EQ(countdown.front(), " 900");
    EXPECT_EQ(countdown[899], " 1");
    EXPECT_EQ(countdown[900], " 900");
    EXPECT_EQ(countdown[1'199], " 601");
    EXPECT_EQ(countdown.back(), "Finished!");

    EXPECT_EQ(FileLength(m_folder / "Files/1.bin"), 10'665'620);
    EXPECT_EQ(FileLength(m_folder / "Files/2.bin"), 300 * 11'760 + 81'620);
    EXPECT_TRUE(PathExists(m_folder / "Files/3.bin"));
    EXPECT_FALSE(PathExists(m_folder / "Files/4.bin"));
}

}  // namespace
}  // namespace zv::test
