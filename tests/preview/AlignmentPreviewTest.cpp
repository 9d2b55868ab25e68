#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
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
constexpr std::int64_t kDefaultHead = 1'086;

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

class AlignmentPreviewTest : public MovieMakerFixture {
protected:
    void Reset() {
        m_window.events.clear();
        m_window.pixels.clear();
    }
};

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
    SetHead(0, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.group);
        Reset();
        std::vector<unsigned char> line(kLineBytes, 0);
        std::copy(c.bytes.begin(), c.bytes.end(), line.begin() + c.group * 4);
        UseRecording(line);
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
        Reset();
        UseRecording(PatternBytes(0, kDefaultHead + c.dataBytes));
        m_maker.Check_Click();
        EXPECT_EQ(m_window.events, PreviewEvents(c.linesRead));
        EXPECT_EQ(m_window.pixels, ExpectedPixels(m_source, kDefaultHead, c.linesRead));
    }
}

TEST_F(AlignmentPreviewTest, FrameCountsAndTheFrameLeftVisible) {
    const struct {
        int framesInSource;
        int framesDrawn;
    } cases[] = {{0, 0}, {3, 3}, {25, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.framesInSource);
        Reset();
        UseRecording(PatternBytes(0, kDefaultHead + c.framesInSource * kBlockBytes));
        m_maker.Check_Click();
        ASSERT_EQ(m_window.pixels.size(), std::size_t(c.framesDrawn) * kFramePixels);
        if (c.framesDrawn > 0) {
            // The last pixels set, the ones left on the screen, are those of the last frame read.
            std::vector<Pixel> last(m_window.pixels.end() - kFramePixels, m_window.pixels.end());
            EXPECT_EQ(last,
                      ExpectedPixels(m_source, kDefaultHead + (c.framesDrawn - 1) * kBlockBytes,
                                     kDrawnLines));
        }
        EXPECT_EQ(m_window.CaptionsSet(Button::Check).back(), "Check Again?");
    }
}

// Remembers how many pixels were set when each caption came.
class PacedWindow : public RecordingWindow {
public:
    using RecordingWindow::RecordingWindow;
    void SetCaption(Button button, const std::string& text) override {
        RecordingWindow::SetCaption(button, text);
        pixelsAtCaption.push_back(pixels.size());
    }
    std::vector<std::size_t> pixelsAtCaption;
};

TEST_F(AlignmentPreviewTest, CheckingIsSetAtTheStartOfEveryLine) {
    PacedWindow window(m_folder.Path());
    MovieMaker maker(window);
    maker.Form_Load();
    maker.Values().SourceName = kSourceName;
    WriteBytes(m_folder / kSourceName, PatternBytes(0, kDefaultHead + 2 * kBlockBytes));
    maker.Check_Click();
    std::vector<std::size_t> expected;
    for (int frame = 0; frame < 2; ++frame) {
        for (int y = 0; y < kFrameLines; ++y) {
            expected.push_back(std::size_t(frame) * kFramePixels +
                               std::size_t(std::min(y, kDrawnLines)) * kLineBytes);
        }
    }
    expected.push_back(2 * kFramePixels);  // "Check Again?" after the last pixel
    EXPECT_EQ(window.pixelsAtCaption, expected);
    EXPECT_EQ(window.events, PreviewEvents(2 * kFrameLines));
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
        Reset();
        SetHead(c.upLines, c.skewBytes);
        UseRecording(PatternBytes(0, c.start + kBlockBytes + kLineBytes));
        m_maker.Check_Click();
        EXPECT_EQ(m_window.pixels, ExpectedPixels(m_source, c.start, kFrameLines + 1));
    }
}

TEST_F(AlignmentPreviewTest, WithTheDefaultsTheFirstGroupIsAtByte1086) {
    std::vector<unsigned char> bytes(kDefaultHead + kLineBytes, 0xFF);
    std::fill(bytes.begin() + kDefaultHead + 2, bytes.end(), 0);
    bytes[kDefaultHead + 2] = 0x12;
    bytes[kDefaultHead + 3] = 0x34;
    UseRecording(bytes);
    m_maker.Check_Click();
    ASSERT_EQ(m_window.pixels.size(), 80u);
    const int levels[] = {17, 34, 51, 68, 0};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(m_window.pixels[x].colour, Gray(levels[x] / 17)) << x;
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

TEST_F(AlignmentPreviewTest, ARecordingEndingInTheHeadShowsNoFrameAndNoError) {
    UseRecording(PatternBytes(0, kDefaultHead - 1));
    m_maker.Check_Click();
    EXPECT_EQ(m_window.events, PreviewEvents(0));
    EXPECT_TRUE(m_window.pixels.empty());
}

TEST_F(AlignmentPreviewTest, AMissingSourceIsReportedAndTheCaptionStays) {
    WriteBytes(m_folder / kSourceName, PatternBytes(0, 2'000));
    std::filesystem::create_directory(m_folder / "sub");
    // An absolute name is appended to the program folder like any other.
    const std::string names[] = {"missing.raw", "", "sub", "MOVIE.RAW", m_folder / kSourceName};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        Reset();
        m_window.captions[Button::Check] = "Check Again?";
        NameSource(name);
        m_maker.Check_Click();
        EXPECT_EQ(m_window.events,
                  std::vector<std::string>{"message 16 File not found!: " + m_folder.Path() + "/" +
                                           name + " NOT FOUND!"});
        EXPECT_TRUE(m_window.pixels.empty());
        EXPECT_EQ(m_window.captions[Button::Check], "Check Again?");
    }
}

TEST_F(AlignmentPreviewTest, FinishedEndsTheProgramWithoutLookingAtTheSource) {
    const char* names[] = {kSourceName, "missing.raw"};
    UseRecording(PatternBytes(0, 20'000));
    for (const char* name : names) {
        SCOPED_TRACE(name);
        Reset();
        NameSource(name);
        m_window.captions[Button::Check] = "Finished!";
        m_maker.Check_Click();
        EXPECT_EQ(m_window.events, std::vector<std::string>{"end"});
        EXPECT_TRUE(m_window.pixels.empty());
    }
    EXPECT_FALSE(PathExists(m_folder / "Files"));
    ExpectSourceUnchanged();
}

}  // namespace
}  // namespace zv::test
