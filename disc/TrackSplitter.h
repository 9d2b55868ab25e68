#pragma once

#include <cstdint>

#include "common/Window.h"
#include "disc/OutputFolder.h"
#include "params/Parameters.h"

namespace zv {

class File;

// The first half of a build: the lead-in 0.bin, then the recording less its head cut into track
// files 1.bin, 2.bin ... of up to 900 blocks, each ending in zero bytes.
class TrackSplitter {
public:
    TrackSplitter(Window& window, const Parameters& parameters, OutputFolder& output);

    // False when the recording is missing (the user has been told); true when every track file
    // is written and closed, its write-back started.
    bool Run();

private:
    int FillerNumber(std::int64_t sourceLength) const;
    void WriteLeadIn();
    void SkipSourceHead(File& source);
    void CopyTracks(File& source);
    void ReportBlocks(std::int64_t trackBytesBefore, std::int64_t trackBytesAfter);
    void FinishTrack(File& track, std::int64_t dataBytes);
    void RemoveStaleTracks(int firstNumber);

    Window& m_window;
    const Parameters& m_parameters;
    OutputFolder& m_output;
    const Paths& m_paths;
    std::int16_t m_trackNumber = 1;
};

}  // namespace zv
