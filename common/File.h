#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace zv {

// An open file descriptor that knows its path. Every failure throws StandardError naming the
// action, the path and the system's reason. Move-only; the destructor closes quietly.
class File {
public:
    // A regular file, for reading. Anything else (a folder, a pipe) is refused without blocking.
    static File OpenForReading(const std::string& path);
    // Created when missing, emptied when present: no byte of an earlier file survives.
    static File CreateEmpty(const std::string& path);
    // Flushes a file, or a folder's entries (new, removed files), to stable storage.
    static void SyncPath(const std::string& path);

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
    std::int64_t Size() const;
    void Sync();
    // Starts writing the file's data to disk without waiting: a later Sync or SyncPath of it
    // then has little left to do.
    void StartWriteBack();
    void Close();

    const std::string& Path() const { return m_path; }

private:
    File(int descriptor, std::string path);

    int m_descriptor = -1;
    std::string m_path;
};

}  // namespace zv
