#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/support/RecordingWindow.h"

namespace zv::test {

// FNV-1a of a file's bytes: enough to see that a recording was not touched.
std::uint64_t FileHash(const std::string& path);

// Every entry below `folder` except the output folder Files/ and what it holds: relative path to
// "folder", "pipe" or "<length> <hash>" for files.
std::map<std::string, std::string> ListOutsideFiles(const std::string& folder);

// A recording of the default head (13 lines, 46 bytes and the build's 2 bytes) and `frames`
// frames of varied bytes.
std::vector<unsigned char> MakeRecording(int frames);

// The one stop box of a failed operation, "<text>", or "" when there was none or more than one.
std::string StopBoxText(const RecordingWindow& window);

}  // namespace zv::test
