#include "tests/faults/FolderState.h"

#include <filesystem>

#include "params/Parameters.h"
#include "tests/support/TempFolder.h"

namespace zv::test {

namespace {

constexpr std::uint64_t kFnvOffset = 14'695'981'039'346'656'037ull;
constexpr std::uint64_t kFnvPrime = 1'099'511'628'211ull;
constexpr char kStopPrefix[] = "16 ZE Veduz: ";

}  // namespace

std::uint64_t FileHash(const std::string& path) {
    std::uint64_t hash = kFnvOffset;
    for (unsigned char byte : ReadBytes(path)) {
        hash = (hash ^ byte) * kFnvPrime;
    }
    return hash;
}

std::map<std::string, std::string> ListOutsideFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    fs::path root(folder);
    for (auto walk = fs::recursive_directory_iterator(root); walk != fs::end(walk); ++walk) {
        std::string name = fs::relative(walk->path(), root).string();
        if (name == "Files") {
            walk.disable_recursion_pending();
            continue;
        }
        fs::file_status status = walk->symlink_status();
        if (fs::is_directory(status)) {
            entries[name] = "folder";
        } else if (fs::is_fifo(status)) {
            entries[name] = "pipe";
        } else {
            entries[name] = std::to_string(fs::file_size(walk->path())) + " " +
                            std::to_string(FileHash(walk->path().string()));
        }
    }
    return entries;
}

std::vector<unsigned char> MakeRecording(int frames) {
    std::size_t head = kDefaultUpLines * kLineBytes + kDefaultSkewBytes + 2;
    std::vector<unsigned char> bytes(head + static_cast<std::size_t>(frames) * kFrameBytes);
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        bytes[at] = static_cast<unsigned char>(at * 7 + at / 251);
    }
    return bytes;
}

std::string StopBoxText(const RecordingWindow& window) {
    std::vector<std::string> messages = window.Messages();
    if (messages.size() != 1 || !messages.front().starts_with(kStopPrefix)) {
        return "";
    }
    return messages.front().substr(sizeof kStopPrefix - 1);
}

}  // namespace zv::test
