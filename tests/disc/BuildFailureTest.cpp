#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

constexpr std::int64_t kDefaultCopyStart = 1'088;
constexpr uid_t kNobody = 65'534;

using BuildFailureTest = MovieMakerFixture;

TEST_F(BuildFailureTest, AMissingSourceIsReportedAndNothingIsMade) {
    std::filesystem::create_directory(m_folder / "sub");
    const char* names[] = {"missing.raw", "", "sub", "/missing.raw"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        m_window.events.clear();
        NameSource(name);
        m_maker.MakeMovie_Click();
        EXPECT_EQ(m_window.events,
                  std::vector<std::string>{"message 16 File not found!: " + m_folder.Path() + "/" +
                                           name + " NOT FOUND!"});
        EXPECT_FALSE(PathExists(m_folder / "Files"));
        EXPECT_EQ(m_window.captions[Button::MakeMovie], "Make Movie");
    }
}

TEST_F(BuildFailureTest, APlainFileNamedFilesStopsTheBuildAfterHoldOn) {
    UseRecording(PatternBytes(0, 5'000));
    WriteBytes(m_folder / "Files", {'p', 'l', 'a', 'i', 'n'});
    m_maker.MakeMovie_Click();
    ASSERT_EQ(m_window.events.size(), 3u);
    EXPECT_EQ(m_window.events[0], "caption MakeMovie Hold on...");
    ExpectStandardError({m_folder / "Files/0.bin", "Not a directory"});
    EXPECT_EQ(ReadBytes(m_folder / "Files"), (std::vector<unsigned char>{'p', 'l', 'a', 'i', 'n'}));
    ExpectSourceUnchanged();
}

TEST_F(BuildFailureTest, UpLines410StopsAfterTheLeadInWithAnEmptyFirstTrack) {
    SetHead(410, 0);
    UseRecording(PatternBytes(0, 40'000));
    m_maker.MakeMovie_Click();
    ASSERT_EQ(m_window.events.size(), 3u);
    EXPECT_EQ(m_window.events[0], "caption MakeMovie Hold on...");
    ExpectStandardError({"Overflow", "410", "80"});
    EXPECT_EQ(m_window.captions[Button::MakeMovie], "Hold on...");
    EXPECT_EQ(FileLength(Track(0)), kLeadInBytes);
    EXPECT_TRUE(IsAllZeros(Track(0)));
    EXPECT_EQ(FileLength(Track(1)), 0);
    ExpectSourceUnchanged();
}

TEST_F(BuildFailureTest, ASourceShorterThanTheHeadIsAnError) {
    const std::int64_t lengths[] = {0, 1'000, 1'086, 1'087};
    for (std::int64_t length : lengths) {
        SCOPED_TRACE(length);
        m_window.events.clear();
        UseRecording(PatternBytes(0, length));
        m_maker.MakeMovie_Click();
        ASSERT_EQ(m_window.events.size(), 3u);
        EXPECT_EQ(m_window.events[0], "caption MakeMovie Hold on...");
        ExpectStandardError({m_folder / kSourceName, std::to_string(length) + " bytes",
                             std::to_string(kDefaultCopyStart) + " bytes"});
        EXPECT_EQ(FileLength(Track(0)), kLeadInBytes);
        EXPECT_EQ(FileLength(Track(1)), 0);
        EXPECT_FALSE(PathExists(Out("ZIDA.cue")));
        ExpectSourceUnchanged();
    }
}

// Permissions do not hold for root: the build runs in a child that is the user nobody.
std::vector<std::string> BuildAsNobody(const std::string& programFolder, std::string* skip) {
    int channel[2];
    if (::pipe(channel) != 0) {
        *skip = std::string("pipe: ") + std::strerror(errno);
        return {};
    }
    pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
            ::setresuid(kNobody, kNobody, kNobody) != 0) {
            ::_exit(3);
        }
        std::string out;
        {
            RecordingWindow window(programFolder);
            MovieMaker maker(window);
            maker.Form_Load();
            maker.Values().SourceName = kSourceName;
            maker.MakeMovie_Click();
            for (const std::string& event : window.events) {
                out += event + "\n";
            }
        }
        bool sent = ::write(channel[1], out.data(), out.size()) == ssize_t(out.size());
        ::_exit(sent ? 0 : 4);
    }
    ::close(channel[1]);
    std::string out;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
        out.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        *skip = "the child could not become nobody (status " + std::to_string(status) + ")";
        return {};
    }
    std::vector<std::string> events;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        events.push_back(line);
    }
    return events;
}

TEST_F(BuildFailureTest, AnOutputFolderThatCannotBeWrittenStopsTheBuild) {
    UseRecording(PatternBytes(0, 5'000));
    const struct {
        const char* name;
        bool filesExists;
        std::vector<std::string> parts;
    } cases[] = {
        {"read-only Files", true, {"Cannot create " + Out("0.bin"), "Permission denied"}},
        {"read-only program folder",
         false,
         {"Cannot create folder " + (m_folder / "Files"), "Permission denied"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(m_folder / "Files");
        if (c.filesExists) {
            std::filesystem::create_directory(m_folder / "Files");
            ::chmod((m_folder / "Files").c_str(), 0555);
        }
        ::chmod(m_folder.Path().c_str(), c.filesExists ? 0755 : 0555);
        std::string skip;
        m_window.events = BuildAsNobody(m_folder.Path(), &skip);
        ::chmod(m_folder.Path().c_str(), 0700);
        if (!skip.empty()) {
            GTEST_SKIP() << "cannot test permissions: " << skip;
        }
        ASSERT_EQ(m_window.events.size(), c.filesExists ? 3u : 2u);
        ExpectStandardError(c.parts);
        EXPECT_EQ(PathExists(m_folder / "Files"), c.filesExists);
        if (c.filesExists) {
            EXPECT_EQ(m_window.events[0], "caption MakeMovie Hold on...");
            EXPECT_FALSE(PathExists(Out("0.bin")));
        }
        ExpectSourceUnchanged();
    }
}

// A small file system mounted over a folder for the life of the object.
class SmallDisk {
public:
    SmallDisk(const std::string& folder, const char* size) : m_folder(folder) {
        std::filesystem::create_directory(folder);
        std::string options = std::string("size=") + size;
        if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0) {
            m_mounted = true;
        } else {
            m_failure = std::strerror(errno);
        }
    }
    ~SmallDisk() {
        if (m_mounted) {
            ::umount2(m_folder.c_str(), MNT_DETACH);
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return m_mounted; }
    const std::string& Failure() const { return m_failure; }

private:
    std::string m_folder;
    bool m_mounted = false;
    std::string m_failure;
};

TEST_F(BuildFailureTest, AFullDiskDuringTheCopyStopsTheBuild) {
    UseRecording(PatternBytes(0, kDefaultCopyStart + 2'000'000));
    SmallDisk disk(m_folder / "Files", "2m");
    if (!disk.Mounted()) {
        GTEST_SKIP() << "cannot mount a small tmpfs: " << disk.Failure();
    }
    m_maker.MakeMovie_Click();
    ASSERT_GE(m_window.events.size(), 4u);
    EXPECT_EQ(m_window.events[0], "caption MakeMovie Hold on...");
    EXPECT_EQ(m_window.events[1], "caption MakeMovie Making CH-1");
    ExpectStandardError({"Cannot write " + Track(1), "No space left on device"});
    EXPECT_EQ(FileLength(Track(0)), kLeadInBytes);
    EXPECT_FALSE(PathExists(Out("ZIDA.cue")));
    EXPECT_FALSE(PathExists(Track(2)));
    ExpectSourceUnchanged();
}

}  // namespace
}  // namespace zv::test
