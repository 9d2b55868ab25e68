#pragma once

#include <deque>
#include <optional>
#include <string>

#include "common/File.h"
#include "params/Paths.h"

namespace zv {

// Files/ while one build writes its set there, held by it alone. Every file the build makes stays
// open until the set is published: an open file keeps its id, which publishing compares with
// what its name then leads to.
class OutputFolder {
public:
    // Creates Files/ when nothing of its name is there; a plain file is left as it is.
    static void MakeIfMissing(const Paths& paths);
    // Holds Files/ for this build: fails when another build holds it.
    explicit OutputFolder(const Paths& paths);

    const Paths& Names() const { return m_paths; }
    // Before anything is written: fails when a file this build may write or remove is the
    // recording, by any name. `lastNumber` is the filler's at most; leftovers after it and the
    // cue sheet count too.
    void GuardRecording(const File& recording, int lastNumber) const;
    // A new, empty file of the build's own: whatever had that name (a file, a link, a pipe) is
    // removed first, never written into; a folder of that name is an error.
    File& Create(const std::string& name);
    // The length of what has that name; empty when nothing readable has it. A file this build made
    // counts as long as it was written, which publishing checks.
    std::optional<std::int64_t> LengthOf(const std::string& name) const;
    // False when nothing but a folder, or nothing at all, has that name.
    bool Remove(const std::string& name);
    // The sheet and any draft of it, their removal flushed: a build that stops later leaves no
    // sheet over a mixed set.
    void RemoveCueSheet();
    // Every file made, the draft among them, reaches stable storage and is checked to be at its
    // name, of the length written, and to be one the draft lists; only then does the draft become
    // ZIDA.cue, and the folder is flushed.
    void Publish();

private:
    struct Made {
        std::string name;
        File file;
    };

    void Check(const Made& made) const;
    [[noreturn]] void ReportChange(const std::string& name, const std::string& found) const;

    Paths m_paths;
    Folder m_folder;
    std::deque<Made> m_made;
};

}  // namespace zv
