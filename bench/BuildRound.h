#pragma once

#include <cstdint>
#include <string>

#include "common/Window.h"

namespace zv::bench {

// The shared virtual disk is noisy: enough rounds that the median holds still.
inline constexpr int kBuildRounds = 9;
// About 28 full tracks: near a full disc, still under its 315,000,000-byte limit.
inline constexpr long long kRecordingBytes = 300'000'000;
inline constexpr char kRecordingName[] = "recording.raw";

// One "Make Movie" click on `window`, whose program folder holds the recording `sourceName`.
void MakeMovie(Window& window, const std::string& sourceName);

// What a finished build left in <programFolder>/Files. A build that failed, whose null window
// swallowed the stop box, has no cue sheet: that throws.
struct BuiltSet {
    int files = 0;  // 0.bin up to and including the filler
    std::string fillerPath;
    std::int64_t fillerAllocatedKib = 0;
};
BuiltSet InspectBuild(const std::string& programFolder);

// Removes Files/ and all in it, so that the next round starts as the first did.
void RemoveBuild(const std::string& programFolder);

}  // namespace zv::bench
