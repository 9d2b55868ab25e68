#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

using RecordingSwappedFault = MovieMakerFixture;

// The build writes the lead-in after "Hold on..." and only then opens the recording: the swap
// comes between the probe and the open.
TEST_F(RecordingSwappedFault, BetweenProbeAndOpen) {
    const std::string source = m_folder / kSourceName;
    const struct {
        const char* what;
        bool folderInItsPlace;
        std::string text;
    } cases[] = {
        {"removed", false, "Cannot open " + source + ": No such file or directory"},
        {"replaced by a folder", true, "Cannot read " + source + ": Is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("recording ") + c.what);
        m_window.Reset();
        std::filesystem::remove_all(source);
        UseRecording(PatternBytes(0, kCopyStart + 2 * kBlockBytes));
        TempFolder away;
        m_window.onCaption = [&](const std::string& text) {
            if (text == "Hold on...") {
                std::filesystem::rename(source, away / kSourceName);
                if (c.folderInItsPlace) {
                    std::filesystem::create_directory(source);
                }
            }
        };
        m_maker.MakeMovie_Click();
        EXPECT_EQ(StopBoxText(), c.text);
        EXPECT_TRUE(m_window.Ended());
        EXPECT_TRUE(ReadBytes(away / kSourceName) == m_source);
        // Only the test's own swap shows outside Files/.
        auto expected = m_outside;
        expected.erase(kSourceName);
        if (c.folderInItsPlace) {
            expected[kSourceName] = "folder";
        }
        EXPECT_EQ(ListFolder(m_folder.Path(), "Files"), expected);
    }
}

}  // namespace
}  // namespace zv::test
