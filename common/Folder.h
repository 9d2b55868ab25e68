#pragma once

#include <optional>
#include <string>

#include "common/File.h"

namespace zv {

// An open folder whose files are reached by name through it, so that renaming or replacing the
// folder meanwhile cannot send a file anywhere else. Names are single entries of the folder, and a
// symbolic link among them is never followed. Failures throw StandardError naming the full path.
class Folder {
public:
    // Opened for flushing its entries only.
    static Folder Open(const std::string& path);
    // Opened and held for one build until it is destroyed: empty when another build holds it. On
    // Windows the folder can then be neither renamed nor removed, and another program that holds
    // it without sharing it fails the claim; where the file system cannot lock (NFS, say) it is
    // held without a lock.
    static std::optional<Folder> Claim(const std::string& path);

    Folder(Folder&& other) noexcept = default;
    Folder& operator=(Folder&& other) noexcept = default;

    // A regular file, for reading; a link, a folder or a pipe is refused.
    File OpenForReading(const std::string& name) const;
    // A new, empty regular file made here for writing, never a file that was there before: fails
    // when anything has that name already, a folder reported as one.
    File CreateNew(const std::string& name);
    // The entry itself, a link not followed; empty when nothing is there.
    std::optional<FileId> IdOf(const std::string& name) const;
    bool HoldsFolder(const std::string& name) const;
    void Remove(const std::string& name);
    // Gives `from` the name `to`, replacing what was there, in one step.
    void Rename(const std::string& from, const std::string& to);
    // The folder's entries (new, renamed and removed files) reach stable storage.
    void Sync();

    const std::string& Path() const { return m_path; }
    std::string PathOf(const std::string& name) const;

private:
    Folder(NativeHandle handle, std::string path);

    // Windows: what tells other builds that this one holds the folder; closed after the folder.
    SystemHandle m_marker;
    SystemHandle m_handle;
    std::string m_path;
};

}  // namespace zv
