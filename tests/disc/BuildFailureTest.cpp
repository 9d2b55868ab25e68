#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

using BuildFailureTest = MovieMakerFixture;

// Each stops after "Hold on..." with the standard error report; the recording is never changed.
// (A missing source, a full disk and an unwritable folder are tested with the other faults.)
TEST_F(BuildFailureTest, StopsWithTheStandardErrorReport) {
    const std::string files = m_folder / "Files";
    const struct {
        const char* name;
        std::int16_t upLines;
        std::int64_t length;
        bool filesIsAFile;
        std::vector<std::string> parts;
    } cases[] = {
        {"Files is a plain file", 13, 5'000, true, {files + "/0.bin", "Not a directory"}},
        {"UpLines 410", 410, 40'000, false, {"Overflow", "410", "80", "32767"}},
        // A source shorter than the head names the recording, its length and the head's.
        {"empty source", 13, 0, false, {m_folder / kSourceName, "0 bytes", "1088 bytes"}},
        {"source ends in the head", 13, 1'000, false, {"1000 bytes", "1088 bytes"}},
        {"source ends in the two bytes", 13, 1'087, false, {"1087 bytes", "1088 bytes"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_window.Reset();
        std::filesystem::remove_all(files);
        if (c.filesIsAFile) {
            WriteBytes(files, {'p', 'l', 'a', 'i', 'n'});
        }
        SetHead(c.upLines, 46);
        UseRecording(PatternBytes(0, c.length));
        m_maker.MakeMovie_Click();
        ASSERT_EQ(m_window.events.size(), 3u);
        EXPECT_EQ(m_window.events[0], "caption MakeMovie Hold on...");
        ExpectStandardError(c.parts);
        if (c.filesIsAFile) {
            EXPECT_EQ(ReadBytes(files), (std::vector<unsigned char>{'p', 'l', 'a', 'i', 'n'}));
        } else {
            EXPECT_EQ(FileLength(Track(0)), kLeadInBytes);
            EXPECT_TRUE(IsAllZeros(Track(0)));
            EXPECT_EQ(FileLength(Track(1)), 0);
            EXPECT_FALSE(PathExists(Out("ZIDA.cue")));
        }
        ExpectSourceUnchanged();
    }
}

}  // namespace
}  // namespace zv::test
