#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/File.h"
#include "common/StandardError.h"
#include "disc/CueSheet.h"
#include "fuzz/FuzzWindow.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr std::size_t kSizeBytes = 4;
constexpr std::size_t kMaxFiles = 110;
constexpr std::int64_t kDiscBytes = 315'000'000;

}  // namespace

// Four bytes a file: its length below 2 GiB; files 0.bin, 1.bin ... Either a StandardError, or a
// cue sheet listing every counted file and a filler that tops the set up to the disc's size.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t files = size / kSizeBytes;
    if (files > kMaxFiles) {
        return -1;
    }
    zv::Paths paths(zv::fuzz::ScratchProgramFolder());
    std::filesystem::remove_all(paths.OutputFolder());
    std::filesystem::create_directory(paths.OutputFolder());
    zv::fuzz::FuzzWindow window(paths.ProgramFolder());
    const std::string cueSheetPath = paths.OutputFolder() + "/" + zv::Paths::CueSheetName();
    std::int64_t kilobytes = 0;
    try {
        zv::OutputFolder output(paths);
        for (std::size_t number = 0; number < files; ++number) {
            const std::uint8_t* bytes = data + number * kSizeBytes;
            std::int64_t length =
                (std::int64_t{bytes[0]} << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3]) &
                0x7FFF'FFFF;
            // As the build writes them: one byte at the end, the zeros before it left to the file
            // system.
            zv::File& file = output.Create(zv::Paths::TrackName(static_cast<int>(number)));
            const char zero = 0;
            if (length > 0) {
                file.WriteAt(&zero, 1, length - 1);
            }
            // A size text below 1,024 bytes is the length itself, above it whole kilobytes.
            if (number < 100) {
                kilobytes += length < 1'024 ? length : length / 1'024;
            }
        }
        zv::MakeCueSheet(window, output);
    } catch (const zv::StandardError&) {
        // A failed step never leaves a sheet over the set.
        if (std::filesystem::exists(cueSheetPath)) {
            std::abort();
        }
        return 0;
    }
    std::size_t counted = std::min<std::size_t>(files, 100);
    bool cueSheet = std::filesystem::exists(cueSheetPath);
    if (counted == 0) {
        if (window.messages != 1 || cueSheet) {
            std::abort();
        }
        return 0;
    }
    std::string expected;
    for (std::size_t number = 0; number <= counted; ++number) {
        char entry[64];
        std::snprintf(entry, sizeof entry, "FILE %zu.bin BINARY\r\nTRACK %02zu AUDIO\r\n", number,
                      number + 1);
        expected += std::string(entry) + "INDEX 01 00:00:00\r\n";
    }
    std::int64_t filler = kDiscBytes - 1'000 * kilobytes;
    auto fillerBytes = std::filesystem::file_size(paths.TrackPath(static_cast<int>(counted)));
    if (zv::test::ReadText(cueSheetPath) != expected || filler <= 0 ||
        static_cast<std::int64_t>(fillerBytes) != filler) {
        std::abort();
    }
    return 0;
}
