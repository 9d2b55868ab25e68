#include "disc/GetFileSize.h"

#include <gtest/gtest.h>

#include <string>

#include "common/StandardError.h"
#include "tests/support/TempFolder.h"

namespace zv {
namespace {

using test::TempFolder;

const struct {
    std::int32_t length;
    const char* text;
    std::int32_t whole;
} kSizes[] = {
    {0, "0", 0},
    {1, "1", 1},
    {1'023, "1023", 1'023},
    {1'024, "1", 1},
    {1'025, "1.001", 1},
    {2'047, "1.999", 1},  // the largest fraction stays below the next whole number
    {2'048, "2", 2},
    {100'000, "97.6562", 97},  // 97.65625: a tie, to the even digit
    {896'156, "875.1523", 875},
    {10'665'620, "10415.6445", 10'415},
    {81'620, "79.707", 79},
    {93'380, "91.1914", 91},
    {1'010'660, "986.9727", 986},
    {3'729'620, "3642.207", 3'642},
    {1'049'088, "1024.5", 1'024},
    {1'048'576 + 52, "1024.0508", 1'024},  // 1024.05078125 rounds up
    {2'147'483'647, "2097151.999", 2'097'151},
};

// Measured on sparse files of each length, and the whole kilobytes the total takes from the text.
TEST(GetFileSizeTest, SizeTextsOfFilesOnDisk) {
    TempFolder folder;
    for (const auto& size : kSizes) {
        std::string path = folder / (std::to_string(size.length) + ".bin");
        test::MakeSparseFile(path, size.length);
        EXPECT_EQ(GetFileSize(path), size.text) << size.length;
        EXPECT_EQ(WholePartOf(size.text), size.whole) << size.text;
    }
}

TEST(GetFileSizeTest, ALengthBeyond32BitsOrNoFileIsAnError) {
    TempFolder folder;
    std::string huge = folder / "huge.bin";
    test::MakeSparseFile(huge, 2'147'483'648);
    const std::string paths[] = {huge, folder / "missing.bin"};
    for (const std::string& path : paths) {
        try {
            GetFileSize(path);
            ADD_FAILURE() << path << " measured";
        } catch (const StandardError& error) {
            EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
        }
    }
}

}  // namespace
}  // namespace zv
