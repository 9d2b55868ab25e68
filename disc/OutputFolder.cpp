#include "disc/OutputFolder.h"

#include "common/StandardError.h"

namespace zv {

namespace {

Folder Claim(const Paths& paths) {
    std::optional<Folder> folder = Folder::Claim(paths.OutputFolder());
    if (!folder) {
        throw StandardError("Cannot build in " + paths.OutputFolder() +
                            ": another build is writing there; try again once it has ended");
    }
    return *std::move(folder);
}

}  // namespace

void OutputFolder::MakeIfMissing(const Paths& paths) {
    // A folder made meanwhile by another build counts as there: the claim then decides.
    if (!MakeFolder(paths.OutputFolder())) {
        return;
    }
    // A courtesy, so that the new folder survives a crash: a program folder that may be written
    // but not read (mode 0311) cannot be opened to flush it, and the build goes on.
    std::optional<Folder> programFolder;
    try {
        programFolder = Folder::Open(paths.ProgramFolder());
    } catch (const StandardError&) {
        return;
    }
    programFolder->Sync();
}

OutputFolder::OutputFolder(const Paths& paths) : m_paths(paths), m_folder(Claim(paths)) {}

void OutputFolder::GuardRecording(const File& recording, int lastNumber) const {
    FileId id = recording.Id();
    auto refuse = [&](const std::string& name, const char* action) {
        std::optional<Folder::Entry> entry = m_folder.Find(name);
        if (entry && entry->id == id) {
            throw StandardError("Cannot " + std::string(action) + " " + m_folder.PathOf(name) +
                                ": it is the recording " + recording.Path() +
                                ", which a build never changes");
        }
        return entry.has_value();
    };
    refuse(Paths::CueSheetName(), "write");
    refuse(Paths::CueSheetDraftName(), "write");
    for (int number = 0; number <= lastNumber; ++number) {
        refuse(Paths::TrackName(number), "write");
    }
    for (int number = lastNumber + 1; refuse(Paths::TrackName(number), "remove"); ++number) {
    }
}

File& OutputFolder::Create(const std::string& name) {
    std::optional<Folder::Entry> there = m_folder.Find(name);
    // A folder stays, for CreateNew to report.
    if (there && !there->folder) {
        m_folder.Remove(name);
    }
    return m_made.emplace_back(Made{name, m_folder.CreateNew(name)}).file;
}

std::optional<std::int64_t> OutputFolder::LengthOf(const std::string& name) const {
    for (auto made = m_made.rbegin(); made != m_made.rend(); ++made) {
        if (made->name == name) {
            return made->file.Written();
        }
    }
    try {
        return m_folder.OpenForReading(name).Size();
    } catch (const StandardError&) {
        return std::nullopt;
    }
}

bool OutputFolder::Remove(const std::string& name) {
    std::optional<Folder::Entry> there = m_folder.Find(name);
    if (!there || there->folder) {
        return false;
    }
    m_folder.Remove(name);
    return true;
}

void OutputFolder::RemoveCueSheet() {
    // Whether or not it can be read: a sheet that stays would stand over the new set.
    bool sheet = Remove(Paths::CueSheetName());
    if (Remove(Paths::CueSheetDraftName()) || sheet) {
        m_folder.Sync();
    }
}

void OutputFolder::Publish() {
    // The draft lists 0.bin up to the filler: each of them must be a file made here.
    int listed = 0;
    for (Made& made : m_made) {
        made.file.Sync();
        Check(made);
        if (made.name == Paths::CueSheetDraftName()) {
            // Windows renames no file that a handle holds without sharing its removal.
            made.file.Close();
        } else if (made.name != Paths::TrackName(listed++)) {
            ReportChange(Paths::TrackName(listed - 1), "is not a file this build wrote");
        }
    }
    m_folder.Rename(Paths::CueSheetDraftName(), Paths::CueSheetName());
    try {
        m_folder.Sync();
    } catch (const StandardError&) {
        // No sheet may stand over a set that did not reach the disk; the flush's failure says
        // more than one of the removal.
        try {
            m_folder.Remove(Paths::CueSheetName());
        } catch (const StandardError&) {
        }
        throw;
    }
}

void OutputFolder::Check(const Made& made) const {
    std::optional<Folder::Entry> entry = m_folder.Find(made.name);
    if (!entry) {
        ReportChange(made.name, "is missing");
    }
    if (entry->id != made.file.Id()) {
        ReportChange(made.name, "is another file than the one written");
    }
    if (entry->size != made.file.Written()) {
        ReportChange(made.name, "is " + std::to_string(entry->size) + " bytes long, written " +
                                    std::to_string(made.file.Written()) + " bytes long");
    }
}

void OutputFolder::ReportChange(const std::string& name, const std::string& found) const {
    throw StandardError("Cannot finish the set in " + m_paths.OutputFolder() + ": " +
                        m_folder.PathOf(name) + " " + found +
                        "; the set changed while the build ran");
}

}  // namespace zv
