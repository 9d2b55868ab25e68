#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

using RecordingNameFault = MovieMakerFixture;

TEST_F(RecordingNameFault, SpacesNonAsciiAndSubfoldersAreFoundAndBuilt) {
    for (const std::string name : {"my movie.raw", "Zvěřinec ÿ ß.raw", "sub/movie.raw",
                                   "a b/Čé ü/film 1 .raw", " leading blank.raw"}) {
        SCOPED_TRACE(name);
        m_window.Reset();
        std::filesystem::remove_all(m_folder / "Files");
        std::filesystem::create_directories(std::filesystem::path(m_folder / name).parent_path());
        UseRecording(PatternBytes(0, kCopyStart + 2 * kBlockBytes), name);

        m_maker.Check_Click();
        EXPECT_EQ(m_window.Caption(Button::Check), "Check Again?");
        EXPECT_EQ(m_window.pixels.size(), std::size_t{2} * 81 * 80);
        m_maker.MakeMovie_Click();
        EXPECT_EQ(m_window.Messages(),
                  std::vector<std::string>{"64 ZIDA ready to be written by CDRWIN!: Exit this "
                                           "program and use CDRWIN to burn."});
        EXPECT_EQ(m_window.Caption(Button::MakeMovie), "Finished!");
        std::vector<unsigned char> track = ReadBytes(Track(1));
        ASSERT_EQ(track.size(), 2 * kBlockBytes + kTrackTailBytes);
        EXPECT_TRUE(std::equal(m_source.begin() + kCopyStart, m_source.end(), track.begin()));
        ExpectSourceUnchanged();
        ExpectNothingWrittenOutsideFiles();
    }
}

}  // namespace
}  // namespace zv::test
