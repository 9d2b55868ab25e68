#include "disc/OutputFolder.h"

#include <gtest/gtest.h>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

namespace fs = std::filesystem;

using OutputFolderTest = MovieMakerFixture;

#ifndef _WIN32
// However the recording comes to be among the outputs, the build stops before it is changed,
// naming both paths. Where the file is one every build writes, Files/ is untouched.
TEST_F(OutputFolderTest, TheRecordingIsNeverAnOutput) {
    enum Link { kNone, kSymbolic, kHard };
    const std::string files = m_folder / "Files/";
    const struct {
        std::string recording;  // as typed into ZIDA File
        Link link;              // from the file that fails to the recording
        std::string failure;
        std::int64_t copied = 5'000;
    } cases[] = {
        {"Files/0.bin", kNone, "Cannot write " + files + "0.bin"},
        {kSourceName, kSymbolic, "Cannot write " + files + "1.bin"},
        {kSourceName, kHard, "Cannot write " + files + "1.bin"},
        {"Files/ZIDA.cue", kNone, "Cannot write " + files + "ZIDA.cue"},
        // A leftover of a longer build after the one track file, then the filler's place.
        {"Files/2.bin", kNone, "Cannot remove " + files + "2.bin"},
        // Found as the build reaches the second track file.
        {kSourceName, kHard, "Cannot write " + files + "2.bin", 10'585'000},
    };
    for (const auto& c : cases) {
        m_window.Reset();
        fs::remove_all(files);
        fs::create_directory(files);
        UseRecording(PatternBytes(0, kCopyStart + c.copied), c.recording);
        std::string link = c.failure.substr(c.failure.find('/'));
        if (c.link == kSymbolic) {
            fs::create_symlink(m_folder / kSourceName, link);
        } else if (c.link == kHard) {
            fs::create_hard_link(m_folder / kSourceName, link);
        }
        auto before = ListFolder(files);
        m_maker.MakeMovie_Click();
        EXPECT_EQ(StopBoxText(), c.failure + ": it is the recording " + m_folder / c.recording +
                                     ", which a build never changes");
        ExpectSourceUnchanged();
        EXPECT_TRUE(ListFolder(files) == before || c.failure.ends_with("2.bin"));
    }
}
#endif

// Another build holds Files/: this one stops before it writes anything.
TEST_F(OutputFolderTest, ASecondBuildFindsTheFolderTaken) {
    fs::create_directory(m_folder / "Files");
    WriteBytes(Out("ZIDA.cue"), {'o', 'l', 'd'});
    UseRecording(PatternBytes(0, kCopyStart + 5'000));
    std::optional<Folder> other = Folder::Claim(m_folder / "Files");
    ASSERT_TRUE(other);
    auto before = ListFolder(m_folder.Path());
    m_maker.MakeMovie_Click();
    EXPECT_EQ(StopBoxText(), "Cannot build in " + m_folder / "Files" +
                                 ": another build is writing there; try again once it has ended");
    EXPECT_EQ(ListFolder(m_folder.Path()), before);
}

}  // namespace
}  // namespace zv::test
