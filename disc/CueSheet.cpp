#include "disc/CueSheet.h"

#include <cstdint>

#include "common/Checked.h"
#include "common/File.h"
#include "common/StandardError.h"
#include "common/System.h"
#include "disc/GetFileSize.h"

namespace zv {

namespace {

constexpr int kMaxCountedFiles = 100;
constexpr std::int32_t kDiscBytes = 315'000'000;
constexpr std::int32_t kBytesPerCountedKilobyte = 1'000;

struct TrackCount {
    int files = 0;
    std::int32_t kilobytes = 0;
};

TrackCount CountTracks(const OutputFolder& output) {
    TrackCount count;
    for (; count.files < kMaxCountedFiles; ++count.files) {
        std::optional<std::int64_t> length = output.LengthOf(Paths::TrackName(count.files));
        if (!length) {
            break;
        }
        // A file adds the whole kilobytes of its size text, the digits before any point.
        std::string sizeText = GetFileSize(output.Names().TrackPath(count.files), *length);
        count.kilobytes = CheckedAdd32(count.kilobytes, std::stoi(sizeText), "kilobyte total");
    }
    return count;
}

// The draft sheet listing files 0.bin to lastNumber.bin as audio tracks, lines ending in CR LF.
void WriteCueSheet(OutputFolder& output, int lastNumber) {
    std::string text;
    for (int number = 0; number <= lastNumber; ++number) {
        // The name as the file is called: burners on Linux match names case by case.
        text += "FILE " + std::to_string(number) + ".bin BINARY\r\n";
        text += "TRACK " + std::string(number < 9 ? "0" : "") + std::to_string(number + 1) +
                " AUDIO\r\nINDEX 01 00:00:00\r\n";
    }
    output.Create(Paths::CueSheetDraftName()).Write(text.data(), text.size());
}

// Hundreds of megabytes of zeros would cost as much as the copy: one byte at the end sets the
// length, and the file system keeps the rest as a hole.
void WriteFiller(OutputFolder& output, const TrackCount& count) {
    std::string path = output.Names().TrackPath(count.files);
    std::int32_t used =
        CheckedMultiply32(count.kilobytes, kBytesPerCountedKilobyte, "kilobyte total * 1000");
    std::int32_t length = CheckedSubtract32(kDiscBytes, used, "filler length");
    if (length <= 0) {
        throw StandardError("Cannot write the filler track " + path + ": the files before it " +
                            "count " + std::to_string(count.kilobytes) +
                            " kilobytes, and 1000 bytes for each reach the disc's limit of " +
                            std::to_string(kDiscBytes) + " bytes");
    }
    const char zero = 0;
    output.Create(Paths::TrackName(count.files)).WriteAt(&zero, 1, length - 1);
}

}  // namespace

void MakeCueSheet(Window& window, OutputFolder& output) {
    output.RemoveCueSheet();
    TrackCount count = CountTracks(output);
    if (count.files == 0) {
        window.ShowMessage("I couldn't find a .bin file in " + output.Names().OutputFolder() +
                               kPathSeparator + " please read user guide and try again.",
                           "BIN file not found!", MessageStyle::Information);
        return;
    }
    WriteCueSheet(output, count.files);
    WriteFiller(output, count);
    // A burner finds ZIDA.cue only over a whole set on stable storage.
    output.Publish();
    window.ShowMessage("Exit this program and use CDRWIN to burn.",
                       "ZIDA ready to be written by CDRWIN!", MessageStyle::Information);
    window.SetCaption(Button::MakeMovie, kFinished);
    window.SetCaption(Button::Check, kFinished);
}

}  // namespace zv
