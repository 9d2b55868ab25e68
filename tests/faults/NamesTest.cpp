#include <algorithm>
#include <filesystem>

#include "tests/faults/FaultTest.h"

namespace zv::test {
namespace {

constexpr int kFrames = 2;
constexpr std::size_t kBuildHeadBytes = 13 * 80 + 46 + 2;
constexpr std::size_t kTrackTailBytes = 81'620;

class RecordingNameFault : public FaultTest {};

TEST_F(RecordingNameFault, SpacesNonAsciiAndSubfoldersAreFoundAndBuilt) {
    for (const std::string name : {"my movie.raw", "Zvěřinec ÿ ß.raw", "sub/movie.raw",
                                   "a b/Čé ü/film 1 .raw", " leading blank.raw"}) {
        SCOPED_TRACE(name);
        FreshFolder();
        std::filesystem::create_directories(std::filesystem::path(Folder() / name).parent_path());
        PlaceRecording(name, kFrames);

        RecordingWindow preview(Folder().Path());
        Click(preview, false);
        EXPECT_TRUE(preview.Messages().empty());
        EXPECT_EQ(preview.Caption(Button::Check), "Check Again?");
        EXPECT_EQ(preview.pixels.size(), std::size_t{kFrames} * 81 * 80);

        RecordingWindow build(Folder().Path());
        Click(build, true);
        std::vector<std::string> expectedMessages = {
            "64 ZIDA ready to be written by CDRWIN!: Exit this program and use CDRWIN to burn."};
        EXPECT_EQ(build.Messages(), expectedMessages);
        EXPECT_EQ(build.Caption(Button::MakeMovie), "Finished!");

        std::vector<unsigned char> source = ReadBytes(SourcePath());
        std::vector<unsigned char> track = ReadBytes(Folder() / "Files/1.bin");
        ASSERT_EQ(track.size(), source.size() - kBuildHeadBytes + kTrackTailBytes);
        EXPECT_TRUE(std::equal(source.begin() + kBuildHeadBytes, source.end(), track.begin()));
        ExpectRecordingUnchanged(SourcePath());
        ExpectNothingWrittenOutsideFiles();
    }
}

}  // namespace
}  // namespace zv::test
