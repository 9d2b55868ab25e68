#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "tests/faults/FaultTest.h"

namespace zv::test {
namespace {

// Opening a pipe for reading waits for a writer: should the probe or the open do so, the alarm
// ends the test program instead of hanging it.
constexpr unsigned kHangSeconds = 20;

class NamedPipeFault : public FaultTest {};

TEST_F(NamedPipeFault, ProbeSaysNotFoundAndNothingHangs) {
    m_name = "movie.raw";
    ASSERT_EQ(::mkfifo(SourcePath().c_str(), 0644), 0);
    m_before = ListOutsideFiles(Folder().Path());

    for (bool build : {false, true}) {
        SCOPED_TRACE(build ? "Make Movie" : "Check Alignment");
        RecordingWindow window(Folder().Path());
        ::alarm(kHangSeconds);
        Click(window, build);
        ::alarm(0);

        std::vector<std::string> messages = window.Messages();
        ASSERT_EQ(messages.size(), 1u);
        std::printf("[ fault    ] recording is a named pipe (%s): \"%s\"\n",
                    build ? "Make Movie" : "Check Alignment", messages.front().c_str());
        EXPECT_EQ(messages.front(), "16 File not found!: " + SourcePath() + " NOT FOUND!");
        EXPECT_FALSE(window.Ended());
        EXPECT_EQ(window.Caption(Button::Check), "Check Alignment");
        EXPECT_EQ(window.Caption(Button::MakeMovie), "Make Movie");
        EXPECT_TRUE(window.pixels.empty());
        EXPECT_FALSE(PathExists(Folder() / "Files"));
        ExpectNothingWrittenOutsideFiles();
    }
}

}  // namespace
}  // namespace zv::test
