// Faults from outside the program: a full disk and missing permissions.
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

namespace fs = std::filesystem;

using BuildFaultTest = MovieMakerFixture;

// A file of the set that leads to /dev/full: writing to it fails as on a full disk. The link is
// made once the build has begun, so that a build that empties Files/ first would not miss it.
TEST_F(BuildFaultTest, AFullDiskStopsTheBuildNamingTheFile) {
    const struct {
        const char* file;
        const char* lastCaption;
    } cases[] = {
        {"0.bin", "Hold on..."},
        {"1.bin", "Making CH-1"},
        {"ZIDA.cue", "Making CH-1"},
        {"2.bin", "Making CH-1"},  // the filler
    };
    for (const auto& c : cases) {
        m_window.Reset();
        fs::remove_all(m_folder / "Files");
        UseRecording(PatternBytes(0, kCopyStart + 3 * kBlockBytes));
        m_window.onCaption = [&](const std::string& text) {
            if (text == "Hold on...") {
                fs::create_symlink("/dev/full", Out(c.file));
            }
        };
        m_maker.MakeMovie_Click();
        EXPECT_EQ(StopBoxText(), "Cannot write " + Out(c.file) + ": No space left on device");
        EXPECT_EQ(m_window.captions[Button::MakeMovie], c.lastCaption);
        ExpectSourceUnchanged();
    }
}

// Root may write anywhere: the build runs as nobody, who owns the program folder.
TEST_F(BuildFaultTest, TheProgramFolderAndFilesNeedWritePermission) {
    constexpr uid_t kNobody = 65'534;
    const std::string files = m_folder / "Files";
    const struct {
        mode_t folderMode;
        mode_t filesMode;  // 0: no Files/ before the build
        std::string stopBox;
        const char* lastCaption;
    } cases[] = {
        {0555, 0, "Cannot create folder " + files + ": Permission denied", "Make Movie"},
        {0755, 0555, "Cannot create " + files + "/0.bin: Permission denied", "Hold on..."},
        // The new folder is not flushed through a program folder that cannot be read.
        {0311, 0, "", "Finished!"},
    };
    UseRecording(PatternBytes(0, kCopyStart + 5'000));
    ASSERT_EQ(::chown(m_folder.Path().c_str(), kNobody, kNobody) == 0, ::geteuid() == 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folderMode);
        m_window.Reset();
        ::chmod(m_folder.Path().c_str(), 0755);
        fs::remove_all(files);
        if (c.filesMode != 0) {
            ::mkdir(files.c_str(), c.filesMode);
        }
        ::chmod(m_folder.Path().c_str(), c.folderMode);
        // For this thread's file access only, and with root's override gone.
        ::setfsuid(kNobody);
        m_maker.MakeMovie_Click();
        ::setfsuid(0);
        EXPECT_EQ(StopBoxText(), c.stopBox);
        EXPECT_EQ(m_window.captions[Button::MakeMovie], c.lastCaption);
    }
    ExpectSourceUnchanged();
}

}  // namespace
}  // namespace zv::test
