#pragma once

#include <optional>
#include <string>

#include "common/File.h"
#include "params/Paths.h"

namespace zv {

// The folder Files/ while one build writes its set there. The build holds it alone until the
// build ends, and never writes over or removes the recording, whatever name or link leads to it.
class OutputFolder {
public:
    explicit OutputFolder(const Paths& paths);

    const Paths& Names() const { return m_paths; }
    // Creates the folder when nothing of its name is there; a plain file is left as it is.
    void MakeIfMissing();
    // Locks the folder for this build and notes which file the recording is. Fails when another
    // build holds the folder, or when a file every build writes is the recording.
    void Claim(const std::string& recordingPath);

    // The output file, opened empty.
    File Create(const std::string& path);
    void Remove(const std::string& path);
    // Removed and the removal flushed: a build that stops later leaves no sheet over a mixed set.
    void RemoveCueSheet();
    // The set reaches stable storage: 0.bin up to the file before number `files`, the cue sheet,
    // then the folder's entries.
    void Flush(int files);

private:
    bool IsRecording(const std::optional<FileId>& id) const;
    [[noreturn]] void RefuseRecording(const std::string& path, const std::string& action) const;

    const Paths& m_paths;
    std::optional<File> m_folder;
    std::string m_recordingPath;
    std::optional<FileId> m_recording;
};

}  // namespace zv
