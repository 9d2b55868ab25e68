#include "disc/CueSheet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/StandardError.h"
#include "params/Paths.h"
#include "tests/support/RecordingWindow.h"
#include "tests/support/Recordings.h"
#include "tests/support/TempFolder.h"

namespace zv::test {
namespace {

constexpr char kEntriesOneTrack[] =
    "FILE 0.BIN BINARY\r\nTRACK 01 AUDIO\r\nINDEX 01 00:00:00\r\n"
    "FILE 1.BIN BINARY\r\nTRACK 02 AUDIO\r\nINDEX 01 00:00:00\r\n";
constexpr char kEntriesThreeTracks[] =
    "FILE 0.BIN BINARY\r\nTRACK 01 AUDIO\r\nINDEX 01 00:00:00\r\n"
    "FILE 1.BIN BINARY\r\nTRACK 02 AUDIO\r\nINDEX 01 00:00:00\r\n"
    "FILE 2.BIN BINARY\r\nTRACK 03 AUDIO\r\nINDEX 01 00:00:00\r\n"
    "FILE 3.BIN BINARY\r\nTRACK 04 AUDIO\r\nINDEX 01 00:00:00\r\n";

std::string TextOf(const std::vector<unsigned char>& bytes) {
    return {bytes.begin(), bytes.end()};
}

class CueSheetTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directory(m_paths.OutputFolder()); }

    // Sparse track files of the given lengths, by number.
    void MakeTracks(const std::map<int, std::int64_t>& lengths) {
        for (const auto& [number, length] : lengths) {
            MakeSparseFile(m_paths.TrackPath(number), length);
        }
    }
    std::string CueSheet() const { return TextOf(ReadBytes(m_paths.CueSheetPath())); }
    void ExpectFinished() const {
        EXPECT_EQ(m_window.events, (std::vector<std::string>{
                                       "message 64 ZIDA ready to be written by CDRWIN!: Exit "
                                       "this program and use CDRWIN to burn.",
                                       "caption MakeMovie Finished!", "caption Check Finished!"}));
    }

    TempFolder m_folder;
    RecordingWindow m_window{m_folder.Path()};
    Paths m_paths{m_folder.Path()};
};

TEST_F(CueSheetTest, EntriesEndInCarriageReturnAndLineFeed) {
    EXPECT_EQ(CueSheetText(1), kEntriesOneTrack);
    EXPECT_EQ(CueSheetText(3), kEntriesThreeTracks);
}

TEST_F(CueSheetTest, CountsMeasuresAndTopsUpWithTheFiller) {
    std::map<int, std::int64_t> workedExample{{0, 896'156}, {29, 3'729'620}};
    for (int number = 1; number <= 28; ++number) {
        workedExample[number] = 10'665'620;
    }
    const struct {
        const char* name;
        std::map<int, std::int64_t> tracks;
        int filler;
        std::int64_t fillerBytes;
        std::int64_t setBytes;  // the filler included
    } cases[] = {
        {"lead-in alone", {{0, 896'156}}, 1, 314'125'000, 315'021'156},
        {"two tracks", {{0, 896'156}, {1, 10'665'620}, {2, 93'380}}, 3, 303'619'000, 315'274'156},
        {"worked example", workedExample, 30, 18'863'000, 322'126'136},
        // Below 1,024 bytes the size text counts bytes, and the total takes them as kilobytes.
        {"tiny files", {{0, 1'023}, {1, 1'024}, {2, 2'047}}, 3, 313'975'000, 313'979'094},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(m_paths.OutputFolder());
        std::filesystem::create_directory(m_paths.OutputFolder());
        m_window.events.clear();
        MakeTracks(c.tracks);
        MakeCueSheet(m_window, m_paths);
        EXPECT_EQ(FileLength(m_paths.TrackPath(c.filler)), c.fillerBytes);
        EXPECT_TRUE(IsAllZeros(m_paths.TrackPath(c.filler)));
        EXPECT_EQ(CueSheet(), CueSheetText(c.filler));
        EXPECT_FALSE(PathExists(m_paths.TrackPath(c.filler + 1)));
        std::int64_t total = 0;
        for (int number = 0; number <= c.filler; ++number) {
            total += FileLength(m_paths.TrackPath(number));
        }
        EXPECT_EQ(total, c.setBytes);
        ExpectFinished();
    }
}

TEST_F(CueSheetTest, AGapEndsTheCount) {
    MakeTracks({{0, 896'156}, {1, 81'620}});
    WriteBytes(m_paths.TrackPath(3), PatternBytes(0, 5'000));
    MakeCueSheet(m_window, m_paths);
    EXPECT_EQ(CueSheet(), CueSheetText(2));
    EXPECT_EQ(FileLength(m_paths.TrackPath(2)), 315'000'000 - (875 + 79) * 1'000);
    EXPECT_EQ(ReadBytes(m_paths.TrackPath(3)), PatternBytes(0, 5'000));
    ExpectFinished();
}

TEST_F(CueSheetTest, WithoutALeadInNothingIsWrittenAndTheOldCueSheetIsGone) {
    WriteBytes(m_paths.CueSheetPath(), std::vector<unsigned char>(3'000, 'X'));
    WriteBytes(m_paths.TrackPath(1), PatternBytes(0, 100));
    MakeCueSheet(m_window, m_paths);
    EXPECT_EQ(m_window.events,
              std::vector<std::string>{"message 64 BIN file not found!: I couldn't find a .bin "
                                       "file in " +
                                       m_folder.Path() +
                                       "/Files/ please read user guide and try again."});
    EXPECT_EQ(m_window.captions[Button::Check], "Check Alignment");
    EXPECT_EQ(m_window.captions[Button::MakeMovie], "Make Movie");
    EXPECT_FALSE(PathExists(m_paths.CueSheetPath()));
    EXPECT_EQ(ReadBytes(m_paths.TrackPath(1)), PatternBytes(0, 100));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_paths.OutputFolder()),
                            std::filesystem::directory_iterator()),
              1);
}

// A hundred files make tracks 100 and 101 and stop the count; the filler 100.bin must fit.
TEST_F(CueSheetTest, AHundredFilesAndNoRoomForTheFiller) {
    const struct {
        std::int64_t kilobytesEach;  // of each of 0.bin to 99.bin
        std::int64_t fillerBytes;    // 0: the build stops
        const char* message;
    } cases[] = {
        {3'149, 100'000, ""},
        {3'150, 0, "315000 kilobytes"},
        {4'000, 0, "400000 kilobytes"},
        {21'474, 0, "2147400 kilobytes"},
        {21'475, 0, "kilobyte total * 1000"},  // no longer fits 32 bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kilobytesEach);
        m_window.events.clear();
        for (int number = 0; number < 100; ++number) {
            MakeSparseFile(m_paths.TrackPath(number), c.kilobytesEach * 1'024 + 1'023);
        }
        WriteBytes(m_paths.TrackPath(100), {'o', 'l', 'd'});
        WriteBytes(m_paths.TrackPath(101), {'k', 'e', 'e', 'p'});
        if (c.fillerBytes > 0) {
            MakeCueSheet(m_window, m_paths);
            EXPECT_TRUE(CueSheet().ends_with(
                "FILE 99.BIN BINARY\r\nTRACK 100 AUDIO\r\nINDEX 01 00:00:00\r\n"
                "FILE 100.BIN BINARY\r\nTRACK 101 AUDIO\r\nINDEX 01 00:00:00\r\n"));
            EXPECT_EQ(FileLength(m_paths.TrackPath(100)), c.fillerBytes);
            EXPECT_TRUE(IsAllZeros(m_paths.TrackPath(100)));
            ExpectFinished();
        } else {
            try {
                MakeCueSheet(m_window, m_paths);
                ADD_FAILURE() << "no error";
            } catch (const StandardError& error) {
                std::string text = error.what();
                EXPECT_NE(text.find(c.message), std::string::npos) << text;
                EXPECT_NE(text.find(std::to_string(c.kilobytesEach * 100)), std::string::npos)
                    << text;
                EXPECT_NE(text.find(c.message[0] == 'k' ? "2147483647" : "315000000"),
                          std::string::npos)
                    << text;
            }
            EXPECT_EQ(ReadBytes(m_paths.TrackPath(100)),
                      (std::vector<unsigned char>{'o', 'l', 'd'}));
            EXPECT_TRUE(m_window.events.empty());
        }
        EXPECT_EQ(ReadBytes(m_paths.TrackPath(101)),
                  (std::vector<unsigned char>{'k', 'e', 'e', 'p'}));
        EXPECT_EQ(CueSheet(), CueSheetText(100));  // complete before the filler
    }
}

}  // namespace
}  // namespace zv::test
