#include "disc/CueSheet.h"

#include <gtest/gtest.h>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

const std::string kFourEntries =
    "FILE 0.bin BINARY\r\nTRACK 01 AUDIO\r\nINDEX 01 00:00:00\r\n"
    "FILE 1.bin BINARY\r\nTRACK 02 AUDIO\r\nINDEX 01 00:00:00\r\n"
    "FILE 2.bin BINARY\r\nTRACK 03 AUDIO\r\nINDEX 01 00:00:00\r\n"
    "FILE 3.bin BINARY\r\nTRACK 04 AUDIO\r\nINDEX 01 00:00:00\r\n";
const std::vector<std::string> kFinished = {
    "message 64 ZIDA ready to be written by CDRWIN!: Exit this program and use CDRWIN to burn.",
    "caption MakeMovie Finished!", "caption Check Finished!"};

// The cue sheet step alone, on the files a test puts into Files/.
class CueSheetTest : public MovieMakerFixture {
protected:
    // Files/ holds an earlier cue sheet and files of these lengths by number (-1: none): those up
    // to the first gap, at most 100, written by the build, the others left from earlier.
    void MakeCueSheet(const std::vector<std::int64_t>& lengths) {
        m_window.Reset();
        fs::remove_all(m_folder / "Files");
        fs::create_directory(m_folder / "Files");
        WriteBytes(Out("ZIDA.cue"), {'o', 'l', 'd'});
        Paths paths(m_folder.Path());
        OutputFolder output(paths);
        bool building = true;
        for (int number = 0; number < std::ssize(lengths); ++number) {
            building = building && number < 100 && lengths[number] >= 0;
            if (building) {
                // As the build writes the filler: one zero byte at the end, a hole before it.
                std::int64_t length = lengths[number];
                output.Create(Paths::TrackName(number)).WriteAt("", length > 0 ? 1 : 0, length - 1);
            } else if (lengths[number] >= 0) {
                MakeSparseFile(Track(number), lengths[number]);
            }
        }
        zv::MakeCueSheet(m_window, output);
    }
    std::string CueSheet() const { return ReadText(Out("ZIDA.cue")); }
};

// Files up to the first gap are counted and measured; the filler takes the gap's number and tops
// the set up. A file beyond the gap (-1) is left as it is.
TEST_F(CueSheetTest, CountsMeasuresAndTopsUpWithTheFiller) {
    std::vector<std::int64_t> workedExample(30, 10'665'620);
    workedExample.front() = 896'156;
    workedExample.back() = 3'729'620;
    const struct {
        std::vector<std::int64_t> lengths;
        std::int64_t fillerBytes;
        std::string cueSheet;  // all of it, or its end
        std::size_t cueBytes;
    } cases[] = {
        {{896156}, 314125000, kFourEntries.substr(0, 108), 108},
        {{896156, 10665620, 93380}, 303619000, kFourEntries, 216},
        // Below 1,024 bytes the size text counts bytes, and the total takes them as kilobytes.
        {{1023, 1024, 2047}, 313975000, kFourEntries, 216},
        {{896156, 81620, -1, 5000}, 314046000, kFourEntries.substr(0, 162), 162},
        {workedExample, 18863000, "FILE 30.bin BINARY\r\nTRACK 31 AUDIO\r\nINDEX 01 00:00:00\r\n",
         1695},
    };
    for (const auto& c : cases) {
        MakeCueSheet(c.lengths);
        int filler =
            static_cast<int>(std::find(c.lengths.begin(), c.lengths.end(), -1) - c.lengths.begin());
        SCOPED_TRACE(filler);
        EXPECT_EQ(fs::file_size(Track(filler)), c.fillerBytes);
        EXPECT_TRUE(IsAllZeros(Track(filler)));
#ifndef _WIN32
        // One block where the byte is written; the file system keeps the rest as a hole.
        struct stat status {};
        ASSERT_EQ(::stat(Track(filler).c_str(), &status), 0);
        EXPECT_LE(status.st_blocks * 512, 65'536);
#endif
        EXPECT_TRUE(filler == std::ssize(c.lengths) || fs::file_size(Track(filler + 1)) == 5'000u);
        EXPECT_EQ(CueSheet().size(), c.cueBytes);
        EXPECT_TRUE(CueSheet().ends_with(c.cueSheet));
        EXPECT_EQ(m_window.events, kFinished);
    }
}

TEST_F(CueSheetTest, WithoutALeadInNothingIsWrittenAndTheOldCueSheetIsGone) {
    MakeCueSheet({-1, 100});
    EXPECT_EQ(m_window.events, std::vector<std::string>{
                                   "message 64 BIN file not found!: I couldn't find a .bin file "
                                   "in " +
                                   m_folder / "Files/" + " please read user guide and try again."});
    EXPECT_EQ(ListFolder(m_folder / "Files").size(), 1u);  // 1.bin alone
}

// Files 0.bin to 99.bin make tracks 01 to 100, the filler 100.bin track 101; 101.bin is never
// looked at. The cue sheet is complete before the filler, which must fit the disc.
TEST_F(CueSheetTest, AHundredFilesAndNoRoomForTheFiller) {
    const struct {
        std::int64_t kilobytesEach;  // of each of 0.bin to 99.bin
        std::string error;
    } cases[] = {
        {3'149, "no error"},
        {3'150, "Cannot write the filler track " + Track(100) +
                    ": the files before it count 315000 kilobytes, and 1000 bytes for each reach "
                    "the disc's limit of 315000000 bytes"},
        {21'475,
         "Overflow: kilobyte total * 1000 (2147500 * 1000) is outside -2147483648 to "
         "2147483647"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kilobytesEach);
        std::vector<std::int64_t> lengths(100, c.kilobytesEach * 1'024 + 1'023);
        lengths.push_back(3);  // the filler's number: emptied only when the filler is written
        lengths.push_back(4);
        EXPECT_EQ(ErrorOf([&] { MakeCueSheet(lengths); }), c.error);
        bool written = c.error == "no error";
        // The sheet is named ZIDA.cue only over a whole set.
        EXPECT_EQ(fs::exists(Out("ZIDA.cue")), written);
        std::string sheet = ReadText(Out(written ? "ZIDA.cue" : "ZIDA.cue.tmp"));
        EXPECT_EQ(sheet.size(), 5'548u);
        EXPECT_TRUE(
            sheet.ends_with("FILE 99.bin BINARY\r\nTRACK 100 AUDIO\r\n"
                            "INDEX 01 00:00:00\r\nFILE 100.bin BINARY\r\n"
                            "TRACK 101 AUDIO\r\nINDEX 01 00:00:00\r\n"));
        EXPECT_EQ(fs::file_size(Track(100)), written ? 100'000u : 3u);
        EXPECT_EQ(m_window.events, written ? kFinished : std::vector<std::string>{});
        EXPECT_EQ(fs::file_size(Track(101)), 4u);
    }
}

}  // namespace
}  // namespace zv::test
