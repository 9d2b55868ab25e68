#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "common/System.h"
#include "common/SystemHandle.h"

namespace zv {

// Which file a name leads to: the device and inode on Linux, the volume and the whole 128-bit
// file id on Windows (ReFS uses the upper half). An open file keeps its id from any other file.
struct FileId {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    std::uint64_t upper = 0;
    friend bool operator==(const FileId&, const FileId&) = default;
};

// An open file that knows its path. Every failure throws StandardError as "Cannot <action>
// <path>: <the system's reason>". Move-only; the destructor closes quietly.
class File {
public:
    // A regular file, for reading. Anything else (a folder, a pipe) is refused without blocking.
    static File OpenForReading(const std::string& path);

    // Reads until `count` bytes are in or the file ends; returns the bytes read.
    std::size_t Read(void* buffer, std::size_t count);
    void Write(const void* buffer, std::size_t count) { WriteAt(buffer, count, -1); }
    void WriteZeros(std::size_t count);
    // Bytes between the end of the file and `offset` read as zeros, and take no room where the
    // file system allows. A negative offset writes where the writes so far end, as Write does.
    void WriteAt(const void* buffer, std::size_t count, std::int64_t offset);
    // The length the writes through this handle have given the file.
    std::int64_t Written() const { return m_written; }
    std::int64_t Size() const;
    FileId Id() const;
    void Sync();
    // Starts writing the file's data to disk without waiting: a later Sync has little left to do.
    void StartWriteBack();
    void Close();

    const std::string& Path() const { return m_path; }

private:
    friend class Folder;
    File(NativeHandle handle, std::string path) : m_handle(handle), m_path(std::move(path)) {}

    SystemHandle m_handle;
    std::string m_path;
    std::int64_t m_written = 0;
};

// An open folder whose files are reached by name through it, so that renaming or replacing the
// folder meanwhile cannot send a file anywhere else. Names are single entries of the folder, and
// a symbolic link among them is never followed. Failures throw StandardError naming the full path.
class Folder {
public:
    // Opened for flushing its entries only.
    static Folder Open(const std::string& path);
    // Opened and held for one build until it is destroyed: empty when another build holds it. On
    // Windows the folder can then be neither renamed nor removed, and another program that holds
    // it without sharing it fails the claim; where the file system cannot lock (NFS, say) it is
    // held without a lock.
    static std::optional<Folder> Claim(const std::string& path);

    // What a name leads to, a link not followed.
    struct Entry {
        FileId id;
        std::int64_t size = 0;
        bool folder = false;
    };
    // Empty when nothing is there.
    std::optional<Entry> Find(const std::string& name) const;
    // A regular file, for reading; a link, a folder or a pipe is refused.
    File OpenForReading(const std::string& name) const;
    // A new, empty regular file made here for writing, never a file that was there before: fails
    // when anything has that name already, a folder reported as one.
    File CreateNew(const std::string& name);
    void Remove(const std::string& name);
    // Gives `from` the name `to`, replacing what was there, in one step.
    void Rename(const std::string& from, const std::string& to);
    // The folder's entries (new, renamed and removed files) reach stable storage. A file system
    // that cannot flush a folder (VirtualBox shared folders, some FUSE mounts) is left to do its
    // best.
    void Sync();

    std::string PathOf(const std::string& name) const { return m_path + kPathSeparator + name; }

private:
    Folder(NativeHandle handle, std::string path) : m_handle(handle), m_path(std::move(path)) {}

    // Windows: what tells other builds that this one holds the folder; closed after the folder.
    SystemHandle m_marker;
    SystemHandle m_handle;
    std::string m_path;
};

// Creates the folder; false when something of that name is there already.
bool MakeFolder(const std::string& path);

}  // namespace zv
