#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/StandardError.h"
#include "disc/CueSheet.h"
#include "fuzz/FuzzWindow.h"
#include "params/Paths.h"

namespace {

constexpr std::size_t kSizeBytes = 4;
constexpr std::size_t kMaxFiles = 110;
constexpr std::int64_t kDiscBytes = 315'000'000;

// Takes no room on disk: the cue sheet step only measures the files.
void MakeSparseFile(const std::string& path, std::int64_t length) {
    int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (descriptor < 0 || ::ftruncate(descriptor, length) != 0) {
        std::abort();
    }
    ::close(descriptor);
}

std::int64_t FileLength(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        std::abort();
    }
    return status.st_size;
}

}  // namespace

// Four bytes a file: its length below 2 GiB; files 0.bin, 1.bin ... Either a StandardError or a
// cue sheet listing every file and a filler that tops the set up to the disc's size.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t files = size / kSizeBytes;
    if (files > kMaxFiles) {
        return -1;
    }
    zv::Paths paths(zv::fuzz::ScratchProgramFolder());
    std::filesystem::remove_all(paths.OutputFolder());
    std::filesystem::create_directory(paths.OutputFolder());
    std::int64_t kilobytes = 0;
    for (std::size_t number = 0; number < files; ++number) {
        const std::uint8_t* bytes = data + number * kSizeBytes;
        std::int64_t length =
            (std::int64_t{bytes[0]} << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3]) &
            0x7FFF'FFFF;
        MakeSparseFile(paths.TrackPath(static_cast<int>(number)), length);
        // A size text below 1,024 bytes is the length itself, above it whole kilobytes.
        if (number < 100) {
            kilobytes += length < 1'024 ? length : length / 1'024;
        }
    }

    zv::fuzz::FuzzWindow window(zv::fuzz::ScratchProgramFolder());
    try {
        zv::MakeCueSheet(window, paths);
    } catch (const zv::StandardError&) {
        return 0;
    }
    std::size_t counted = files < 100 ? files : 100;
    if (counted == 0) {
        if (window.messages != 1 || std::filesystem::exists(paths.CueSheetPath())) {
            std::abort();
        }
        return 0;
    }
    std::ifstream cueSheet(paths.CueSheetPath(), std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(cueSheet), std::istreambuf_iterator<char>()};
    std::int64_t filler = kDiscBytes - 1'000 * kilobytes;
    if (text != zv::CueSheetText(static_cast<int>(counted)) || filler <= 0 ||
        (counted == files && FileLength(paths.TrackPath(static_cast<int>(counted))) != filler)) {
        std::abort();
    }
    return 0;
}
