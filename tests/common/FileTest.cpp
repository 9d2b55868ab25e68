#include "common/File.h"

#include <gtest/gtest.h>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

using FileTest = MovieMakerFixture;

#ifndef _WIN32
// Every failure names the action, the path and the system's reason.
TEST_F(FileTest, FailuresNameTheActionThePathAndTheReason) {
    const std::string& folder = m_folder.Path();
    const std::string data = m_folder / "data";
    const std::string gone = m_folder / "gone";
    WriteBytes(data, {1, 2, 3});
    const struct {
        std::function<void()> run;
        std::string message;
    } cases[] = {
        {[&] { File::OpenForReading(gone); },
         "Cannot open " + gone + ": No such file or directory"},
        {[&] { File::OpenForReading(folder); }, "Cannot read " + folder + ": Is a directory"},
        {[&] { Folder::Open(folder).CreateNew("gone/x"); },
         "Cannot create " + gone + "/x: No such file or directory"},
        {[&] { File::OpenForReading(data).Write("x", 1); },
         "Cannot write " + data + ": Bad file descriptor"},
        {[&] { Folder::Open(data); }, "Cannot open folder " + data + ": Not a directory"},
        {[&] { MakeFolder(gone + "/x"); },
         "Cannot create folder " + gone + "/x: No such file or directory"},
        {[&] { Folder::Open(folder).Remove("gone"); },
         "Cannot remove " + gone + ": No such file or directory"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorOf(c.run), c.message);
    }
    // A folder another build made first is no failure: the lock decides between the two.
    EXPECT_FALSE(MakeFolder(folder));
}
#endif

// A byte of data, then zeros; read back in one call.
TEST_F(FileTest, ZerosAndReadsAcrossBufferEdges) {
    const std::string path = m_folder / "zeros";
    for (std::size_t zeros : {0u, 65'535u, 65'536u, 65'537u, 131'073u}) {
        fs::remove(path);
        File out = Folder::Open(m_folder.Path()).CreateNew("zeros");
        out.Write("A", 1);
        out.WriteZeros(zeros);
        out.Close();
        std::vector<unsigned char> expected(zeros + 1, 0);
        expected[0] = 'A';
        std::vector<unsigned char> read(zeros + 2, 0xEE);
        read.resize(File::OpenForReading(path).Read(read.data(), read.size()));
        EXPECT_TRUE(read == expected) << zeros << " zeros";
    }
}

}  // namespace
}  // namespace zv::test
