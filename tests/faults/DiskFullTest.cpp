#include <sys/mount.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

long PagesFor(std::int64_t bytes) {
    long page = ::sysconf(_SC_PAGESIZE);
    return static_cast<long>((bytes + page - 1) / page);
}

// A small tmpfs on a folder for the life of the object, so that the disk fills at a chosen step.
class SmallDisk {
public:
    SmallDisk(std::string folder, long pages) : m_folder(std::move(folder)) {
        std::filesystem::create_directory(m_folder);
        std::string options = "size=" + std::to_string(pages * ::sysconf(_SC_PAGESIZE));
        m_mounted = ::mount("tmpfs", m_folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
        m_error = m_mounted ? "" : std::strerror(errno);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    ~SmallDisk() {
        if (m_mounted) {
            ::umount2(m_folder.c_str(), MNT_DETACH);
        }
    }
    const std::string& Error() const { return m_error; }

private:
    std::string m_folder;
    bool m_mounted = false;
    std::string m_error;
};

using DiskFullFault = MovieMakerFixture;

TEST_F(DiskFullFault, BuildStopsNamingTheFileAndTheReason) {
    constexpr int kFrames = 10;
    long leadInPages = PagesFor(kLeadInBytes);
    long trackPages = PagesFor(kFrames * kBlockBytes + kTrackTailBytes);
    const struct {
        const char* step;
        long pages;
        const char* file;
        const char* lastCaption;
    } cases[] = {
        {"lead-in", leadInPages / 2, "0.bin", "Hold on..."},
        {"track file", leadInPages + trackPages / 2, "1.bin", "Making CH-1"},
        // Room for the lead-in and the track file to the page, none for the cue sheet.
        {"cue sheet", leadInPages + trackPages, "ZIDA.cue", "Making CH-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("disk full during the ") + c.step);
        m_window.Reset();
        UseRecording(PatternBytes(0, kCopyStart + kFrames * kBlockBytes));
        SmallDisk disk(m_folder / "Files", c.pages);
        if (!disk.Error().empty()) {
            GTEST_SKIP() << "cannot mount a tmpfs on Files/ (" << disk.Error()
                         << "); the disk-full faults need root with CAP_SYS_ADMIN";
        }
        m_maker.MakeMovie_Click();
        EXPECT_EQ(StopBoxText(), "Cannot write " + Out(c.file) + ": No space left on device");
        EXPECT_TRUE(m_window.Ended());
        EXPECT_EQ(m_window.Caption(Button::MakeMovie), c.lastCaption);
        ExpectSourceUnchanged();
        ExpectNothingWrittenOutsideFiles();
    }
}

}  // namespace
}  // namespace zv::test
