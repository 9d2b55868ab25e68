#include "disc/OutputFolder.h"

#include <gtest/gtest.h>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

using OutputFolderTest = MovieMakerFixture;

// The set of a recording of 900 blocks and 5,000 bytes.
const std::map<std::string, std::string> kTwoTrackSet = {{"0.bin", "896156"},
                                                         {"1.bin", "10665620"},
                                                         {"2.bin", "86620"},
                                                         {"3.bin", "303626000"},
                                                         {"ZIDA.cue", "216"}};
constexpr std::int64_t kTwoTracks = 900 * kBlockBytes + 5'000;

// However the recording comes to be among the outputs, by any name (on Windows in other letter
// case too), the build stops before Files/ is touched, naming both paths.
TEST_F(OutputFolderTest, TheRecordingIsNeverAnOutput) {
    const std::string files = m_folder / "Files/";
    const struct {
        std::string recording;  // as typed into ZIDA File, "/" the system's separator
        const char* link;       // in Files/, a hard link to the recording
        std::string failure;
    } cases[] = {
        {"Files/0.bin", nullptr, "Cannot write " + files + "0.bin"},
        {kSourceName, "1.bin", "Cannot write " + files + "1.bin"},
        {"Files/ZIDA.cue", nullptr, "Cannot write " + files + "ZIDA.cue"},
        {"Files/ZIDA.cue.tmp", nullptr, "Cannot write " + files + "ZIDA.cue.tmp"},
        // The filler's place, and a leftover of a longer build after it.
        {"Files/2.bin", nullptr, "Cannot write " + files + "2.bin"},
        {"Files/3.bin", nullptr, "Cannot remove " + files + "3.bin"},
#ifdef _WIN32
        {"files/0.bin", nullptr, "Cannot write " + files + "0.bin"},
#endif
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
        const std::string recording = m_folder / c.recording;
        UseRecording(PatternBytes(0, kCopyStart + 5'000),
                     recording.substr(m_folder.Path().size() + 1));
        if (c.link != nullptr) {
            fs::remove(Out(c.link));
            fs::create_hard_link(recording, Out(c.link));
        }
        auto before = ListFolder(files);
        m_maker.MakeMovie_Click();
        EXPECT_EQ(StopBoxText(), c.failure + ": it is the recording " + recording +
                                     ", which a build never changes");
        ExpectSourceUnchanged();
        EXPECT_EQ(ListFolder(files), before);
    }
}

// A second program started while a build runs is told so and writes nothing; once the build has
// ended, a build may start again.
TEST_F(OutputFolderTest, OneBuildAtATimeHoldsTheFolder) {
    UseRecording(PatternBytes(0, kCopyStart + 5'000));
    RecordingWindow secondWindow(m_folder.Path());
    MovieMaker second(secondWindow);
    secondWindow.boxes[Box::ZIDAFile] = kSourceName;
    second.ZIDAFile_Change();
    m_window.onCaption = [&](const std::string& text) {
        if (text == "Making CH-1") {
            auto before = ListFolder(m_folder.Path());
            second.MakeMovie_Click();
            EXPECT_EQ(ListFolder(m_folder.Path()), before);
        }
    };
    m_maker.MakeMovie_Click();
    m_window.onCaption = nullptr;
    EXPECT_EQ(secondWindow.events.at(1),
              "message 16 ZE Veduz: Cannot build in " + m_folder / "Files" +
                  ": another build is writing there; try again once it has ended");
    EXPECT_EQ(secondWindow.events.back(), "end 1");
    EXPECT_EQ(m_window.captions[Button::MakeMovie], "Finished!");
    secondWindow.Reset();
    second.MakeMovie_Click();
    EXPECT_EQ(secondWindow.captions[Button::MakeMovie], "Finished!");
    EXPECT_EQ(Sizes(), kOneTrackSet);
}

#ifndef _WIN32
// Files/ renamed aside while a build runs: the build finishes its whole set where it began it.
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
    EXPECT_EQ(Sizes("Aside"), kOneTrackSet);
}
#endif

// Whatever stands at the name of an output is replaced by a new file, never written through or
// followed: nothing outside Files/ changes.
TEST_F(OutputFolderTest, OutputsAreNewFiles) {
    const std::string notes = m_folder / "notes.txt";
    const struct {
        const char* what;
        std::function<void()> stage;  // over the set of a one-track recording
    } cases[] = {
        {"a hard link to a file outside",
         [&] {
             fs::remove(Track(1));
             fs::create_hard_link(notes, Track(1));
         }},
        {"a hard-linked copy of the set",
         [&] {
             fs::copy(m_folder / "Files", m_folder / "Files.bak",
                      fs::copy_options::create_hard_links | fs::copy_options::recursive);
         }},
        {"a draft sheet left by a build that stopped",
         [&] {
             WriteBytes(Out("ZIDA.cue.tmp"), {'o', 'l', 'd'});
         }},
#ifndef _WIN32
        {"symbolic links, one at the filler's place leading nowhere",
         [&] {
             fs::remove(Track(1));
             fs::create_symlink("../notes.txt", Track(1));
             fs::create_symlink("../outside.bin", Track(3));
             fs::remove(Out("ZIDA.cue"));
             fs::create_symlink("../notes.txt", Out("ZIDA.cue"));
         }},
        // Leftovers after the filler that cannot be read.
        {"a pipe, a link and a file nobody may read",
         [&] {
             WriteBytes(Track(3), {'o', 'l', 'd'});
             ::mkfifo(Track(4).c_str(), 0666);
             fs::create_symlink("../notes.txt", Track(5));
             WriteBytes(Track(6), {'o', 'l', 'd'});
             fs::permissions(Track(6), fs::perms::none);
         }},
#endif
    };
    // Every entry of the program folder but those of Files/.
    auto outside = [&] {
        auto entries = ListFolder(m_folder.Path());
        std::erase_if(entries, [](const auto& entry) {
            return entry.first.starts_with("Files") && !entry.first.starts_with("Files.");
        });
        return entries;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(m_folder / "Files");
        fs::remove_all(m_folder / "Files.bak");
        WriteBytes(notes, {'n', 'o', 't', 'e', 's'});
        UseRecording(PatternBytes(0, kCopyStart + 5'000));
        m_window.Reset();
        m_maker.MakeMovie_Click();
        c.stage();
        UseRecording(PatternBytes(0, kCopyStart + kTwoTracks));
        auto before = outside();
        m_window.Reset();
        m_maker.MakeMovie_Click();
        EXPECT_EQ(m_window.captions[Button::MakeMovie], "Finished!");
        EXPECT_EQ(Sizes(), kTwoTrackSet);
        EXPECT_EQ(outside(), before);
    }
}

// A file of the set changed by another program while the build holds it, or a file the build did
// not make where the sheet lists one: the cue sheet is not published.
TEST_F(OutputFolderTest, TheSetIsCheckedWhenItIsPublished) {
    const std::string files = m_folder / "Files";
    const std::string in = "Cannot finish the set in " + files + ": ";
    const std::string changed = "; the set changed while the build ran";
    const struct {
        std::function<void()> change;
        std::string error;
        const char* made = "1.bin";  // after 0.bin and before the draft sheet
    } cases[] = {
        {[&] { fs::resize_file(Track(1), 5); },
         in + Track(1) + " is 5 bytes long, written 3 bytes long" + changed},
        {[&] { fs::resize_file(Out("ZIDA.cue.tmp"), 0); },
         in + Out("ZIDA.cue.tmp") + " is 0 bytes long, written 3 bytes long" + changed},
#ifndef _WIN32
        // On Windows no one removes or renames a file while the build holds it.
        {[&] {
             fs::rename(Track(1), Out("aside"));
             WriteBytes(Track(1), {'n', 'e', 'w'});
         },
         in + Track(1) + " is another file than the one written" + changed},
        {[&] { fs::remove(Track(0)); }, in + Track(0) + " is missing" + changed},
#endif
        {[&] {
             WriteBytes(Track(1), {'s', 'e', 't'});
         },
         in + Track(1) + " is not a file this build wrote" + changed, "2.bin"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        fs::remove_all(files);
        fs::create_directory(files);
        Paths paths(m_folder.Path());
        OutputFolder output(paths);
        for (const char* name : {"0.bin", c.made, "ZIDA.cue.tmp"}) {
            output.Create(name).Write("set", 3);
        }
        c.change();
        EXPECT_EQ(ErrorOf([&] { output.Publish(); }), c.error);
        EXPECT_FALSE(fs::exists(Out("ZIDA.cue")));
    }
}

}  // namespace
}  // namespace zv::test
