// What File does alike on every system, through the system's own calls.
#include "common/File.h"

#include <algorithm>

namespace zv {

constexpr std::size_t kZeroChunkBytes = 1 << 16;
constexpr char kZeroChunk[kZeroChunkBytes] = {};

void File::WriteZeros(std::size_t count) {
    while (count > 0) {
        std::size_t chunk = std::min(count, kZeroChunkBytes);
        Write(kZeroChunk, chunk);
        count -= chunk;
    }
}

}  // namespace zv
