#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/SystemHandle.h"

namespace zv {

// Which file a name leads to: two names with the same id are one file, hard links included.
struct FileId {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    // What the index alone leaves out. Linux hands a removed file's inode number to the next new
    // file at once: there the inode's generation and its birth time tell a replacement from the
    // file it replaced. On Windows, the upper half of ReFS's 128-bit ids.
    std::uint64_t more = 0;
    friend bool operator==(const FileId&, const FileId&) = default;
};

// An open file that knows its path. Every failure throws StandardError as "Cannot <action>
// <path>: <the system's reason>". Move-only; the destructor closes quietly.
class File {
public:
    // A regular file, for reading. Anything else (a folder, a pipe) is refused without blocking.
    static File OpenForReading(const std::string& path);

    File(File&& other) noexcept = default;
    File& operator=(File&& other) noexcept = default;

    // Reads until `count` bytes are in or the file ends; returns the bytes read.
    std::size_t Read(void* buffer, std::size_t count);
    void Write(const void* buffer, std::size_t count);
    void WriteZeros(std::size_t count);
    // Bytes between the end of the file and `offset` read as zeros, and take no room where the
    // file system allows.
    void WriteAt(const void* buffer, std::size_t count, std::int64_t offset);
    std::int64_t Size() const;
    FileId Id() const;
    void Sync();
    // Starts writing the file's data to disk without waiting: a later Sync has little left to do.
    void StartWriteBack();
    void Close();

    const std::string& Path() const { return m_path; }

private:
    friend class Folder;
    File(NativeHandle handle, std::string path);

    SystemHandle m_handle;
    std::string m_path;
};

// Creates the folder; false when something of that name is there already.
bool MakeFolder(const std::string& path);

}  // namespace zv
