#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "disc/CueSheet.h"
#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

constexpr std::int64_t kDefaultCopyStart = 1'088;

std::vector<unsigned char> BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

using MovieMakerTest = MovieMakerFixture;

// Every file below the program folder with its length, change time and, when small, bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        struct stat status {};
        ::stat(entry.path().c_str(), &status);
        std::string state = std::to_string(status.st_size) + " " +
                            std::to_string(status.st_mtim.tv_sec) + "." +
                            std::to_string(status.st_mtim.tv_nsec);
        if (entry.is_regular_file() && status.st_size < 200'000) {
            auto bytes = ReadBytes(entry.path());
            state += " " + std::string(bytes.begin(), bytes.end());
        }
        files[entry.path()] = state;
    }
    return files;
}

TEST_F(MovieMakerTest, FinishedOnEitherButtonEndsTheProgramTouchingNothing) {
    UseRecording(PatternBytes(0, kDefaultCopyStart + 20'000));
    m_maker.MakeMovie_Click();
    ASSERT_EQ(m_window.captions[Button::MakeMovie], "Finished!");
    ASSERT_EQ(m_window.captions[Button::Check], "Finished!");
    auto before = Snapshot(m_folder.Path());

    const struct {
        const char* name;
        void (MovieMaker::*click)();
        const char* source;
    } cases[] = {
        {"Check", &MovieMaker::Check_Click, kSourceName},
        {"MakeMovie", &MovieMaker::MakeMovie_Click, kSourceName},
        {"MakeMovie, source missing", &MovieMaker::MakeMovie_Click, "missing.raw"},
        {"Check, source missing", &MovieMaker::Check_Click, "missing.raw"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_window.events.clear();
        NameSource(c.source);
        (m_maker.*c.click)();
        EXPECT_EQ(m_window.events, std::vector<std::string>{"end"});
        EXPECT_TRUE(m_window.pixels.empty());
    }
    EXPECT_EQ(Snapshot(m_folder.Path()), before);
}

TEST_F(MovieMakerTest, OnlyTheExactCaptionFinishedEnds) {
    UseRecording(PatternBytes(0, kDefaultCopyStart));
    const char* captions[] = {"finished!", "Finished", "Finished! ", "FINISHED!"};
    for (const char* caption : captions) {
        SCOPED_TRACE(caption);
        m_window.events.clear();
        m_window.captions[Button::MakeMovie] = caption;
        m_maker.MakeMovie_Click();
        EXPECT_FALSE(m_window.Ended());
        EXPECT_EQ(m_window.captions[Button::MakeMovie], "Finished!");
    }
}

TEST_F(MovieMakerTest, ThePreviewStartsTwoBytesBeforeTheBuild) {
    // One frame for the preview, which starts two bytes earlier.
    UseRecording(PatternBytes(0, kDefaultCopyStart - 2 + kBlockBytes));
    m_maker.Check_Click();
    m_maker.MakeMovie_Click();
    std::vector<unsigned char> track = ReadBytes(Track(1));
    ASSERT_EQ(m_window.pixels.size(), 81u * 80u);
    // In the track data the two pixel bytes lead every 4-byte group.
    for (const RecordingWindow::Pixel& pixel : m_window.pixels) {
        unsigned char byte = track[pixel.y * 80 + pixel.x / 4 * 4 + pixel.x % 4 / 2];
        int value = pixel.x % 2 == 0 ? byte >> 4 : byte & 0x0F;
        ASSERT_EQ(pixel.colour.red, value * 17) << pixel.x << "," << pixel.y;
    }
    EXPECT_EQ(m_window.pixels[0].colour.red, (track[0] >> 4) * 17);
    EXPECT_EQ(m_window.pixels[1].colour.red, (track[0] & 0x0F) * 17);
}

TEST_F(MovieMakerTest, TheSuccessBoxComesWhenTheSetIsCompleteAndBeforeFinished) {
    UseRecording(PatternBytes(0, kDefaultCopyStart + kBlockBytes));
    bool seen = false;
    m_window.onMessage = [&](const std::string& title) {
        seen = true;
        EXPECT_EQ(title, "ZIDA ready to be written by CDRWIN!");
        EXPECT_EQ(m_window.captions[Button::MakeMovie], "Making CH-1");
        EXPECT_EQ(m_window.captions[Button::Check], " 900");
        EXPECT_EQ(FileLength(Track(0)), kLeadInBytes);
        EXPECT_EQ(FileLength(Track(1)), kBlockBytes + kTrackTailBytes);
        EXPECT_EQ(FileLength(Track(2)), 315'000'000 - (875 + 91) * 1'000);
        EXPECT_EQ(ReadBytes(Out("ZIDA.cue")), BytesOf(CueSheetText(2)));
    };
    m_maker.MakeMovie_Click();
    EXPECT_TRUE(seen);
    EXPECT_EQ(m_window.captions[Button::MakeMovie], "Finished!");
    EXPECT_EQ(m_window.captions[Button::Check], "Finished!");
    EXPECT_FALSE(m_window.Ended());
}

TEST_F(MovieMakerTest, EarlierLongerFilesAreReplacedNotOverwritten) {
    std::filesystem::create_directory(m_folder / "Files");
    WriteBytes(Track(0), std::vector<unsigned char>(1'000'000, 0xEE));
    WriteBytes(Track(1), std::vector<unsigned char>(200'000, 0xEE));
    MakeSparseFile(Track(2), 400'000'000);  // an earlier, longer filler
    WriteBytes(Out("ZIDA.cue"), std::vector<unsigned char>(10'000, 'X'));
    UseRecording(PatternBytes(0, kDefaultCopyStart + kBlockBytes));
    m_maker.MakeMovie_Click();
    EXPECT_EQ(FileLength(Track(0)), kLeadInBytes);
    EXPECT_TRUE(IsAllZeros(Track(0)));
    std::vector<unsigned char> track = PatternBytes(kDefaultCopyStart, kBlockBytes);
    track.resize(kBlockBytes + kTrackTailBytes, 0);
    EXPECT_TRUE(ReadBytes(Track(1)) == track);
    EXPECT_EQ(FileLength(Track(2)), 315'000'000 - (875 + 91) * 1'000);
    EXPECT_TRUE(IsAllZeros(Track(2)));
    EXPECT_EQ(ReadBytes(Out("ZIDA.cue")), BytesOf(CueSheetText(2)));
}

TEST_F(MovieMakerTest, TracksOfAnEarlierLongerBuildGoUpToTheFirstGap) {
    std::filesystem::create_directory(m_folder / "Files");
    for (int number : {2, 3, 4, 6, 7}) {
        WriteBytes(Track(number), PatternBytes(number, 3'000));
    }
    UseRecording(PatternBytes(0, kDefaultCopyStart + 100));
    m_maker.MakeMovie_Click();
    EXPECT_EQ(ReadBytes(Out("ZIDA.cue")), BytesOf(CueSheetText(2)));
    EXPECT_EQ(FileLength(Track(2)), 315'000'000 - (875 + 79) * 1'000);  // this build's filler
    EXPECT_FALSE(PathExists(Track(3)));
    EXPECT_FALSE(PathExists(Track(4)));
    EXPECT_FALSE(PathExists(Track(5)));
    EXPECT_EQ(ReadBytes(Track(6)), PatternBytes(6, 3'000));
    EXPECT_EQ(ReadBytes(Track(7)), PatternBytes(7, 3'000));
}

TEST_F(MovieMakerTest, AStoppedBuildLeavesBothButtonsWorking) {
    NameSource("missing.raw");
    m_maker.MakeMovie_Click();
    m_maker.Check_Click();
    EXPECT_EQ(m_window.Messages().size(), 2u);
    EXPECT_FALSE(m_window.Ended());
    UseRecording(PatternBytes(0, kDefaultCopyStart + 10));
    m_maker.Check_Click();
    EXPECT_EQ(m_window.captions[Button::Check], "Check Again?");
    m_maker.MakeMovie_Click();
    EXPECT_EQ(m_window.captions[Button::MakeMovie], "Finished!");
    EXPECT_EQ(FileLength(Track(1)), 10 + kTrackTailBytes);
}

}  // namespace
}  // namespace zv::test
