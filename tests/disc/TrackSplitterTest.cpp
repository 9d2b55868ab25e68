#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "disc/CueSheet.h"
#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

using TrackSplitterTest = MovieMakerFixture;

// Hold on, Making CH-1, then per track file its countdown, each file after the first announced
// with its number plus one; then the closing box and both captions "Finished!".
std::vector<std::string> BuildEvents(std::int64_t copied) {
    std::vector<std::string> events = {"caption MakeMovie Hold on...",
                                       "caption MakeMovie Making CH-1"};
    int tracks = static_cast<int>(copied / kTrackDataBytes) + 1;
    for (int track = 1; track <= tracks; ++track) {
        if (track > 1) {
            events.push_back("caption MakeMovie Making CH-" + std::to_string(track + 1));
        }
        std::int64_t left = copied - (track - 1) * kTrackDataBytes;
        std::int64_t blocks = std::min<std::int64_t>(900, left / kBlockBytes);
        for (std::int64_t done = 0; done < blocks; ++done) {
            events.push_back("caption Check " + std::string(" ") + std::to_string(900 - done));
        }
    }
    events.push_back(
        "message 64 ZIDA ready to be written by CDRWIN!: Exit this program and use CDRWIN to "
        "burn.");
    events.push_back("caption MakeMovie Finished!");
    events.push_back("caption Check Finished!");
    return events;
}

TEST_F(TrackSplitterTest, TrackLayoutIsByteExact) {
    const struct {
        std::int64_t copied;  // L, the bytes after the skipped head
        std::vector<std::int64_t> trackBytes;
        std::int64_t fillerBytes;
    } cases[] = {
        {0, {81'620}, 314'046'000},
        {11'759, {93'379}, 314'034'000},
        {11'760, {93'380}, 314'034'000},
        {10'584'000, {10'665'620, 81'620}, 303'631'000},
        {10'584'001, {10'665'620, 81'621}, 303'631'000},
        {10'584'000 + 11'761, {10'665'620, 93'381}, 303'619'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.copied);
        std::filesystem::remove_all(m_folder / "Files");
        m_window.events.clear();
        m_window.captions = {{Button::Check, "Check Alignment"}, {Button::MakeMovie, "Make Movie"}};
        UseRecording(PatternBytes(0, kCopyStart + c.copied));
        m_maker.MakeMovie_Click();

        EXPECT_EQ(m_window.events, BuildEvents(c.copied));
        for (const std::string& caption : m_window.CaptionsSet(Button::MakeMovie)) {
            EXPECT_NE(caption, "Making CH-2");
        }
        EXPECT_EQ(FileLength(Track(0)), kLeadInBytes);
        EXPECT_TRUE(IsAllZeros(Track(0)));
        int tracks = static_cast<int>(c.trackBytes.size());
        for (int track = 1; track <= tracks; ++track) {
            SCOPED_TRACE(track);
            auto from = m_source.begin() + kCopyStart + (track - 1) * kTrackDataBytes;
            auto to = std::min(from + kTrackDataBytes, m_source.end());
            std::vector<unsigned char> expected(from, to);
            expected.resize(expected.size() + kTrackTailBytes, 0);
            ASSERT_EQ(FileLength(Track(track)), c.trackBytes[track - 1]);
            EXPECT_TRUE(ReadBytes(Track(track)) == expected);
        }
        EXPECT_EQ(FileLength(Track(tracks + 1)), c.fillerBytes);
        EXPECT_TRUE(IsAllZeros(Track(tracks + 1)));
        EXPECT_FALSE(PathExists(Track(tracks + 2)));
        EXPECT_EQ(ReadBytes(Out("ZIDA.cue")), [&] {
            std::string text = CueSheetText(tracks + 1);
            return std::vector<unsigned char>(text.begin(), text.end());
        }());
        ExpectSourceUnchanged();
    }
}

TEST_F(TrackSplitterTest, CopyStartsTwoBytesAfterTheSkip) {
    const struct {
        std::int16_t upLines;
        std::int16_t skewBytes;
        std::int64_t start;
    } cases[] = {
        {13, 46, 1'088}, {0, 0, 2}, {0, 1, 3}, {1, 1, 83}, {409, 0, 32'722}, {409, 3, 32'725},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        m_window.captions[Button::MakeMovie] = "Make Movie";
        SetHead(c.upLines, c.skewBytes);
        UseRecording(PatternBytes(0, c.start + 5'000));
        m_maker.MakeMovie_Click();
        std::vector<unsigned char> expected = PatternBytes(c.start, 5'000);
        expected.resize(expected.size() + kTrackTailBytes, 0);
        EXPECT_TRUE(ReadBytes(Track(1)) == expected);
    }
}

}  // namespace
}  // namespace zv::test
