#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "tests/faults/FaultTest.h"

namespace zv::test {
namespace {

// nobody: a user without the override that lets root write anywhere.
constexpr uid_t kUnprivilegedId = 65'534;
constexpr int kChildFailed = 3;

std::string ReadAll(int descriptor) {
    std::string text;
    char buffer[512];
    ssize_t got = 0;
    while ((got = ::read(descriptor, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

class FilesFolderFault : public FaultTest {
protected:
    // The build as it ran, as "<stop box text>\n<ended>\n<caption of MakeMovie>".
    std::string Build() {
        RecordingWindow window(Folder().Path());
        Click(window, true);
        return StopBoxText(window) + "\n" + (window.Ended() ? "ended" : "running") + "\n" +
               window.Caption(Button::MakeMovie);
    }

    // Root writes anywhere, so the build runs in a child that has given up being root.
    std::string BuildWithoutOverride(std::string& skipReason) {
        if (::geteuid() != 0) {
            return Build();
        }
        int channel[2];
        if (::pipe(channel) != 0) {
            skipReason = "no pipe to the child";
            return "";
        }
        pid_t child = ::fork();
        if (child == 0) {
            ::close(channel[0]);
            if (::setgroups(0, nullptr) != 0 ||
                ::setresgid(kUnprivilegedId, kUnprivilegedId, kUnprivilegedId) != 0 ||
                ::setresuid(kUnprivilegedId, kUnprivilegedId, kUnprivilegedId) != 0) {
                ::_exit(kChildFailed);
            }
            std::string result = Build();
            bool sent = ::write(channel[1], result.data(), result.size()) ==
                        static_cast<ssize_t>(result.size());
            ::_exit(sent ? 0 : kChildFailed);
        }
        ::close(channel[1]);
        std::string result = ReadAll(channel[0]);
        ::close(channel[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            skipReason = "the child could not drop to an unprivileged user";
            return "";
        }
        return result;
    }
};

TEST_F(FilesFolderFault, WithoutWritePermissionStopsAtTheLeadIn) {
    PlaceRecording("movie.raw", 2);
    // The child must still reach the folder and read the recording.
    ::chmod(Folder().Path().c_str(), 0755);
    ::mkdir((Folder() / "Files").c_str(), 0555);
    Remember();

    std::string skipReason;
    std::string result = BuildWithoutOverride(skipReason);
    if (!skipReason.empty()) {
        GTEST_SKIP() << skipReason;
    }
    std::string text = result.substr(0, result.find('\n'));
    std::printf("[ fault    ] Files/ without write permission: \"%s\"\n", text.c_str());
    EXPECT_EQ(result, "Cannot create " + Folder().Path() +
                          "/Files/0.bin: Permission denied\nended\nHold on...");
    EXPECT_FALSE(PathExists(Folder() / "Files/0.bin"));
    ExpectRecordingUnchanged(SourcePath());
    ExpectNothingWrittenOutsideFiles();
}

}  // namespace
}  // namespace zv::test
