#pragma once

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/MovieMaker.h"
#include "common/StandardError.h"
#include "tests/support/RecordingWindow.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace zv::test {

namespace fs = std::filesystem;

inline constexpr std::int64_t kBlockBytes = 11'760;
inline constexpr std::int64_t kTrackTailBytes = 81'620;
// Where the default offsets (13 lines, 46 bytes) put the preview's first group; the build's copy
// starts two bytes later.
inline constexpr std::int64_t kPreviewStart = 1'086;
inline constexpr std::int64_t kCopyStart = 1'088;
inline constexpr char kSourceName[] = "movie.raw";
// The set of a one-track recording of 5,000 bytes, as a build leaves it.
inline const std::map<std::string, std::string> kOneTrackSet = {
    {"0.bin", "896156"}, {"1.bin", "86620"}, {"2.bin", "314041000"}, {"ZIDA.cue", "162"}};

// The message of the StandardError that `run` throws, or "no error".
inline std::string ErrorOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const StandardError& error) {
        return error.what();
    }
    return "no error";
}

// A MovieMaker bound to a recording window whose program folder is a fresh temporary folder.
class MovieMakerFixture : public ::testing::Test {
protected:
    void SetUp() override { m_maker.Form_Load(); }

    // Writes the recording and types its name into the name box.
    void UseRecording(const std::vector<unsigned char>& bytes,
                      const std::string& name = kSourceName) {
        m_source = bytes;
        m_sourceName = name;
        WriteBytes(m_folder / name, bytes);
        NameSource(name);
    }
    void NameSource(const std::string& name) {
        m_window.boxes[Box::ZIDAFile] = name;
        m_maker.ZIDAFile_Change();
    }
    std::string Out(const std::string& name) const { return m_folder / ("Files/" + name); }
    std::string Track(int number) const { return Out(std::to_string(number) + ".bin"); }
    // Each file in Files/, or another folder, and its length.
    std::map<std::string, std::string> Sizes(const std::string& folder = "Files") const {
        std::map<std::string, std::string> sizes = ListFolder(m_folder / folder);
        for (auto& [name, entry] : sizes) {
            entry.erase(entry.find(' '));
        }
        return sizes;
    }
    void ExpectSourceUnchanged() const {
        EXPECT_TRUE(ReadBytes(m_folder / m_sourceName) == m_source) << m_sourceName << " changed";
    }
    // The text of the standard error report, a stop box titled "ZE Veduz" and then the end of
    // the program with status 1; empty when the operation ended in any other way.
    std::string StopBoxText() const {
        const std::string stop = "message 16 ZE Veduz: ";
        auto last = m_window.events.rbegin();
        bool reported =
            m_window.events.size() >= 2 && *last == "end 1" && last[1].starts_with(stop);
        return reported ? last[1].substr(stop.size()) : "";
    }

    TempFolder m_folder;
    RecordingWindow m_window{m_folder.Path()};
    MovieMaker m_maker{m_window};
    std::vector<unsigned char> m_source;
    std::string m_sourceName = kSourceName;
};

}  // namespace zv::test
