#include "disc/OutputFolder.h"

#include <gtest/gtest.h>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

namespace fs = std::filesystem;

using OutputFolderTest = MovieMakerFixture;

// The set of a one-track recording of 5,000 bytes, as a build leaves it.
const std::map<std::string, std::string> kOneTrackSet = {
    {"0.bin", "896156"}, {"1.bin", "86620"}, {"2.bin", "314041000"}, {"ZIDA.cue", "162"}};

#ifndef _WIN32
// However the recording comes to be among the outputs, the build stops before Files/ is touched,
// naming both paths.
TEST_F(OutputFolderTest, TheRecordingIsNeverAnOutput) {
    const std::string files = m_folder / "Files/";
    const struct {
        std::string recording;  // as typed into ZIDA File
        bool hardLink;          // from the file that fails to the recording
        std::string failure;
        std::int64_t copied = 5'000;
    } cases[] = {
        {"Files/0.bin", false, "Cannot write " + files + "0.bin"},
        {kSourceName, true, "Cannot write " + files + "1.bin"},
        {"Files/ZIDA.cue", false, "Cannot write " + files + "ZIDA.cue"},
        {"Files/ZIDA.cue.tmp", false, "Cannot write " + files + "ZIDA.cue.tmp"},
        // The filler's place, and a leftover of a longer build after it.
        {"Files/2.bin", false, "Cannot write " + files + "2.bin"},
        {"Files/3.bin", false, "Cannot remove " + files + "3.bin"},
        // The second track file of a longer recording.
        {kSourceName, true, "Cannot write " + files + "2.bin", 10'585'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failure);
        m_window.Reset();
        fs::remove_all(files);
        fs::create_directory(files);
        WriteBytes(Out("ZIDA.cue"), {'o', 'l', 'd'});
        for (int number = 0; number < 3; ++number) {
            WriteBytes(Track(number), {'o', 'l', 'd'});
        }
        UseRecording(PatternBytes(0, kCopyStart + c.copied), c.recording);
        if (c.hardLink) {
            std::string link = c.failure.substr(c.failure.find('/'));
            fs::remove(link);
            fs::create_hard_link(m_folder / kSourceName, link);
        }
        auto before = ListFolder(files);
        m_maker.MakeMovie_Click();
        EXPECT_EQ(StopBoxText(), c.failure + ": it is the recording " + m_folder / c.recording +
                                     ", which a build never changes");
        ExpectSourceUnchanged();
        EXPECT_EQ(ListFolder(files), before);
    }
}

// A link at an output's name is replaced by a plain file: what it leads to, the recording
// included, stays as it was, and nothing is made outside Files/.
TEST_F(OutputFolderTest, LinksInFilesAreNeverFollowed) {
    const struct {
        const char* name;
        const char* target;
    } cases[] = {
        {"1.bin", "../notes.txt"},
        {"2.bin", "../outside.bin"},  // dangling, at the filler's place
        {"1.bin", "../movie.raw"},
        {"ZIDA.cue", "../notes.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name + std::string(" -> ") + c.target);
        m_window.Reset();
        fs::remove_all(m_folder / "Files");
        fs::create_directory(m_folder / "Files");
        WriteBytes(m_folder / "notes.txt", {'n', 'o', 't', 'e', 's'});
        UseRecording(PatternBytes(0, kCopyStart + 5'000));
        fs::create_symlink(c.target, Out(c.name));
        auto outside = ListFolder(m_folder.Path());
        m_maker.MakeMovie_Click();
        EXPECT_EQ(m_window.captions[Button::MakeMovie], "Finished!");
        EXPECT_EQ(Sizes(), kOneTrackSet);
        EXPECT_EQ(ReadText(m_folder / "notes.txt"), "notes");
        EXPECT_FALSE(fs::exists(m_folder / "outside.bin"));
        ExpectSourceUnchanged();
        auto now = ListFolder(m_folder.Path());
        std::erase_if(now, [](const auto& entry) { return entry.first.starts_with("Files"); });
        std::erase_if(outside, [](const auto& entry) { return entry.first.starts_with("Files"); });
        EXPECT_EQ(now, outside);
    }
}
#endif

// Another build holds Files/: this one stops before it writes anything. A build holds it from
// its first write to the end of its click.
TEST_F(OutputFolderTest, OneBuildAtATimeHoldsTheFolder) {
    fs::create_directory(m_folder / "Files");
    WriteBytes(Out("ZIDA.cue"), {'o', 'l', 'd'});
    UseRecording(PatternBytes(0, kCopyStart + 5'000));
    {
        std::optional<Folder> other = Folder::Claim(m_folder / "Files");
        ASSERT_TRUE(other);
        auto before = ListFolder(m_folder.Path());
        m_maker.MakeMovie_Click();
        EXPECT_EQ(StopBoxText(),
                  "Cannot build in " + m_folder / "Files" +
                      ": another build is writing there; try again once it has ended");
        EXPECT_EQ(ListFolder(m_folder.Path()), before);
    }
    std::vector<std::string> claims;
    m_window.Reset();
    m_window.onCaption = [&](const std::string& text) {
        claims.push_back(text + (Folder::Claim(m_folder / "Files") ? " free" : " held"));
    };
    m_maker.MakeMovie_Click();
    EXPECT_EQ(claims, (std::vector<std::string>{"Hold on... free", "Making CH-1 held",
                                                "Finished! held", "Finished! held"}));
}

#ifndef _WIN32
// Files/ renamed aside while a build runs: the build finishes its whole set where it began it,
// and the next build makes a whole set of its own in a new Files/.
TEST_F(OutputFolderTest, ABuildFollowsItsFolderWhenRenamed) {
    UseRecording(PatternBytes(0, kCopyStart + 5'000));
    m_window.onCaption = [&](const std::string& text) {
        if (text == "Making CH-1") {
            fs::rename(m_folder / "Files", m_folder / "Aside");
        }
    };
    m_maker.MakeMovie_Click();
    m_window.onCaption = nullptr;
    EXPECT_FALSE(fs::exists(m_folder / "Files"));
    auto aside = ListFolder(m_folder / "Aside");
    for (auto& [name, entry] : aside) {
        entry.erase(entry.find(' '));
    }
    EXPECT_EQ(aside, kOneTrackSet);
    m_window.Reset();
    m_maker.MakeMovie_Click();
    EXPECT_EQ(Sizes(), kOneTrackSet);
}
#endif

}  // namespace
}  // namespace zv::test
