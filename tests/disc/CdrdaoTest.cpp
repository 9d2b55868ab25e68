#include <gtest/gtest.h>

#include <cstdio>

#include "sample/TestCard.h"
#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

// What `command` prints, run in `folder`, and then "exit <its exit status>".
std::string RunIn(const std::string& folder, const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(("cd '" + folder + "' && " + command + "; echo exit $?").c_str(), "r");
    char buffer[4'096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    ::pclose(pipe);
    return output;
}

using CdrdaoTest = MovieMakerFixture;

// cdrdao, the burner on Linux, reads the set of the sample recording (two track files) where it
// lies, as a user in Files/ would run it.
TEST_F(CdrdaoTest, TheBurnerReadsTheSetInPlace) {
    sample::WriteSample(m_folder / "sample.raw");
    NameSource("sample.raw");
    m_maker.MakeMovie_Click();
    ASSERT_EQ(m_window.captions[Button::MakeMovie], "Finished!");

    std::string toc = RunIn(m_folder / "Files", "cdrdao show-toc ZIDA.cue 2>&1");
    EXPECT_TRUE(toc.ends_with("\nexit 0\n")) << toc;
    EXPECT_EQ(toc.find("ERROR"), std::string::npos) << toc;

    // Its size in sectors of 2,352 bytes, each file padded to a whole sector: 382 + 4,535 + 1,535
    // + 127,630 for the four tracks' files of 896,156, 10,665,620, 3,609,620 and 300,185,000 bytes.
    EXPECT_EQ(RunIn(m_folder / "Files", "cdrdao toc-size --force ZIDA.cue"), "134082\nexit 0\n");
}

}  // namespace
}  // namespace zv::test
