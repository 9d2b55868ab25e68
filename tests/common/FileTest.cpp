#include "common/File.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/StandardError.h"
#include "tests/support/Recordings.h"
#include "tests/support/TempFolder.h"

namespace zv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(FileTest, CreateEmptyDropsEveryByteOfAnEarlierFile) {
    TempFolder folder;
    std::string path = folder / "old.bin";
    WriteBytes(path, std::vector<unsigned char>(5'000, 0xEE));
    File file = File::CreateEmpty(path);
    file.Write("ab", 2);
    file.WriteZeros(3);
    file.Close();
    EXPECT_EQ(ReadBytes(path), (std::vector<unsigned char>{'a', 'b', 0, 0, 0}));
}

TEST(FileTest, ReadStopsAtTheEndAndCountsWhatCameIn) {
    TempFolder folder;
    std::string path = folder / "short.raw";
    WriteBytes(path, test::PatternBytes(0, 100));
    File file = File::OpenForReading(path);
    std::vector<unsigned char> buffer(64);
    EXPECT_EQ(file.Read(buffer.data(), buffer.size()), 64u);
    EXPECT_EQ(file.Read(buffer.data(), buffer.size()), 36u);
    EXPECT_EQ(buffer[35], test::PatternByte(99));
    EXPECT_EQ(file.Read(buffer.data(), buffer.size()), 0u);
}

TEST(FileTest, FailuresNameTheActionThePathAndTheReason) {
    TempFolder folder;
    struct Case {
        std::string path;
        bool forReading;
        std::string message;
    };
    const Case cases[] = {
        {folder / "missing.raw", true,
         "Cannot open " + (folder / "missing.raw") + ": No such file or directory"},
        {folder.Path(), true, "Cannot read " + folder.Path() + ": Is a directory"},
        {folder / "no/such.bin", false,
         "Cannot create " + (folder / "no/such.bin") + ": No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        try {
            if (c.forReading) {
                File::OpenForReading(c.path);
            } else {
                File::CreateEmpty(c.path);
            }
            ADD_FAILURE() << "no error";
        } catch (const StandardError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

}  // namespace
}  // namespace zv
