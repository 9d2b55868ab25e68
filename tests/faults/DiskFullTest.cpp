#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tests/faults/FaultTest.h"

namespace zv::test {
namespace {

constexpr long kLeadInBytes = 896'156;
constexpr long kTrackTailBytes = 81'620;
constexpr int kFrames = 10;

long PagesFor(long bytes) {
    long page = ::sysconf(_SC_PAGESIZE);
    return (bytes + page - 1) / page;
}

// A small tmpfs on Files/, so that the disk fills at a chosen step of the build.
class SmallDisk {
public:
    SmallDisk(std::string path, long pages) : m_path(std::move(path)) {
        std::filesystem::create_directory(m_path);
        std::string options =
            "size=" + std::to_string(pages * ::sysconf(_SC_PAGESIZE)) + ",mode=0755";
        if (::mount("tmpfs", m_path.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0) {
            m_mounted = true;
        } else {
            m_error = std::strerror(errno);
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    ~SmallDisk() {
        if (m_mounted) {
            ::umount2(m_path.c_str(), MNT_DETACH);
        }
    }
    bool Mounted() const { return m_mounted; }
    const std::string& Error() const { return m_error; }

private:
    std::string m_path;
    bool m_mounted = false;
    std::string m_error;
};

struct DiskFullCase {
    std::string step;
    long pages;
    std::string failingFile;
    std::string lastMakeMovieCaption;
};

class DiskFullFault : public FaultTest {};

TEST_F(DiskFullFault, BuildStopsNamingTheFileAndTheReason) {
    long leadInPages = PagesFor(kLeadInBytes);
    long trackPages = PagesFor(kFrames * 11'760L + kTrackTailBytes);
    const DiskFullCase cases[] = {
        {"lead-in", leadInPages / 2, "0.bin", "Hold on..."},
        {"track file", leadInPages + trackPages / 2, "1.bin", "Making CH-1"},
        // Room for the lead-in and the track file to the page, none for the cue sheet.
        {"cue sheet", leadInPages + trackPages, "ZIDA.cue", "Making CH-1"},
    };
    for (const DiskFullCase& fault : cases) {
        SCOPED_TRACE("disk full during the " + fault.step);
        FreshFolder();
        PlaceRecording("movie.raw", kFrames);
        SmallDisk disk(Folder() / "Files", fault.pages);
        if (!disk.Mounted()) {
            GTEST_SKIP() << "cannot mount a tmpfs on Files/ (" << disk.Error()
                         << "); the disk-full faults need root with CAP_SYS_ADMIN";
        }
        Remember();

        RecordingWindow window(Folder().Path());
        Click(window, true);

        std::string text = StopBoxText(window);
        std::printf("[ fault    ] disk full during the %s: \"%s\"\n", fault.step.c_str(),
                    text.c_str());
        EXPECT_EQ(text, "Cannot write " + Folder().Path() + "/Files/" + fault.failingFile +
                            ": No space left on device");
        EXPECT_TRUE(window.Ended());
        EXPECT_EQ(window.Caption(Button::MakeMovie), fault.lastMakeMovieCaption);
        ExpectRecordingUnchanged(SourcePath());
        ExpectNothingWrittenOutsideFiles();
    }
}

}  // namespace
}  // namespace zv::test
