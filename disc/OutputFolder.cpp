#include "disc/OutputFolder.h"

#include <algorithm>

#include "common/StandardError.h"
#include "params/FileProbe.h"

namespace zv {

OutputFolder::OutputFolder(const Paths& paths, Locking locking)
    : m_paths(paths), m_locking(locking) {}

void OutputFolder::MakeIfMissing() {
    // A folder made meanwhile by another build counts as there: the claim then decides.
    if (!MakeFolder(m_paths.OutputFolder())) {
        return;
    }
    // A courtesy, so that the new folder survives a crash: a program folder that may be written
    // but not read (mode 0311) cannot be opened to flush it, and the build goes on.
    std::optional<Folder> programFolder;
    try {
        programFolder = Folder::Open(m_paths.ProgramFolder());
    } catch (const StandardError&) {
        return;
    }
    programFolder->Sync();
}

void OutputFolder::Claim() {
    if (m_locking == Locking::WithoutLock) {
        m_folder = Folder::Open(m_paths.OutputFolder());
        return;
    }
    m_folder = Folder::Claim(m_paths.OutputFolder());
    if (!m_folder) {
        throw StandardError("Cannot build in " + m_paths.OutputFolder() +
                            ": another build is writing there; try again once it has ended");
    }
}

void OutputFolder::GuardRecording(const File& recording, int lastNumber) {
    m_recordingPath = recording.Path();
    m_recording = recording.Id();
    for (const char* name : {Paths::CueSheetName(), Paths::CueSheetDraftName()}) {
        if (IsRecording(Held().IdOf(name))) {
            Refuse(name, "write");
        }
    }
    for (int number = 0; number <= lastNumber || Held().IdOf(Paths::TrackName(number)); ++number) {
        if (IsRecording(Held().IdOf(Paths::TrackName(number)))) {
            Refuse(Paths::TrackName(number), number <= lastNumber ? "write" : "remove");
        }
    }
}

File OutputFolder::Create(const std::string& name) {
    CheckStillOwn();
    std::optional<FileId> there = Held().IdOf(name);
    if (IsRecording(there)) {
        Refuse(name, "write");
    }
    // A folder stays, for CreateNew to report.
    if (there && !Held().HoldsFolder(name)) {
        Held().Remove(name);
    }
    File file = Held().CreateNew(name);
    Record(name) = {name, file.Id(), 0};
    return file;
}

void OutputFolder::Close(File& file, std::int64_t length) {
    for (Made& made : m_made) {
        if (Held().PathOf(made.name) == file.Path()) {
            made.length = length;
        }
    }
    // Flushed with the whole set at the end: waiting here would stall the copy on every file.
    file.StartWriteBack();
    file.Close();
}

std::vector<std::int64_t> OutputFolder::WrittenTracks() const {
    std::vector<std::int64_t> lengths;
    while (true) {
        std::string name = Paths::TrackName(static_cast<int>(lengths.size()));
        auto made = std::find_if(m_made.begin(), m_made.end(),
                                 [&](const Made& file) { return file.name == name; });
        if (made == m_made.end()) {
            return lengths;
        }
        lengths.push_back(made->length);
    }
}

File OutputFolder::OpenForReading(const std::string& name) const {
    return Held().OpenForReading(name);
}

bool OutputFolder::HoldsFile(const std::string& name) const {
    return FileExists(Held(), name);
}

bool OutputFolder::HoldsLeftover(const std::string& name) const {
    return Held().IdOf(name) && !Held().HoldsFolder(name);
}

void OutputFolder::Remove(const std::string& name) {
    CheckStillOwn();
    if (IsRecording(Held().IdOf(name))) {
        Refuse(name, "remove");
    }
    Held().Remove(name);
}

void OutputFolder::RemoveCueSheet() {
    bool removed = false;
    // Whether or not it can be read: a sheet that stays would stand over the new set.
    for (const char* name : {Paths::CueSheetName(), Paths::CueSheetDraftName()}) {
        if (Held().IdOf(name)) {
            Remove(name);
            removed = true;
        }
    }
    if (removed) {
        Held().Sync();
    }
}

void OutputFolder::PublishCueSheet() {
    for (const Made& made : m_made) {
        std::optional<File> file;
        try {
            file = OpenForReading(made.name);
        } catch (const StandardError&) {
            // Gone or replaced says more than the reason it cannot be read.
            CheckMade(made);
            throw;
        }
        file->Sync();
        CheckPublished(made, *file);
    }
    if (IsRecording(Held().IdOf(Paths::CueSheetName()))) {
        Refuse(Paths::CueSheetName(), "write");
    }
    Held().Rename(Paths::CueSheetDraftName(), Paths::CueSheetName());
    Held().Sync();
}

Folder& OutputFolder::Held() {
    if (!m_folder) {
        throw StandardError("Cannot write in " + m_paths.OutputFolder() + ": it is not held");
    }
    return *m_folder;
}

const Folder& OutputFolder::Held() const {
    if (!m_folder) {
        throw StandardError("Cannot read in " + m_paths.OutputFolder() + ": it is not held");
    }
    return *m_folder;
}

OutputFolder::Made& OutputFolder::Record(const std::string& name) {
    for (Made& made : m_made) {
        if (made.name == name) {
            return made;
        }
    }
    return m_made.emplace_back();
}

void OutputFolder::CheckMadeFiles() const {
    for (const Made& made : m_made) {
        CheckMade(made);
    }
}

void OutputFolder::CheckStillOwn() const {
    if (m_made.empty()) {
        return;
    }
    CheckMade(m_made.front());
    if (m_made.size() > 1) {
        CheckMade(m_made.back());
    }
}

void OutputFolder::CheckMade(const Made& made) const {
    std::optional<FileId> id = Held().IdOf(made.name);
    if (!id) {
        ReportChange(made.name, "is missing");
    }
    if (*id != made.id) {
        ReportChange(made.name, "is another file than the one written");
    }
}

void OutputFolder::CheckPublished(const Made& made, const File& file) const {
    if (file.Id() != made.id) {
        ReportChange(made.name, "is another file than the one written");
    }
    if (std::int64_t length = file.Size(); length != made.length) {
        ReportChange(made.name, "is " + std::to_string(length) + " bytes long, written " +
                                    std::to_string(made.length) + " bytes long");
    }
}

void OutputFolder::ReportChange(const std::string& name, const std::string& found) const {
    throw StandardError("Cannot finish the set in " + m_paths.OutputFolder() + ": " +
                        Held().PathOf(name) + " " + found +
                        "; the set changed while the build ran");
}

bool OutputFolder::IsRecording(const std::optional<FileId>& id) const {
    return m_recording && id == m_recording;
}

void OutputFolder::Refuse(const std::string& name, const std::string& action) const {
    throw StandardError("Cannot " + action + " " + Held().PathOf(name) + ": it is the recording " +
                        m_recordingPath + ", which a build never changes");
}

}  // namespace zv
