#include "disc/OutputFolder.h"

#include "common/StandardError.h"
#include "params/FileProbe.h"

namespace zv {

OutputFolder::OutputFolder(const Paths& paths) : m_paths(paths) {}

void OutputFolder::MakeIfMissing() {
    if (Exists(m_paths.OutputFolder())) {
        return;
    }
    MakeFolder(m_paths.OutputFolder());
    // A courtesy, so that the new folder survives a crash: a program folder that may be written
    // but not read (mode 0311) cannot be opened to flush it, and the build goes on.
    std::optional<File> programFolder;
    try {
        programFolder = File::OpenFolder(m_paths.ProgramFolder());
    } catch (const StandardError&) {
        return;
    }
    programFolder->Sync();
}

void OutputFolder::Claim(const std::string& recordingPath) {
    m_folder = File::OpenFolder(m_paths.OutputFolder());
    if (!m_folder->TryLock()) {
        throw StandardError("Cannot build in " + m_paths.OutputFolder() +
                            ": another build is writing there; try again once it has ended");
    }
    m_recordingPath = recordingPath;
    m_recording = IdOf(recordingPath);
    // Checked before any of them is touched; later files are checked as the build reaches them.
    for (const std::string& path :
         {m_paths.CueSheetPath(), m_paths.TrackPath(0), m_paths.TrackPath(1)}) {
        if (IsRecording(IdOf(path))) {
            RefuseRecording(path, "write");
        }
    }
}

File OutputFolder::Create(const std::string& path) {
    File file = File::OpenForWriting(path);
    // Compared once open, so that no link can change between the check and the write.
    if (IsRecording(file.Id())) {
        RefuseRecording(path, "write");
    }
    file.Empty();
    return file;
}

void OutputFolder::Remove(const std::string& path) {
    if (IsRecording(IdOf(path))) {
        RefuseRecording(path, "remove");
    }
    RemoveFile(path);
}

void OutputFolder::RemoveCueSheet() {
    if (FileExists(m_paths.CueSheetPath())) {
        Remove(m_paths.CueSheetPath());
        m_folder->Sync();
    }
}

void OutputFolder::Flush(int files) {
    for (int number = 0; number < files; ++number) {
        File::OpenForReading(m_paths.TrackPath(number)).Sync();
    }
    File::OpenForReading(m_paths.CueSheetPath()).Sync();
    m_folder->Sync();
}

bool OutputFolder::IsRecording(const std::optional<FileId>& id) const {
    return id && id == m_recording;
}

void OutputFolder::RefuseRecording(const std::string& path, const std::string& action) const {
    throw StandardError("Cannot " + action + " " + path + ": it is the recording " +
                        m_recordingPath + ", which a build never changes");
}

}  // namespace zv
