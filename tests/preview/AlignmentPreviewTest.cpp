#include "preview/AlignmentPreview.h"

#include <gtest/gtest.h>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

using Pixel = RecordingWindow::Pixel;

// The screen made ready, "Checking!" before each line read, then "Check Again?".
std::vector<std::string> PreviewEvents(int linesRead) {
    std::vector<std::string> events = {"background 0 0 255", "repaint", "pen 1"};
    events.insert(events.end(), linesRead, "caption Check Checking!");
    events.push_back("caption Check Check Again?");
    return events;
}

using AlignmentPreviewTest = MovieMakerFixture;

// Whole lines only, lines 0 to 80 of each frame, at most ten frames, one over the other.
TEST_F(AlignmentPreviewTest, DrawsUpToTenFramesOfCompleteLines) {
    const struct {
        std::int64_t bytes;  // after the head
        int linesRead;
        std::size_t pixels;
        Pixel last;
    } cases[] = {
        {-1, 0, 0, {}},
        {0, 0, 0, {}},
        {79, 0, 0, {}},
        {80, 1, 80, {79, 0, {255, 255, 255}}},
        {82 * 80, 82, 6480, {79, 80, {153, 153, 153}}},  // line 80 drawn, 81 not
        {3 * 11760, 441, 19440, {79, 80, {102, 102, 102}}},
        {2 * 11760 + 5 * 80 + 40, 299, 13360, {79, 4, {238, 238, 238}}},
        {25 * 11760, 1470, 64800, {79, 80, {238, 238, 238}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        m_window.Reset();
        UseRecording(PatternBytes(0, kPreviewStart + c.bytes));
        m_maker.Check_Click();
        EXPECT_EQ(m_window.events, PreviewEvents(c.linesRead));
        ASSERT_EQ(m_window.pixels.size(), c.pixels);
        EXPECT_TRUE(c.pixels == 0 || m_window.pixels.back() == c.last);
    }
}

}  // namespace
}  // namespace zv::test
