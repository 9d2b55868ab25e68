#pragma once

// Linux only: what File and Folder share of opening descriptors.
#include <sys/stat.h>

#include <optional>
#include <string>

#include "common/File.h"

namespace zv {

inline int DescriptorOf(NativeHandle handle) {
    return static_cast<int>(handle);
}

// A name with a NUL in it names no file: the system would see only the part before the NUL.
// Errors name `path`, the name as the user knows it.
const char* SystemName(const std::string& name, const char* action, const std::string& path);

// Opens `name` relative to the folder descriptor `folder` (AT_FDCWD: the working folder), never
// blocking on a pipe; errors name `path`.
int OpenDescriptor(int folder, const std::string& name, const std::string& path, int flags,
                   const char* action);

// Refuses anything but a regular file, as a read of it would.
void CheckRegularFile(int descriptor, const std::string& path);

// Reads and writes of a file that opened wait for the disk as usual.
void WaitForData(int descriptor, const std::string& path, const char* action);

// What the system tells of `name` in the folder `folder`, a link not followed; empty `name`: of
// `folder` itself. Empty when there is nothing to look at.
std::optional<struct statx> StatusAt(int folder, const std::string& name);
std::optional<FileId> IdAt(int folder, const std::string& name);

}  // namespace zv
