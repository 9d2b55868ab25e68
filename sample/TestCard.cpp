#include "sample/TestCard.h"

#include <fstream>
#include <stdexcept>

namespace zv::sample {

namespace {

constexpr int kBarWidth = kCardWidth / kLevels;
// A group: two bytes of silence, then two pixel bytes of two pixels each.
constexpr int kGroupBytes = 4;
constexpr int kSilentBytes = 2;
constexpr int kPixelsPerGroup = 4;
constexpr int kPixelsPerByte = 2;
constexpr int kLineBytes = kCardWidth / kPixelsPerGroup * kGroupBytes;
constexpr int kFrameBytes = kCardLines * kLineBytes;
// The preview shows lines 0 to 80; the square stays where it can be seen.
constexpr int kShownLines = 81;
constexpr int kSquareSide = 12;
// Bars run dark to light in the top half and light to dark below, so a line that starts at the
// wrong byte shows as a break in both.
constexpr int kBarsFlipLine = kCardLines / 2;
constexpr int kBlack = 0;
constexpr int kWhite = kLevels - 1;

int BarLevel(int x, int y) {
    int bar = x / kBarWidth;
    return y < kBarsFlipLine ? bar : kWhite - bar;
}

// The square's top-left corner walks right and down, bouncing off the edges of the drawn part.
int Bounce(int step, int room) {
    int period = 2 * room;
    int at = step % period;
    return at < room ? at : period - at;
}

}  // namespace

int TestCardPixel(int frame, int x, int y) {
    int left = Bounce(frame * 3, kCardWidth - kSquareSide);
    int top = Bounce(frame * 2, kShownLines - kSquareSide);
    bool inSquare = x >= left && x < left + kSquareSide && y >= top && y < top + kSquareSide;
    if (!inSquare) {
        return BarLevel(x, y);
    }
    bool edge = x == left || x == left + kSquareSide - 1 || y == top || y == top + kSquareSide - 1;
    return edge ? kBlack : kWhite;
}

std::vector<unsigned char> TestCardFrame(int frame) {
    std::vector<unsigned char> bytes;
    bytes.reserve(kFrameBytes);
    for (int y = 0; y < kCardLines; ++y) {
        for (int x = 0; x < kCardWidth; x += kPixelsPerGroup) {
            bytes.insert(bytes.end(), kSilentBytes, 0);
            for (int pixel = x; pixel < x + kPixelsPerGroup; pixel += kPixelsPerByte) {
                int left = TestCardPixel(frame, pixel, y);
                int right = TestCardPixel(frame, pixel + 1, y);
                bytes.push_back(static_cast<unsigned char>(left << 4 | right));
            }
        }
    }
    return bytes;
}

std::int64_t SampleBytes() {
    return kHeadBytes + std::int64_t{kCardFrames} * kFrameBytes + kTailBytes;
}

void WriteSample(const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::vector<char> head(kHeadBytes, 0);
    out.write(head.data(), static_cast<std::streamsize>(head.size()));
    for (int frame = 0; frame < kCardFrames; ++frame) {
        std::vector<unsigned char> bytes = TestCardFrame(frame);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    const char tail[kTailBytes] = {};
    out.write(tail, sizeof tail);
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace zv::sample
