#include "params/FileProbe.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace zv {
namespace {

using test::TempFolder;
using test::WriteBytes;

TEST(FileProbeTest, TrueOnlyForARegularFileThatOpens) {
    TempFolder folder;
    WriteBytes(folder / "movie.raw", {1, 2, 3});
    WriteBytes(folder / "empty.raw", {});
    std::filesystem::create_directory(folder / "sub");
    WriteBytes(folder / "sub/inner.raw", {4});
    std::filesystem::create_symlink(folder / "movie.raw", folder / "link.raw");
    std::filesystem::create_symlink(folder / "gone.raw", folder / "dangling.raw");
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0644), 0);

    const struct {
        std::string path;
        bool exists;
    } cases[] = {
        {folder / "movie.raw", true},
        {folder / "empty.raw", true},
        {folder / "sub/inner.raw", true},
        {folder / "link.raw", true},
        {folder / "missing.raw", false},
        {folder / "dangling.raw", false},
        {folder / "sub", false},
        {folder / "", false},  // an empty source name: the program folder itself
        {folder / "pipe", false},
        {folder / "movie.raw/x", false},
        {folder.Path() + "/" + folder.Path() + "/movie.raw", false},  // absolute name appended
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileExists(c.path), c.exists) << c.path;
    }
}

}  // namespace
}  // namespace zv
