#pragma once

#include <cstdint>
#include <string>

namespace zv {

inline constexpr std::int16_t kDefaultSkewBytes = 46;
inline constexpr std::int16_t kDefaultUpLines = 13;
// The recording: frames of 147 lines of 80 bytes.
inline constexpr std::int16_t kLineBytes = 80;
inline constexpr int kFrameLines = 147;
inline constexpr int kFrameBytes = kFrameLines * kLineBytes;

// What the user sets before a preview or a build.
struct Parameters {
    std::int16_t SkewBytes = kDefaultSkewBytes;
    std::int16_t UpLines = kDefaultUpLines;
    std::string SourceName;
};

}  // namespace zv
