#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "app/MovieMaker.h"
#include "tests/faults/FolderState.h"
#include "tests/support/RecordingWindow.h"
#include "tests/support/TempFolder.h"

namespace zv::test {

// A program folder holding one recording; remembers the recording's hash and everything outside
// Files/ so that a test can show that a fault touched neither.
class FaultTest : public ::testing::Test {
protected:
    // Tables run each case in a folder of its own.
    void FreshFolder() {
        m_folder.reset();
        m_folder.emplace();
    }
    const TempFolder& Folder() const { return *m_folder; }

    void PlaceRecording(const std::string& name, int frames) {
        m_name = name;
        WriteBytes(SourcePath(), MakeRecording(frames));
        Remember();
    }
    void Remember() {
        m_hash = FileHash(SourcePath());
        m_before = ListOutsideFiles(m_folder->Path());
    }
    std::string SourcePath() const { return *m_folder / m_name; }

    // The window's view of the boxes after the user typed the name; the offsets keep their
    // defaults.
    void Click(RecordingWindow& window, bool build) {
        window.boxes[Box::ZIDAFile] = m_name;
        MovieMaker maker(window);
        maker.Form_Load();
        maker.ZIDAFile_Change();
        if (build) {
            maker.MakeMovie_Click();
        } else {
            maker.Check_Click();
        }
    }

    void ExpectRecordingUnchanged(const std::string& path) const {
        EXPECT_EQ(FileHash(path), m_hash) << path << " was changed";
    }
    void ExpectNothingWrittenOutsideFiles() const {
        EXPECT_EQ(ListOutsideFiles(m_folder->Path()), m_before);
    }

    std::optional<TempFolder> m_folder{std::in_place};
    std::string m_name;
    std::uint64_t m_hash = 0;
    std::map<std::string, std::string> m_before;
};

}  // namespace zv::test
