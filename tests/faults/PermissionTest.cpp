#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

// nobody: a user without the override that lets root write anywhere.
constexpr uid_t kNobody = 65'534;

class PermissionFault : public MovieMakerFixture {
protected:
    // Root writes anywhere, so the build runs in a child that has given up being root. Returns
    // "<stop box text>|<caption of MakeMovie>", or "" with `skip` set.
    std::string BuildAsNobody(std::string& skip) {
        int channel[2];
        if (::pipe(channel) != 0) {
            skip = "no pipe to the child";
            return "";
        }
        pid_t child = ::fork();
        if (child == 0) {
            ::close(channel[0]);
            if (::geteuid() == 0 &&
                (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
                 ::setresuid(kNobody, kNobody, kNobody) != 0)) {
                ::_exit(3);
            }
            m_maker.MakeMovie_Click();
            std::string result = StopBoxText() + "|" + m_window.Caption(Button::MakeMovie);
            bool sent = ::write(channel[1], result.data(), result.size()) == ssize_t(result.size());
            ::_exit(sent ? 0 : 4);
        }
        ::close(channel[1]);
        std::string result;
        char buffer[512];
        for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
            result.append(buffer, static_cast<std::size_t>(got));
        }
        ::close(channel[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            skip = "the child could not drop to an unprivileged user";
        }
        return result;
    }
};

TEST_F(PermissionFault, AnUnwritableOutputFolderStopsTheBuild) {
    const std::string files = m_folder / "Files";
    const struct {
        const char* name;
        bool filesExists;  // read-only; else the program folder is read-only
        std::string result;
    } cases[] = {
        {"read-only Files", true,
         "Cannot create " + files + "/0.bin: Permission denied|Hold on..."},
        {"read-only program folder", false,
         "Cannot create folder " + files + ": Permission denied|Make Movie"},
    };
    UseRecording(PatternBytes(0, 5'000));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(files);
        if (c.filesExists) {
            ::mkdir(files.c_str(), 0555);
        }
        ::chmod(m_folder.Path().c_str(), c.filesExists ? 0755 : 0555);
        m_outside = ListFolder(m_folder.Path(), "Files");
        std::string skip;
        std::string result = BuildAsNobody(skip);
        ::chmod(m_folder.Path().c_str(), 0700);
        if (!skip.empty()) {
            GTEST_SKIP() << skip;
        }
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(PathExists(files), c.filesExists);
        EXPECT_FALSE(PathExists(Out("0.bin")));
        ExpectSourceUnchanged();
        ExpectNothingWrittenOutsideFiles();
    }
}

}  // namespace
}  // namespace zv::test
