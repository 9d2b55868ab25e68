#include "disc/TrackSplitter.h"

#include <gtest/gtest.h>

#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

using Captions = std::vector<std::string>;
using TrackSplitterTest = MovieMakerFixture;

// L bytes follow the head: 900 blocks of 11,760 bytes a track file, each file closed with 81,620
// zeros and the next started when one is full. Check counts the blocks of each file down.
TEST_F(TrackSplitterTest, TrackLayoutIsByteExact) {
    const Captions kOneFile = {"Hold on...", "Making CH-1", "Finished!"};
    const Captions kTwoFiles = {"Hold on...", "Making CH-1", "Making CH-3", "Finished!"};
    const struct {
        std::int64_t copied;  // L
        std::vector<std::int64_t> trackBytes;
        std::int64_t fillerBytes;
        Captions makeMovie;
        std::vector<std::pair<int, int>> countdowns;  // from, down to
    } cases[] = {
        {0, {81620}, 314046000, kOneFile, {}},
        {11759, {93379}, 314034000, kOneFile, {}},
        {11760, {93380}, 314034000, kOneFile, {{900, 900}}},
        {10584000, {10665620, 81620}, 303631000, kTwoFiles, {{900, 1}}},
        {10584001, {10665620, 81621}, 303631000, kTwoFiles, {{900, 1}}},
        {10607521, {10665620, 105141}, 303608000, kTwoFiles, {{900, 1}, {900, 899}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.copied);
        m_window.Reset();
        UseRecording(PatternBytes(0, kCopyStart + c.copied));
        m_maker.MakeMovie_Click();

        auto shown = [&](std::string_view caption) {
            Captions texts;
            for (std::string_view event : m_window.events) {
                if (event.starts_with(caption)) {
                    texts.emplace_back(event.substr(caption.size()));
                }
            }
            return texts;
        };
        EXPECT_EQ(shown("caption MakeMovie "), c.makeMovie);
        Captions countdown;
        for (auto [from, to] : c.countdowns) {
            for (int left = from; left >= to; --left) {
                countdown.push_back(" " + std::to_string(left));
            }
        }
        countdown.push_back("Finished!");
        EXPECT_EQ(shown("caption Check "), countdown);
        // The second file is announced once the first file's last block is counted.
        auto second = std::find(m_window.events.begin(), m_window.events.end(),
                                "caption MakeMovie Making CH-3");
        EXPECT_TRUE(second == m_window.events.end() || second[-1] == "caption Check  1");

        EXPECT_EQ(fs::file_size(Track(0)), 896'156u);
        EXPECT_TRUE(IsAllZeros(Track(0)));
        auto data = m_source.begin() + kCopyStart;
        for (int number = 1; number <= std::ssize(c.trackBytes); ++number) {
            std::vector<unsigned char> track = ReadBytes(Track(number));
            ASSERT_EQ(std::ssize(track), c.trackBytes[number - 1]) << number << ".bin";
            auto dataEnd = std::min(data + 10'584'000, m_source.end());
            EXPECT_TRUE(std::equal(data, dataEnd, track.begin())) << number << ".bin";
            EXPECT_TRUE(std::all_of(track.begin() + (dataEnd - data), track.end(),
                                    [](unsigned char byte) { return byte == 0; }));
            data = dataEnd;
        }
        int filler = static_cast<int>(c.trackBytes.size()) + 1;
        EXPECT_EQ(fs::file_size(Track(filler)), c.fillerBytes);
        EXPECT_TRUE(IsAllZeros(Track(filler)));
        EXPECT_FALSE(fs::exists(Track(filler + 1)));
        ExpectSourceUnchanged();
    }
}

}  // namespace
}  // namespace zv::test
