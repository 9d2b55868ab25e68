#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zv::sample {

// The sample recording: a head that the default offsets pass over, then frames of a test card.
inline constexpr int kCardWidth = 80;
inline constexpr int kCardLines = 147;
inline constexpr int kCardFrames = 1'200;
inline constexpr int kLevels = 16;
// 13 lines and 46 bytes: what the window's default Up and Skew pass over.
inline constexpr std::int64_t kHeadBytes = 13 * 80 + 46;
// The build passes over two bytes more than the preview; the same two bytes of silence at the end
// make its last block whole.
inline constexpr std::int64_t kTailBytes = 2;

// The 4-bit gray value (0 black to 15 white) of pixel (x, y) of frame `frame`: bars of all
// sixteen levels and a square that moves from frame to frame.
int TestCardPixel(int frame, int x, int y);

// One frame in the recording's layout: per group two bytes of silence, then two pixel bytes of
// two pixels each, the left pixel in the high half.
std::vector<unsigned char> TestCardFrame(int frame);

// Head, kCardFrames frames and tail, as written to the file.
std::int64_t SampleBytes();

// Writes the whole sample recording; throws std::runtime_error when the file cannot be written.
void WriteSample(const std::string& path);

}  // namespace zv::sample
