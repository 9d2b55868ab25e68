#include "disc/CueSheet.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

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
    std::vector<std::int64_t> lengths;
};

TrackCount CountTracks(const OutputFolder& output) {
    TrackCount count;
    for (int number = 0; number < kMaxCountedFiles; ++number) {
        std::string name = Paths::TrackName(number);
        if (!output.HoldsFile(name)) {
            break;
        }
        File track = output.OpenForReading(name);
        ++count.files;
        count.lengths.push_back(track.Size());
        count.kilobytes =
            CheckedAdd32(count.kilobytes, WholePartOf(GetFileSize(track)), "kilobyte total");
    }
    return count;
}

// Anything else here would put a set on the disc that this build did not make.
void CheckCount(const OutputFolder& output, const TrackCount& count) {
    output.CheckMadeFiles();
    std::vector<std::int64_t> written = output.WrittenTracks();
    // Past the counted files the disc is full anyway: the filler's check says so.
    std::vector<std::int64_t> counted(
        written.begin(),
        written.begin() + std::min<std::ptrdiff_t>(std::ssize(written), kMaxCountedFiles));
    if (count.lengths == counted) {
        return;
    }
    std::size_t number = 0;
    while (number < counted.size() && number < count.lengths.size() &&
           count.lengths[number] == counted[number]) {
        ++number;
    }
    std::string path = output.Names().TrackPath(static_cast<int>(number));
    std::string found = number < count.lengths.size()
                            ? std::to_string(count.lengths[number]) + " bytes long"
                            : "missing";
    std::string wrote = number < counted.size()
                            ? "written " + std::to_string(counted[number]) + " bytes long"
                            : "not written by this build";
    throw StandardError("Cannot make the cue sheet in " + output.Names().OutputFolder() + ": " +
                        path + " is " + found + ", " + wrote +
                        "; the set changed while the build ran");
}

void WriteCueSheet(OutputFolder& output, int lastNumber) {
    std::string text = CueSheetText(lastNumber);
    File cueSheet = output.Create(Paths::CueSheetDraftName());
    cueSheet.Write(text.data(), text.size());
    output.Close(cueSheet, static_cast<std::int64_t>(text.size()));
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
    File filler = output.Create(Paths::TrackName(count.files));
    const char zero = 0;
    filler.WriteAt(&zero, 1, length - 1);
    output.Close(filler, length);
}

}  // namespace

std::string CueSheetText(int lastNumber) {
    std::string text;
    for (int number = 0; number <= lastNumber; ++number) {
        char track[16];
        std::snprintf(track, sizeof track, "%02d", number + 1);
        // The name as the file is called: burners on Linux match names case by case.
        text += "FILE " + std::to_string(number) + ".bin BINARY\r\n";
        text += "TRACK " + std::string(track) + " AUDIO\r\n";
        text += "INDEX 01 00:00:00\r\n";
    }
    return text;
}

void MakeCueSheet(Window& window, OutputFolder& output) {
    const Paths& paths = output.Names();
    output.RemoveCueSheet();
    TrackCount count = CountTracks(output);
    if (count.files == 0) {
        window.ShowMessage("I couldn't find a .bin file in " + paths.OutputFolder() +
                               kPathSeparator + " please read user guide and try again.",
                           "BIN file not found!", MessageStyle::Information);
        return;
    }
    CheckCount(output, count);
    WriteCueSheet(output, count.files);
    WriteFiller(output, count);
    // A burner finds ZIDA.cue only over a whole set on stable storage.
    output.PublishCueSheet();
    window.ShowMessage("Exit this program and use CDRWIN to burn.",
                       "ZIDA ready to be written by CDRWIN!", MessageStyle::Information);
    window.SetCaption(Button::MakeMovie, kFinished);
    window.SetCaption(Button::Check, kFinished);
}

}  // namespace zv
