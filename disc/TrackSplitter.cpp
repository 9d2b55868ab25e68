#include "disc/TrackSplitter.h"

#include <algorithm>
#include <vector>

#include "common/Checked.h"
#include "common/File.h"
#include "common/StandardError.h"
#include "params/FileProbe.h"
#include "params/SkipRule.h"

namespace zv {

namespace {

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

}  // namespace

TrackSplitter::TrackSplitter(Window& window, const Parameters& parameters, OutputFolder& output)
    : m_window(window), m_parameters(parameters), m_output(output), m_paths(output.Names()) {}

bool TrackSplitter::Run() {
    m_trackNumber = 1;
    std::string sourcePath = m_paths.SourcePath(m_parameters.SourceName);
    if (!FileExists(sourcePath)) {
        m_window.ShowMessage(sourcePath + " NOT FOUND!", "File not found!", MessageStyle::Stop);
        return false;
    }
    m_output.MakeIfMissing();
    m_window.SetCaption(Button::MakeMovie, "Hold on...");
    m_output.Claim();
    File source = File::OpenForReading(sourcePath);
    m_output.GuardRecording(source, FillerNumber(source.Size()));
    m_output.RemoveCueSheet();
    WriteLeadIn();

    CopyTracks(source);
    source.Close();
    // Numbered files of an earlier, longer build would otherwise join this disc.
    RemoveStaleTracks(m_trackNumber + 1);
    return true;
}

int TrackSplitter::FillerNumber(std::int64_t sourceLength) const {
    std::int64_t head = 0;
    try {
        head = HeadLength(m_parameters) + kExtraHeadBytes;
    } catch (const StandardError&) {
        // Reported where the build reaches the head, after the lead-in, as always; until then
        // a head of nothing gives the most files to guard.
    }
    std::int64_t data = std::max<std::int64_t>(sourceLength - head, 0);
    // A file is started after every full one, also when the recording ends there.
    std::int64_t trackFiles = data / kTrackDataBytes + 1;
    return static_cast<int>(std::min<std::int64_t>(trackFiles + 1, kMaxFileNumber));
}

void TrackSplitter::WriteLeadIn() {
    File leadIn = m_output.Create(Paths::TrackName(0));
    leadIn.WriteZeros(kLeadInBytes);
    m_output.Close(leadIn, kLeadInBytes);
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

void TrackSplitter::CopyTracks(File& source) {
    File track = m_output.Create(Paths::TrackName(m_trackNumber));
    SkipSourceHead(source);
    m_window.SetCaption(Button::MakeMovie, "Making CH-1");

    std::vector<char> buffer(kCopyChunkBytes);
    std::int64_t trackBytes = 0;
    while (true) {
        auto want =
            static_cast<std::size_t>(std::min(kCopyChunkBytes, kTrackDataBytes - trackBytes));
        std::size_t got = source.Read(buffer.data(), want);
        track.Write(buffer.data(), got);
        ReportBlocks(trackBytes, trackBytes + static_cast<std::int64_t>(got));
        trackBytes += static_cast<std::int64_t>(got);
        if (trackBytes == kTrackDataBytes) {
            FinishTrack(track, trackBytes);
            m_trackNumber = CheckedAdd16(m_trackNumber, 1, "track number");
            std::int16_t shown = CheckedAdd16(m_trackNumber, 1, "track number shown");
            m_window.SetCaption(Button::MakeMovie, "Making CH-" + std::to_string(shown));
            // The next file is started even when the recording ends here.
            track = m_output.Create(Paths::TrackName(m_trackNumber));
            trackBytes = 0;
        } else if (got < want) {
            break;
        }
    }
    FinishTrack(track, trackBytes);
}

void TrackSplitter::ReportBlocks(std::int64_t trackBytesBefore, std::int64_t trackBytesAfter) {
    for (std::int64_t done = trackBytesBefore / kBlockBytes; done < trackBytesAfter / kBlockBytes;
         ++done) {
        m_window.SetCaption(Button::Check,
                            std::string(" ").append(std::to_string(kBlocksPerTrack - done)));
    }
}

void TrackSplitter::FinishTrack(File& track, std::int64_t dataBytes) {
    track.WriteZeros(kTrackTailBytes);
    m_output.Close(track, dataBytes + static_cast<std::int64_t>(kTrackTailBytes));
}

void TrackSplitter::RemoveStaleTracks(int firstNumber) {
    for (int number = firstNumber;; ++number) {
        std::string name = Paths::TrackName(number);
        // Whether or not it can be read: a pipe or a file locked away is a leftover too.
        if (!m_output.HoldsLeftover(name)) {
            return;
        }
        m_output.Remove(name);
    }
}

}  // namespace zv
