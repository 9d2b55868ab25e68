#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "preview/ConvHex.h"
#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

using Pixel = RecordingWindow::Pixel;

constexpr int kLineBytes = 80;
constexpr int kFrameLines = 147;
constexpr int kDrawnLines = 81;
constexpr int kFramePixels = kDrawnLines * kLineBytes;

const std::vector<std::string> kScreenReady = {"background 0 0 255", "repaint", "pen 1"};

Rgb Gray(int value) {
    auto level = static_cast<std::uint8_t>(value * 17);
    return {level, level, level};
}

// The pixels of `lines` lines of `data` from `start`, decoded as the two hexadecimal digits of
// each pixel byte; lines 81 to 146 of a frame are not drawn.
std::vector<Pixel> ExpectedPixels(const std::vector<unsigned char>& data, std::int64_t start,
                                  int lines) {
    std::vector<Pixel> pixels;
    for (int line = 0; line < lines; ++line) {
        int y = line % kFrameLines;
        if (y >= kDrawnLines) {
            continue;
        }
        const unsigned char* bytes = data.data() + start + std::int64_t{line} * kLineBytes;
        int x = 0;
        for (int group = 0; group < kLineBytes; group += 4) {
            for (int at = group + 2; at < group + 4; ++at) {
                char digits[3];
                std::snprintf(digits, sizeof digits, "%02X", bytes[at]);
                pixels.push_back({x++, y, Gray(ConvHex(std::string_view(digits, 1)))});
                pixels.push_back({x++, y, Gray(ConvHex(std::string_view(digits + 1, 1)))});
            }
        }
    }
    return pixels;
}

std::vector<std::string> PreviewEvents(int lines) {
    std::vector<std::string> events = kScreenReady;
    events.insert(events.end(), lines, "caption Check Checking!");
    events.push_back("caption Check Check Again?");
    return events;
}

using AlignmentPreviewTest = MovieMakerFixture;

// Behind the default head of 0xFF bytes, so the first group must be at byte 1,086.
TEST_F(AlignmentPreviewTest, PixelBytesGiveTheirHighHalfThenTheirLowHalf) {
    const struct {
        int group;
        std::vector<unsigned char> bytes;
        std::vector<int> levels;
    } cases[] = {
        {0, {0x00, 0x00, 0x0F, 0xF0}, {0, 255, 255, 0}},
        {1, {0x00, 0x00, 0x5A, 0x00}, {85, 170, 0, 0}},
        {7, {0xFF, 0xFF, 0x12, 0x34}, {17, 34, 51, 68}},
        {19, {0xFF, 0xFF, 0xF0, 0x0F}, {255, 0, 0, 255}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.group);
        m_window.Reset();
        std::vector<unsigned char> bytes(kPreviewStart, 0xFF);
        bytes.resize(kPreviewStart + kLineBytes, 0);
        std::copy(c.bytes.begin(), c.bytes.end(), bytes.begin() + kPreviewStart + c.group * 4);
        UseRecording(bytes);
        m_maker.Check_Click();
        ASSERT_EQ(m_window.pixels.size(), 80u);
        for (int x = 0; x < kLineBytes; ++x) {
            bool inGroup = x / 4 == c.group;
            auto level = static_cast<std::uint8_t>(inGroup ? c.levels[x % 4] : 0);
            EXPECT_EQ(m_window.pixels[x], (Pixel{x, 0, {level, level, level}})) << "x " << x;
        }
        EXPECT_EQ(m_window.events, PreviewEvents(1));
    }
}

TEST_F(AlignmentPreviewTest, EveryByteValueDecodesAsItsTwoDigits) {
    // Pixel bytes 0 to 255 in order, behind hidden bytes that must change nothing.
    std::vector<unsigned char> lines(7 * kLineBytes, 0xEE);
    for (int value = 0; value < 256; ++value) {
        lines[value / 2 * 4 + 2 + value % 2] = static_cast<unsigned char>(value);
    }
    SetHead(0, 0);
    UseRecording(lines);
    m_maker.Check_Click();
    ASSERT_EQ(m_window.pixels, ExpectedPixels(lines, 0, 7));
    for (int value = 0; value < 256; ++value) {
        EXPECT_EQ(m_window.pixels[2 * value].colour, Gray(value >> 4)) << value;
        EXPECT_EQ(m_window.pixels[2 * value + 1].colour, Gray(value & 0x0F)) << value;
    }
}

TEST_F(AlignmentPreviewTest, DrawsUpToTenFramesOfCompleteLines) {
    const struct {
        const char* name;
        std::int64_t dataBytes;  // after the skip point
        int linesRead;
    } cases[] = {
        {"ends in the head", -1, 0},
        {"ends at the skip point", 0, 0},
        {"one line", kLineBytes, 1},
        {"line 80 drawn, 81 not", 82 * kLineBytes, 82},
        {"three frames", 3 * kBlockBytes, 3 * kFrameLines},
        {"mid-frame", 2 * kBlockBytes + 5 * kLineBytes + 40, 2 * kFrameLines + 5},
        {"mid-line of the first", 79, 0},
        {"ten frames", 10 * kBlockBytes, 10 * kFrameLines},
        {"twenty-five frames", 25 * kBlockBytes, 10 * kFrameLines},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_window.Reset();
        UseRecording(PatternBytes(0, kPreviewStart + c.dataBytes));
        m_maker.Check_Click();
        EXPECT_EQ(m_window.events, PreviewEvents(c.linesRead));
        EXPECT_EQ(m_window.pixels, ExpectedPixels(m_source, kPreviewStart, c.linesRead));
    }
}

TEST_F(AlignmentPreviewTest, CheckingIsSetAtTheStartOfEveryLine) {
    std::vector<std::size_t> pixelsAtCaption;
    m_window.onCaption = [&](const std::string&) {
        pixelsAtCaption.push_back(m_window.pixels.size());
    };
    UseRecording(PatternBytes(0, kPreviewStart + 2 * kBlockBytes));
    m_maker.Check_Click();
    std::vector<std::size_t> expected;
    for (int frame = 0; frame < 2; ++frame) {
        for (int y = 0; y < kFrameLines; ++y) {
            expected.push_back(std::size_t(frame) * kFramePixels +
                               std::size_t(std::min(y, kDrawnLines)) * kLineBytes);
        }
    }
    expected.push_back(2 * kFramePixels);  // "Check Again?" after the last pixel
    EXPECT_EQ(pixelsAtCaption, expected);
    EXPECT_EQ(m_window.events, PreviewEvents(2 * kFrameLines));
}

TEST_F(AlignmentPreviewTest, TheSkipSetsWhereTheFirstGroupStarts) {
    const struct {
        std::int16_t upLines;
        std::int16_t skewBytes;
        std::int64_t start;
    } cases[] = {
        {13, 46, 1'086}, {0, 0, 0}, {0, 1, 1}, {1, 0, 80}, {409, 0, 32'720}, {409, 5, 32'725},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        m_window.Reset();
        SetHead(c.upLines, c.skewBytes);
        UseRecording(PatternBytes(0, c.start + kBlockBytes + kLineBytes));
        m_maker.Check_Click();
        EXPECT_EQ(m_window.pixels, ExpectedPixels(m_source, c.start, kFrameLines + 1));
    }
}

TEST_F(AlignmentPreviewTest, UpLines410IsAnOverflowAfterTheSourceIsOpened) {
    SetHead(410, 0);
    UseRecording(PatternBytes(0, 40'000));
    m_maker.Check_Click();
    ASSERT_EQ(m_window.events.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(m_window.events.begin(), m_window.events.begin() + 3),
              kScreenReady);
    ExpectStandardError({"Overflow", "410", "80"});
    EXPECT_TRUE(m_window.pixels.empty());
    EXPECT_EQ(m_window.captions[Button::Check], "Check Alignment");
    ExpectSourceUnchanged();
}

}  // namespace
}  // namespace zv::test
