#include "disc/TrackSplitter.h"

#include <algorithm>
#include <vector>

#include "common/Checked.h"
#include "common/File.h"
#include "common/StandardError.h"
#include "params/FileProbe.h"
#include "params/SkipRule.h"

namespace zv {

constexpr std::int64_t kBlockBytes = kFrameBytes;  // 11,760: five 2,352-byte audio sectors
constexpr std::int64_t kBlocksPerTrack = 900;
constexpr std::int64_t kTrackDataBytes = kBlockBytes * kBlocksPerTrack;
// Neither is a whole number of sectors: keep both exact.
constexpr std::size_t kLeadInBytes = 896'156;
constexpr std::size_t kTrackTailBytes = 81'620;
// The build starts two bytes after the preview, so that the pixel bytes lead every group.
constexpr std::int64_t kExtraHeadBytes = 2;
constexpr std::int64_t kCopyChunkBytes = 90 * kBlockBytes;
// Track numbers are 16-bit.
constexpr std::int64_t kMaxFileNumber = 32'767;

TrackSplitter::TrackSplitter(Window& window, const Parameters& parameters, const Paths& paths)
    : m_window(window), m_parameters(parameters), m_paths(paths) {}

std::optional<OutputFolder> TrackSplitter::Run() {
    std::string sourcePath = m_paths.SourcePath(m_parameters.SourceName);
    if (!FileExists(sourcePath)) {
        m_window.ShowMessage(sourcePath + " NOT FOUND!", "File not found!", MessageStyle::Stop);
        return std::nullopt;
    }
    OutputFolder::MakeIfMissing(m_paths);
    m_window.SetCaption(Button::MakeMovie, "Hold on...");
    std::optional<OutputFolder> output(std::in_place, m_paths);
    File source = File::OpenForReading(sourcePath);
    // The head is read later: with no head at all, the most files this recording can make.
    std::int64_t mostFiles = source.Size() / kTrackDataBytes + 2;
    output->GuardRecording(source, static_cast<int>(std::min(mostFiles, kMaxFileNumber)));
    output->RemoveCueSheet();
    File& leadIn = output->Create(Paths::TrackName(0));
    leadIn.WriteZeros(kLeadInBytes);
    leadIn.StartWriteBack();

    CopyTracks(*output, source);
    source.Close();
    // Numbered files of an earlier, longer build would otherwise join this disc.
    for (int number = m_trackNumber + 1; output->Remove(Paths::TrackName(number)); ++number) {
    }
    return output;
}

void TrackSplitter::SkipSourceHead(File& source) {
    char extra[kExtraHeadBytes];
    if (!SkipHead(source, m_parameters) || source.Read(extra, sizeof extra) < sizeof extra) {
        std::int64_t length = source.Size();
        throw StandardError("Cannot read " + source.Path() + ": the recording is " +
                            std::to_string(length) + (length == 1 ? " byte" : " bytes") +
                            " long, shorter than the " +
                            std::to_string(HeadLength(m_parameters) + kExtraHeadBytes) +
                            " bytes skipped at its start");
    }
}

void TrackSplitter::CopyTracks(OutputFolder& output, File& source) {
    File* track = &output.Create(Paths::TrackName(m_trackNumber));
    SkipSourceHead(source);
    m_window.SetCaption(Button::MakeMovie, "Making CH-1");

    std::vector<char> buffer(kCopyChunkBytes);
    std::int64_t trackBytes = 0;
    while (true) {
        auto want =
            static_cast<std::size_t>(std::min(kCopyChunkBytes, kTrackDataBytes - trackBytes));
        std::size_t got = source.Read(buffer.data(), want);
        track->Write(buffer.data(), got);
        ReportBlocks(trackBytes, trackBytes + static_cast<std::int64_t>(got));
        trackBytes += static_cast<std::int64_t>(got);
        if (got == want && trackBytes < kTrackDataBytes) {
            continue;
        }
        // Flushed with the whole set at the end: waiting here would stall the copy.
        track->WriteZeros(kTrackTailBytes);
        track->StartWriteBack();
        if (got < want) {
            return;
        }
        m_trackNumber = CheckedAdd16(m_trackNumber, 1, "track number");
        std::int16_t shown = CheckedAdd16(m_trackNumber, 1, "track number shown");
        m_window.SetCaption(Button::MakeMovie, "Making CH-" + std::to_string(shown));
        // The next file is started even when the recording ends here.
        track = &output.Create(Paths::TrackName(m_trackNumber));
        trackBytes = 0;
    }
}

void TrackSplitter::ReportBlocks(std::int64_t trackBytesBefore, std::int64_t trackBytesAfter) {
    for (std::int64_t done = trackBytesBefore / kBlockBytes; done < trackBytesAfter / kBlockBytes;
         ++done) {
        m_window.SetCaption(Button::Check,
                            std::string(" ").append(std::to_string(kBlocksPerTrack - done)));
    }
}

}  // namespace zv
