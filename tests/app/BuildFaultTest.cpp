// Faults from outside the program: a full disk, missing permissions, files changed meanwhile, a
// file system that cannot lock or flush folders.
#include <sys/file.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include <gtest/gtest.h>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {
// The errors the stand-ins below give while a test sets them; 0: the call is passed on.
int g_folderFlushError = 0;
int g_lockError = 0;
}  // namespace
}  // namespace zv::test

// Stand-ins for the C library's calls, for the whole test program: the program's own calls reach
// them first.
extern "C" int fsync(int descriptor) {
    struct stat status {};
    if (zv::test::g_folderFlushError != 0 && ::fstat(descriptor, &status) == 0 &&
        S_ISDIR(status.st_mode)) {
        errno = zv::test::g_folderFlushError;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsync, descriptor));
}

extern "C" int flock(int descriptor, int operation) noexcept {
    if (zv::test::g_lockError != 0) {
        errno = zv::test::g_lockError;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_flock, descriptor, operation));
}

namespace zv::test {
namespace {

using BuildFaultTest = MovieMakerFixture;

// Files may grow to `bytes` at most: a write past that fails as on a full disk, with "File too
// large" (EFBIG) instead of a signal. Negative: no limit.
void LimitFileSize(std::int64_t bytes) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes < 0 ? limit.rlim_max : static_cast<rlim_t>(bytes);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
}

// A build over a complete set fails at each of its steps: the old cue sheet is gone, no new one
// appears, and the files written up to the failure stay.
TEST_F(BuildFaultTest, AFailedBuildLeavesNoCueSheet) {
    const std::string files = m_folder / "Files";
    const struct {
        const char* when;  // the caption at which the fault begins
        std::function<void()> fault;
        std::string stopBox;
        const char* lastCaption;
    } cases[] = {
        {"Hold on...", [] { LimitFileSize(896'155); },
         "Cannot write " + files + "/0.bin: File too large", "Hold on..."},
        {"Making CH-1", [] { LimitFileSize(10'000'000); },
         "Cannot write " + files + "/1.bin: File too large", "Making CH-1"},
        {"Making CH-3", [] { LimitFileSize(20'000'000); },
         "Cannot write " + files + "/3.bin: File too large", "Making CH-3"},
        {"Hold on...",
         [&] {
             fs::remove(Track(3));
             fs::create_directory(Track(3));
         },
         "Cannot create " + files + "/3.bin: Is a directory", "Making CH-3"},
    };
    // Two track files and the filler 3.bin.
    UseRecording(PatternBytes(0, kCopyStart + 900 * kBlockBytes + 5'000));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stopBox);
        m_window.Reset();
        fs::remove_all(files);
        m_maker.MakeMovie_Click();
        ASSERT_TRUE(fs::exists(Out("ZIDA.cue")));
        m_window.Reset();
        m_window.onCaption = [&](const std::string& text) {
            if (text == c.when) {
                c.fault();
            }
        };
        m_maker.MakeMovie_Click();
        LimitFileSize(-1);
        m_window.onCaption = nullptr;
        EXPECT_EQ(StopBoxText(), c.stopBox);
        EXPECT_EQ(m_window.captions[Button::MakeMovie], c.lastCaption);
        EXPECT_FALSE(fs::exists(Out("ZIDA.cue")));
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
        // Files/ is nobody's and holds root's ZIDA.cue, which nobody may not read, and 0.bin,
        // which nobody may not write: both are replaced by files of the build's own.
        bool lockedOldSet = false;
    } cases[] = {
        {0555, 0, "Cannot create folder " + files + ": Permission denied", "Make Movie"},
        {0755, 0555, "Cannot create " + files + "/0.bin: Permission denied", "Hold on..."},
        {0755, 0755, "", "Finished!", true},
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
        if (c.lockedOldSet) {
            ASSERT_EQ(::chown(files.c_str(), kNobody, kNobody), 0);
            WriteBytes(Out("ZIDA.cue"), {'o', 'l', 'd'});
            WriteBytes(Track(0), {'o', 'l', 'd'});
            ::chmod(Out("ZIDA.cue").c_str(), 0);
            ::chmod(Track(0).c_str(), 0444);
        }
        ::chmod(m_folder.Path().c_str(), c.folderMode);
        // For this thread's file access only, and with root's override gone.
        ::setfsuid(kNobody);
        m_maker.MakeMovie_Click();
        ::setfsuid(0);
        EXPECT_EQ(StopBoxText(), c.stopBox);
        EXPECT_EQ(m_window.captions[Button::MakeMovie], c.lastCaption);
        // An old sheet goes whether or not it can be read.
        EXPECT_EQ(fs::exists(Out("ZIDA.cue")), c.stopBox.empty());
    }
    ExpectSourceUnchanged();
}

// A folder flush the file system does not support (VirtualBox shared folders, FUSE) is no
// failure. Any other failure comes after the rename, the folder's only flush here: the published
// sheet goes again before the stop box.
TEST_F(BuildFaultTest, AFolderThatCannotBeFlushed) {
    const struct {
        int error;
        bool filesThere;  // else the program folder is flushed too, once Files/ is made
        std::string stopBox;
    } cases[] = {
        {EINVAL, false, ""},
        {ENOTSUP, false, ""},
        {EIO, true, "Cannot flush " + m_folder / "Files" + ": Input/output error"},
    };
    UseRecording(PatternBytes(0, kCopyStart + 5'000));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        m_window.Reset();
        fs::remove_all(m_folder / "Files");
        if (c.filesThere) {
            fs::create_directory(m_folder / "Files");
        }
        g_folderFlushError = c.error;
        m_maker.MakeMovie_Click();
        g_folderFlushError = 0;
        EXPECT_EQ(StopBoxText(), c.stopBox);
        EXPECT_EQ(fs::exists(Out("ZIDA.cue")), c.stopBox.empty());
        EXPECT_EQ(Sizes().size(), c.stopBox.empty() ? 4u : 3u);
    }
}

// Where Files/ cannot be locked (NFS), two builds can run at once. The second replaces the files
// of the first and publishes its set; the first then takes that sheet away and stops at its own
// publishing: no sheet stands over the mixed set.
TEST_F(BuildFaultTest, TwoBuildsWithoutALock) {
    UseRecording(PatternBytes(0, kCopyStart + 5'000));
    WriteBytes(m_folder / "other.raw", PatternBytes(0, kCopyStart + 900 * kBlockBytes + 5'000));
    RecordingWindow secondWindow(m_folder.Path());
    MovieMaker second(secondWindow);
    secondWindow.boxes[Box::ZIDAFile] = "other.raw";
    second.ZIDAFile_Change();
    m_window.onCaption = [&](const std::string& text) {
        if (text == "Making CH-1") {
            second.MakeMovie_Click();
        }
    };
    g_lockError = ENOLCK;
    m_maker.MakeMovie_Click();
    g_lockError = 0;
    EXPECT_EQ(secondWindow.captions[Button::MakeMovie], "Finished!");
    EXPECT_EQ(StopBoxText(), "Cannot finish the set in " + m_folder / "Files" + ": " + Track(0) +
                                 " is another file than the one written; the set changed while "
                                 "the build ran");
    EXPECT_EQ(Sizes(), (std::map<std::string, std::string>{{"0.bin", "896156"},
                                                           {"1.bin", "10665620"},
                                                           {"2.bin", "314041000"},
                                                           {"ZIDA.cue.tmp", "162"}}));
}

}  // namespace
}  // namespace zv::test
