// What File does alike on every system, through the system's own calls.
#include "common/File.h"

#include <algorithm>
#include <utility>

namespace zv {

namespace {

constexpr std::size_t kZeroChunkBytes = 1 << 16;
constexpr char kZeroChunk[kZeroChunkBytes] = {};

}  // namespace

File::File(NativeHandle handle, std::string path) : m_handle(handle), m_path(std::move(path)) {}

void File::WriteZeros(std::size_t count) {
    while (count > 0) {
        std::size_t chunk = std::min(count, kZeroChunkBytes);
        Write(kZeroChunk, chunk);
        count -= chunk;
    }
}

}  // namespace zv
