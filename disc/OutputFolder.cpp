#include "disc/OutputFolder.h"

#include "common/StandardError.h"

namespace zv {

OutputFolder::OutputFolder(const Paths& paths) : m_paths(paths) {}

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
    // A folder stays, for CreateNew to report.
    if (Held().IdOf(name) && !Held().HoldsFolder(name)) {
        Remove(name);
    }
    return Held().CreateNew(name);
}

File OutputFolder::OpenForReading(const std::string& name) const {
    return Held().OpenForReading(name);
}

bool OutputFolder::HoldsFile(const std::string& name) const {
    return Held().HoldsFile(name);
}

void OutputFolder::Remove(const std::string& name) {
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

void OutputFolder::PublishCueSheet(int files) {
    for (int number = 0; number < files; ++number) {
        OpenForReading(Paths::TrackName(number)).Sync();
    }
    OpenForReading(Paths::CueSheetDraftName()).Sync();
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

bool OutputFolder::IsRecording(const std::optional<FileId>& id) const {
    return m_recording && id == m_recording;
}

void OutputFolder::Refuse(const std::string& name, const std::string& action) const {
    throw StandardError("Cannot " + action + " " + Held().PathOf(name) + ": it is the recording " +
                        m_recordingPath + ", which a build never changes");
}

}  // namespace zv
