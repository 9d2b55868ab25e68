#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/MovieMaker.h"
#include "tests/support/RecordingWindow.h"
#include "tests/support/Recordings.h"
#include "tests/support/TempFolder.h"

namespace zv::test {

inline constexpr std::int64_t kLeadInBytes = 896'156;
inline constexpr std::int64_t kTrackTailBytes = 81'620;
inline constexpr std::int64_t kBlockBytes = 11'760;
inline constexpr std::int64_t kTrackDataBytes = 900 * kBlockBytes;
inline constexpr std::int64_t kFullTrackBytes = kTrackDataBytes + kTrackTailBytes;
inline constexpr char kSourceName[] = "movie.raw";

// A MovieMaker bound to a recording window whose program folder is a fresh temporary folder.
class MovieMakerFixture : public ::testing::Test {
protected:
    void SetUp() override { m_maker.Form_Load(); }

    // Writes the recording and types its name into the name box.
    void UseRecording(const std::vector<unsigned char>& bytes) {
        m_source = bytes;
        WriteBytes(m_folder / kSourceName, bytes);
        NameSource(kSourceName);
    }
    void NameSource(const std::string& name) {
        m_window.boxes[Box::ZIDAFile] = name;
        m_maker.ZIDAFile_Change();
    }
    void SetHead(std::int16_t upLines, std::int16_t skewBytes) {
        m_maker.Values().UpLines = upLines;
        m_maker.Values().SkewBytes = skewBytes;
    }
    std::string Out(const std::string& name) const { return m_folder / ("Files/" + name); }
    std::string Track(int number) const { return Out(std::to_string(number) + ".bin"); }
    void ExpectSourceUnchanged() const { EXPECT_EQ(ReadBytes(m_folder / kSourceName), m_source); }
    // The two events of the standard error report; the box text must contain every part.
    void ExpectStandardError(const std::vector<std::string>& parts) const {
        ASSERT_GE(m_window.events.size(), 2u);
        const std::string& box = m_window.events[m_window.events.size() - 2];
        EXPECT_TRUE(box.starts_with("message 16 ")) << box;
        for (const std::string& part : parts) {
            EXPECT_NE(box.find(part), std::string::npos) << box << " lacks " << part;
        }
        EXPECT_EQ(m_window.events.back(), "end");
        EXPECT_EQ(m_window.Messages().size(), 1u);
    }

    TempFolder m_folder;
    RecordingWindow m_window{m_folder.Path()};
    MovieMaker m_maker{m_window};
    std::vector<unsigned char> m_source;
};

}  // namespace zv::test
