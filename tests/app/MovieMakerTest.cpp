#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "disc/CueSheet.h"
#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

std::vector<unsigned char> BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

using MovieMakerTest = MovieMakerFixture;

// Either button: the exact box, no caption changed, nothing drawn, no folder made. A named pipe
// is no recording: the probe must say so without waiting for a writer (the alarm ends a hang).
TEST_F(MovieMakerTest, AMissingSourceShowsTheNotFoundBox) {
    WriteBytes(m_folder / kSourceName, PatternBytes(0, 2'000));
    std::filesystem::create_directory(m_folder / "sub");
    ASSERT_EQ(::mkfifo((m_folder / "pipe").c_str(), 0644), 0);
    const std::string names[] = {"missing.raw",         "", "sub", "MOVIE.RAW", "pipe",
                                 m_folder / kSourceName};  // appended like any other name
    for (bool build : {false, true}) {
        for (const std::string& name : names) {
            SCOPED_TRACE((build ? "MakeMovie " : "Check ") + name);
            m_window.Reset();
            m_window.captions[Button::Check] = "Check Again?";
            NameSource(name);
            ::alarm(20);
            build ? m_maker.MakeMovie_Click() : m_maker.Check_Click();
            ::alarm(0);
            EXPECT_EQ(m_window.events,
                      std::vector<std::string>{"message 16 File not found!: " + m_folder.Path() +
                                               "/" + name + " NOT FOUND!"});
            EXPECT_TRUE(m_window.pixels.empty());
            EXPECT_EQ(m_window.captions[Button::Check], "Check Again?");
            EXPECT_EQ(m_window.captions[Button::MakeMovie], "Make Movie");
            EXPECT_FALSE(PathExists(m_folder / "Files"));
        }
    }
}

TEST_F(MovieMakerTest, FinishedOnEitherButtonEndsTheProgramTouchingNothing) {
    UseRecording(PatternBytes(0, kCopyStart + 20'000));
    m_maker.MakeMovie_Click();
    ASSERT_EQ(m_window.captions[Button::MakeMovie], "Finished!");
    ASSERT_EQ(m_window.captions[Button::Check], "Finished!");
    auto before = ListFolder(m_folder.Path());

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
    EXPECT_EQ(ListFolder(m_folder.Path()), before);
}

TEST_F(MovieMakerTest, ThePreviewStartsTwoBytesBeforeTheBuild) {
    // One frame for the preview, which starts two bytes earlier.
    UseRecording(PatternBytes(0, kCopyStart - 2 + kBlockBytes));
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
    UseRecording(PatternBytes(0, kCopyStart + kBlockBytes));
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
    UseRecording(PatternBytes(0, kCopyStart + kBlockBytes));
    m_maker.MakeMovie_Click();
    EXPECT_EQ(FileLength(Track(0)), kLeadInBytes);
    EXPECT_TRUE(IsAllZeros(Track(0)));
    std::vector<unsigned char> track = PatternBytes(kCopyStart, kBlockBytes);
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
    UseRecording(PatternBytes(0, kCopyStart + 100));
    m_maker.MakeMovie_Click();
    EXPECT_EQ(ReadBytes(Out("ZIDA.cue")), BytesOf(CueSheetText(2)));
    EXPECT_EQ(FileLength(Track(2)), 315'000'000 - (875 + 79) * 1'000);  // this build's filler
    EXPECT_FALSE(PathExists(Track(3)));
    EXPECT_FALSE(PathExists(Track(4)));
    EXPECT_FALSE(PathExists(Track(5)));
    EXPECT_EQ(ReadBytes(Track(6)), PatternBytes(6, 3'000));
    EXPECT_EQ(ReadBytes(Track(7)), PatternBytes(7, 3'000));
}

}  // namespace
}  // namespace zv::test
