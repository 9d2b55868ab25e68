#include "params/SkipRule.h"

#include <gtest/gtest.h>

#include <string>

#include "common/File.h"
#include "common/StandardError.h"
#include "params/Paths.h"
#include "tests/support/Recordings.h"
#include "tests/support/TempFolder.h"

namespace zv {
namespace {

using test::TempFolder;

TEST(SkipRuleTest, HeadLengthIsUpLinesTimes80PlusSkew) {
    const struct {
        std::int16_t upLines;
        std::int16_t skewBytes;
        std::int64_t head;
    } cases[] = {
        {13, 46, 1'086},
        {0, 0, 0},
        {0, 3, 3},
        {1, 0, 80},
        {409, 0, 32'720},
        {409, 999, 33'719},
        {409, 32'767, 65'487},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HeadLength({c.skewBytes, c.upLines, ""}), c.head)
            << c.upLines << " lines, " << c.skewBytes << " bytes";
    }
    EXPECT_THROW(HeadLength({0, 410, ""}), StandardError);
    EXPECT_THROW(HeadLength({0, 999, ""}), StandardError);
}

TEST(SkipRuleTest, SkipHeadConsumesTheHeadOrReportsARecordingThatEndsInIt) {
    TempFolder folder;
    std::string path = folder / "movie.raw";
    const struct {
        std::int64_t length;
        bool whole;
    } cases[] = {{1'085, false}, {1'086, true}, {1'087, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        test::WriteBytes(path, test::PatternBytes(0, c.length));
        File source = File::OpenForReading(path);
        ASSERT_EQ(SkipHead(source, Parameters{}), c.whole);
        unsigned char next = 0;
        if (c.length > 1'086) {
            ASSERT_EQ(source.Read(&next, 1), 1u);
            EXPECT_EQ(next, test::PatternByte(1'086));
        }
    }
}

TEST(PathsTest, JoinsOntoTheProgramFolderAsItIs) {
    Paths paths("/opt/zv");
    EXPECT_EQ(paths.ProgramFolder(), "/opt/zv");
    EXPECT_EQ(paths.SourcePath("movie.raw"), "/opt/zv/movie.raw");
    EXPECT_EQ(paths.SourcePath(""), "/opt/zv/");
    EXPECT_EQ(paths.SourcePath("/abs/m.raw"), "/opt/zv//abs/m.raw");
    EXPECT_EQ(paths.OutputFolder(), "/opt/zv/Files");
    EXPECT_EQ(paths.TrackPath(0), "/opt/zv/Files/0.bin");
    EXPECT_EQ(paths.TrackPath(12), "/opt/zv/Files/12.bin");
    EXPECT_EQ(paths.TrackPath(100), "/opt/zv/Files/100.bin");
    EXPECT_EQ(paths.CueSheetPath(), "/opt/zv/Files/ZIDA.cue");
}

}  // namespace
}  // namespace zv
