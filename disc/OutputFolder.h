#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/File.h"
#include "common/Folder.h"
#include "params/Paths.h"

namespace zv {

// The folder Files/ while one build writes its set there. The build holds it alone until the
// build ends, reaches every file through it by name, and never writes over or removes the
// recording, whatever name or link leads to it. Every file it writes is one it made itself, and
// it publishes the cue sheet only over the very files it made.
class OutputFolder {
public:
    // Without a lock the folder is only held open, as where the file system cannot lock (NFS):
    // then the check of the set is all that keeps two builds apart.
    enum class Locking { Lock, WithoutLock };

    explicit OutputFolder(const Paths& paths, Locking locking = Locking::Lock);

    const Paths& Names() const { return m_paths; }
    // Creates the folder when nothing of its name is there; a plain file is left as it is.
    void MakeIfMissing();
    // Holds the folder for this build: fails when another build holds it.
    void Claim();
    // Before anything is written: fails when a file this build writes or removes is the
    // recording. `lastNumber` is the filler's; leftovers after it and the cue sheet count too.
    void GuardRecording(const File& recording, int lastNumber);

    // A new, empty file `name` of the build's own: whatever had that name (a file, a link, a pipe)
    // is removed first, never written into; a folder of that name is an error.
    File Create(const std::string& name);
    // Closes a file from Create that now holds `length` bytes, starting its write-back.
    void Close(File& file, std::int64_t length);
    // Fails when a file this build made has been removed or replaced since: the set is then no
    // longer this build's, and nothing more may be written over it.
    void CheckMadeFiles() const;
    // The lengths written of 0.bin, 1.bin ... up to the first number this build did not write.
    std::vector<std::int64_t> WrittenTracks() const;

    File OpenForReading(const std::string& name) const;
    bool HoldsFile(const std::string& name) const;
    // Anything of that name but a folder, readable or not.
    bool HoldsLeftover(const std::string& name) const;
    void Remove(const std::string& name);
    // The cue sheet and any draft of it are removed and the removal flushed: a build that stops
    // later leaves no sheet over a mixed set.
    void RemoveCueSheet();
    // Every file this build made, the draft sheet included, reaches stable storage and is checked
    // to be the file made, of the length written; only then does the draft become ZIDA.cue, and
    // the folder is flushed.
    void PublishCueSheet();

private:
    struct Made {
        std::string name;
        FileId id;
        std::int64_t length = 0;
    };

    Folder& Held();
    const Folder& Held() const;
    Made& Record(const std::string& name);
    // Before each step that writes or removes: a build started since has replaced 0.bin, the
    // first file any build makes, and the file made last. Two looks a step keep the cost flat;
    // the count and publishing look at every file.
    void CheckStillOwn() const;
    void CheckMade(const Made& made) const;
    void CheckPublished(const Made& made, const File& file) const;
    [[noreturn]] void ReportChange(const std::string& name, const std::string& found) const;
    bool IsRecording(const std::optional<FileId>& id) const;
    [[noreturn]] void Refuse(const std::string& name, const std::string& action) const;

    const Paths& m_paths;
    Locking m_locking;
    std::optional<Folder> m_folder;
    std::string m_recordingPath;
    std::optional<FileId> m_recording;
    std::vector<Made> m_made;
};

}  // namespace zv
