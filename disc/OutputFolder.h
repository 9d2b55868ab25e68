#pragma once

#include <optional>
#include <string>

#include "common/File.h"
#include "common/Folder.h"
#include "params/Paths.h"

namespace zv {

// The folder Files/ while one build writes its set there. The build holds it alone until the
// build ends, reaches every file through it by name, and never writes over or removes the
// recording, whatever name or link leads to it.
class OutputFolder {
public:
    explicit OutputFolder(const Paths& paths);

    const Paths& Names() const { return m_paths; }
    // Creates the folder when nothing of its name is there; a plain file is left as it is.
    void MakeIfMissing();
    // Holds the folder for this build: fails when another build holds it.
    void Claim();
    // Before anything is written: fails when a file this build writes or removes is the
    // recording. `lastNumber` is the filler's; leftovers after it and the cue sheet count too.
    void GuardRecording(const File& recording, int lastNumber);

    // The output file `name`, opened empty; a link of that name is replaced by a plain file.
    File Create(const std::string& name);
    File OpenForReading(const std::string& name) const;
    bool HoldsFile(const std::string& name) const;
    void Remove(const std::string& name);
    // The cue sheet and any draft of it are removed and the removal flushed: a build that stops
    // later leaves no sheet over a mixed set.
    void RemoveCueSheet();
    // Files 0.bin up to the one before `files` and the draft sheet reach stable storage; only
    // then does the draft become ZIDA.cue, and the folder is flushed.
    void PublishCueSheet(int files);

private:
    Folder& Held();
    const Folder& Held() const;
    bool IsRecording(const std::optional<FileId>& id) const;
    [[noreturn]] void Refuse(const std::string& name, const std::string& action) const;

    const Paths& m_paths;
    std::optional<Folder> m_folder;
    std::string m_recordingPath;
    std::optional<FileId> m_recording;
};

}  // namespace zv
