#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace zv {

// Which file a path leads to, links followed: two paths with the same id name one file.
struct FileId {
    dev_t device = 0;
    ino_t inode = 0;
    friend bool operator==(const FileId&, const FileId&) = default;
};

// An open file descriptor that knows its path. Every failure throws StandardError naming the
// action, the path and the system's reason. Move-only; the destructor closes quietly.
class File {
public:
    // A regular file, for reading. Anything else (a folder, a pipe) is refused without blocking.
    static File OpenForReading(const std::string& path);
    // Created when missing, kept as it is when present: the caller decides whether to empty it.
    static File OpenForWriting(const std::string& path);
    // A folder, to lock it or to flush its entries (new and removed files) to stable storage.
    static File OpenFolder(const std::string& path);

    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    // Reads until `count` bytes are in or the file ends; returns the bytes read.
    std::size_t Read(void* buffer, std::size_t count);
    void Write(const void* buffer, std::size_t count);
    void WriteZeros(std::size_t count);
    void WriteAt(const void* buffer, std::size_t count, off_t offset);
    // Drops every byte of a regular file; other files (a device, say) have none to drop.
    void Empty();
    std::int64_t Size() const;
    FileId Id() const;
    // An exclusive lock that goes with the descriptor, also when the process dies; false when
    // another holds it.
    bool TryLock();
    void Sync();
    // Starts writing the file's data to disk without waiting: a later Sync has little left to do.
    void StartWriteBack();
    void Close();

    const std::string& Path() const { return m_path; }

private:
    File(int descriptor, std::string path);

    int m_descriptor = -1;
    std::string m_path;
};

// The file system outside an open file, with the same errors.
std::int64_t LengthOf(const std::string& path);
// Empty when nothing is there, or a link leads nowhere.
std::optional<FileId> IdOf(const std::string& path);
// True when anything is there: a file, a folder, a link.
bool Exists(const std::string& path);
void MakeFolder(const std::string& path);
void RemoveFile(const std::string& path);

}  // namespace zv
