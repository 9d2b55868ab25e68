#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "tests/faults/FaultTest.h"

namespace zv::test {
namespace {

// Changes the recording behind the build's back once the probe has found it: the build writes
// the lead-in after "Hold on..." and only then opens the recording.
class SwappingWindow : public RecordingWindow {
public:
    using RecordingWindow::RecordingWindow;

    void SetCaption(Button button, const std::string& text) override {
        RecordingWindow::SetCaption(button, text);
        if (text == "Hold on..." && swap) {
            swap();
        }
    }

    std::function<void()> swap;
};

struct SwapCase {
    std::string what;
    bool folderInItsPlace;
    std::string reason;
};

class RecordingSwappedFault : public FaultTest {};

TEST_F(RecordingSwappedFault, BetweenProbeAndOpen) {
    const SwapCase cases[] = {
        {"removed", false, "Cannot open %s: No such file or directory"},
        {"replaced by a folder", true, "Cannot read %s: Is a directory"},
    };
    for (const SwapCase& fault : cases) {
        SCOPED_TRACE("recording " + fault.what);
        FreshFolder();
        PlaceRecording("movie.raw", 2);
        TempFolder away;
        std::string keptPath = away / "movie.raw";

        SwappingWindow window(Folder().Path());
        window.swap = [&] {
            std::filesystem::rename(SourcePath(), keptPath);
            if (fault.folderInItsPlace) {
                std::filesystem::create_directory(SourcePath());
            }
        };
        Click(window, true);

        std::string text = StopBoxText(window);
        std::printf("[ fault    ] recording %s between probe and open: \"%s\"\n",
                    fault.what.c_str(), text.c_str());
        char expected[1024];
        std::snprintf(expected, sizeof expected, fault.reason.c_str(), SourcePath().c_str());
        EXPECT_EQ(text, expected);
        EXPECT_TRUE(window.Ended());
        ExpectRecordingUnchanged(keptPath);
        // Only the test's own swap shows outside Files/.
        std::map<std::string, std::string> expectedEntries = m_before;
        expectedEntries.erase("movie.raw");
        if (fault.folderInItsPlace) {
            expectedEntries["movie.raw"] = "folder";
        }
        EXPECT_EQ(ListOutsideFiles(Folder().Path()), expectedEntries);
    }
}

}  // namespace
}  // namespace zv::test
