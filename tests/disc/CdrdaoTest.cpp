#include <gtest/gtest.h>

#include <cstdio>

#include "sample/TestCard.h"
#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

struct Output {
    int status = -1;
    std::string text;
};

Output RunIn(const std::string& folder, const std::string& command) {
    Output output;
    FILE* pipe = ::popen(("cd '" + folder + "' && " + command).c_str(), "r");
    char buffer[4'096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.text.append(buffer, got);
    }
    output.status = ::pclose(pipe);
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

    Output toc = RunIn(m_folder / "Files", "cdrdao show-toc ZIDA.cue 2>&1");
    EXPECT_EQ(toc.status, 0) << toc.text;
    EXPECT_EQ(toc.text.find("ERROR"), std::string::npos) << toc.text;

    // Its size in sectors of 2,352 bytes, each file padded to a whole sector: 382 + 4,535 + 1,535
    // + 127,630 for the four tracks' files of 896,156, 10,665,620, 3,609,620 and 300,185,000 bytes.
    Output size = RunIn(m_folder / "Files", "cdrdao toc-size --force ZIDA.cue");
    EXPECT_EQ(size.status, 0);
    EXPECT_EQ(size.text, "134082\n");
}

}  // namespace
}  // namespace zv::test
