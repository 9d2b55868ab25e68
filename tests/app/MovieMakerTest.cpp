#include "app/MovieMaker.h"

#include <gtest/gtest.h>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

using MovieMakerTest = MovieMakerFixture;

#ifndef _WIN32
// The name is probed before anything else happens. A regular file that opens is there, also an
// empty one or one behind a link; anything else gets the exact box from either button, and
// nothing else happens. A NUL can be pasted into the name: what follows it counts too.
TEST_F(MovieMakerTest, TheRecordingIsProbedBeforeAnything) {
    WriteBytes(m_folder / "movie.raw", PatternBytes(0, kPreviewStart + kBlockBytes));
    WriteBytes(m_folder / "empty.raw", {});
    fs::create_directory(m_folder / "sub");
    WriteBytes(m_folder / "sub/inner.raw", {});
    fs::create_symlink("movie.raw", m_folder / "link.raw");
    fs::create_symlink("gone.raw", m_folder / "dangling.raw");
    ASSERT_EQ(::mkfifo((m_folder / "pipe").c_str(), 0644), 0);
    const std::string absolute = m_folder / "movie.raw";  // joined to the folder like any name
    for (const char* name : {"movie.raw", "empty.raw", "sub/inner.raw", "link.raw"}) {
        m_window.Reset();
        NameSource(name);
        m_maker.Check_Click();
        EXPECT_EQ(m_window.captions[Button::Check], "Check Again?") << name;
    }
    for (auto click : {&MovieMaker::Check_Click, &MovieMaker::MakeMovie_Click}) {
        for (const std::string& name :
             {std::string("gone.raw"), std::string("dangling.raw"), std::string("sub"),
              std::string(), std::string("pipe"), std::string("movie.raw/x"),
              std::string("movie.raw\0x", 11), absolute}) {
            m_window.Reset();
            NameSource(name);
            (m_maker.*click)();
            EXPECT_EQ(m_window.events,
                      std::vector<std::string>{"message 16 File not found!: " + m_folder.Path() +
                                               "/" + name + " NOT FOUND!"});
            EXPECT_TRUE(m_window.pixels.empty());
            EXPECT_FALSE(fs::exists(m_folder / "Files"));
        }
    }
}
#endif

TEST_F(MovieMakerTest, FinishedOnEitherButtonEndsTheProgramTouchingNothing) {
    UseRecording(PatternBytes(0, kCopyStart + 20'000));
    m_maker.MakeMovie_Click();
    auto before = ListFolder(m_folder.Path());
    NameSource("gone.raw");  // not even probed
    for (auto click : {&MovieMaker::Check_Click, &MovieMaker::MakeMovie_Click}) {
        m_window.events.clear();
        (m_maker.*click)();
        EXPECT_EQ(m_window.events, std::vector<std::string>{"end 0"});
    }
    EXPECT_EQ(ListFolder(m_folder.Path()), before);
}

// The closing box comes once the whole set is on disk; "Finished!" only after it is dismissed.
TEST_F(MovieMakerTest, TheSuccessBoxComesWhenTheSetIsCompleteAndBeforeFinished) {
    UseRecording(PatternBytes(0, kCopyStart + kBlockBytes));
    std::map<std::string, std::string> whileOpen;
    m_window.onMessage = [&] { whileOpen = Sizes(); };
    m_maker.MakeMovie_Click();
    EXPECT_EQ(
        whileOpen,
        (std::map<std::string, std::string>{
            {"0.bin", "896156"}, {"1.bin", "93380"}, {"2.bin", "314034000"}, {"ZIDA.cue", "162"}}));
    EXPECT_EQ(std::vector<std::string>(m_window.events.end() - 5, m_window.events.end()),
              (std::vector<std::string>{"caption MakeMovie Making CH-1", "caption Check  900",
                                        "message 64 ZIDA ready to be written by CDRWIN!: Exit "
                                        "this program and use CDRWIN to burn.",
                                        "caption MakeMovie Finished!", "caption Check Finished!"}));
}

// Numbered files an earlier, longer build left go, up to the first gap: the cue sheet lists this
// build only.
TEST_F(MovieMakerTest, ABuildReplacesTheSetOfAnEarlierLongerOne) {
    fs::create_directory(m_folder / "Files");
    WriteBytes(Track(0), std::vector<unsigned char>(1'000'000, 0xEE));
    WriteBytes(Track(1), std::vector<unsigned char>(200'000, 0xEE));
    MakeSparseFile(Track(2), 400'000'000);  // an earlier filler
    for (const char* name : {"3.bin", "4.bin", "6.bin", "ZIDA.cue"}) {
        WriteBytes(Out(name), std::vector<unsigned char>(10'000, 0xEE));
    }
    UseRecording(PatternBytes(0, kCopyStart + 100));
    m_maker.MakeMovie_Click();
    EXPECT_EQ(Sizes(), (std::map<std::string, std::string>{{"0.bin", "896156"},
                                                           {"1.bin", "81720"},
                                                           {"2.bin", "314046000"},
                                                           {"6.bin", "10000"},
                                                           {"ZIDA.cue", "162"}}));
}

// Each stops after "Hold on..." with the standard error report. The cue sheet of an earlier build
// is gone, so that no burner takes what is left for a disc; the recording is never changed.
TEST_F(MovieMakerTest, AFailedBuildStopsWithTheStandardErrorReport) {
    const std::string files = m_folder / "Files";
    const std::string shorter = "Cannot read " + m_folder / kSourceName + ": the recording is ";
    const std::string head = " long, shorter than the 1088 bytes skipped at its start";
    const struct {
        std::int64_t length;  // -1: Files/ is a plain file
        std::string stopBox;
    } cases[] = {
#ifndef _WIN32
        {-1, "Cannot open folder " + files + ": Not a directory"},
#endif
        {0, shorter + "0 bytes" + head},
        {1, shorter + "1 byte" + head},
        {1'087, shorter + "1087 bytes" + head},
    };
    for (const auto& c : cases) {
        m_window.Reset();
        fs::remove_all(files);
        fs::create_directory(files);
        WriteBytes(Out("ZIDA.cue"), {'o', 'l', 'd'});
        if (c.length < 0) {
            fs::remove_all(files);
            WriteBytes(files, {'p', 'l', 'a', 'i', 'n'});
        }
        UseRecording(PatternBytes(0, c.length < 0 ? 5'000 : c.length));
        m_maker.MakeMovie_Click();
        EXPECT_EQ(m_window.events.size(), 3u);
        EXPECT_EQ(m_window.events.front(), "caption MakeMovie Hold on...");
        EXPECT_EQ(StopBoxText(), c.stopBox);
        // A plain file in Files/'s place stays as it was; in a folder the old sheet is gone.
        if (c.length < 0) {
            EXPECT_EQ(ReadText(files), "plain");
        } else {
            EXPECT_FALSE(fs::exists(Out("ZIDA.cue")));
        }
        ExpectSourceUnchanged();
    }
}

}  // namespace
}  // namespace zv::test
