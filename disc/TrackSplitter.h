#pragma once

#include <cstdint>
#include <optional>

#include "common/Window.h"
#include "disc/OutputFolder.h"
#include "params/Parameters.h"

namespace zv {

// The first half of a build: the lead-in 0.bin, then the recording less its head cut into track
// files 1.bin, 2.bin ... of up to 900 blocks, each ending in zero bytes.
class TrackSplitter {
public:
    TrackSplitter(Window& window, const Parameters& parameters, const Paths& paths);

    // Empty when the recording is missing (the user has been told); else Files/, holding every
    // track file written, its write-back started.
    std::optional<OutputFolder> Run();

private:
    void SkipSourceHead(File& source);
    void CopyTracks(OutputFolder& output, File& source);
    void ReportBlocks(std::int64_t trackBytesBefore, std::int64_t trackBytesAfter);

    Window& m_window;
    const Parameters& m_parameters;
    const Paths& m_paths;
    std::int16_t m_trackNumber = 1;
};

}  // namespace zv
