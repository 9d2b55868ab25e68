#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
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
// Where the default offsets (13 lines, 46 bytes) put the preview's first group; the build skips
// two bytes more.
inline constexpr std::int64_t kPreviewStart = 1'086;
inline constexpr std::int64_t kCopyStart = kPreviewStart + 2;
inline constexpr char kSourceName[] = "movie.raw";

// A MovieMaker bound to a recording window whose program folder is a fresh temporary folder.
class MovieMakerFixture : public ::testing::Test {
protected:
    void SetUp() override { m_maker.Form_Load(); }

    // Writes the recording and types its name into the name box; notes what lies outside Files/.
    void UseRecording(const std::vector<unsigned char>& bytes,
                      const std::string& name = kSourceName) {
        m_source = bytes;
        m_sourceName = name;
        WriteBytes(m_folder / name, bytes);
        NameSource(name);
        m_outside = ListFolder(m_folder.Path(), "Files");
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
    void ExpectSourceUnchanged() const {
        EXPECT_TRUE(ReadBytes(m_folder / m_sourceName) == m_source) << m_sourceName << " changed";
    }
    void ExpectNothingWrittenOutsideFiles() const {
        EXPECT_EQ(ListFolder(m_folder.Path(), "Files"), m_outside);
    }
    // The text of the one stop box shown, or "" when there was none or more than one.
    std::string StopBoxText() const {
        constexpr std::string_view kStop = "16 ZE Veduz: ";
        std::vector<std::string> messages = m_window.Messages();
        return messages.size() == 1 && messages[0].starts_with(kStop)
                   ? messages[0].substr(kStop.size())
                   : "";
    }
    // The two events of the standard error report; the box text must contain every part.
    void ExpectStandardError(const std::vector<std::string>& parts) const {
        ASSERT_GE(m_window.events.size(), 2u);
        EXPECT_TRUE(m_window.events[m_window.events.size() - 2].starts_with("message 16 "));
        std::string box = StopBoxText();
        for (const std::string& part : parts) {
            EXPECT_NE(box.find(part), std::string::npos) << box << " lacks " << part;
        }
        EXPECT_EQ(m_window.events.back(), "end");
    }

    TempFolder m_folder;
    RecordingWindow m_window{m_folder.Path()};
    MovieMaker m_maker{m_window};
    std::vector<unsigned char> m_source;
    std::string m_sourceName = kSourceName;
    std::map<std::string, std::string> m_outside;
};

}  // namespace zv::test
