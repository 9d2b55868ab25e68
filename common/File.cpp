// What File and Folder do alike on every system, through the system's own calls.
#include "common/File.h"

#include <algorithm>

#include "common/System.h"

namespace zv {

namespace {

constexpr std::size_t kZeroChunkBytes = 1 << 16;
constexpr char kZeroChunk[kZeroChunkBytes] = {};

}  // namespace

void File::WriteZeros(std::size_t count) {
    while (count > 0) {
        std::size_t chunk = std::min(count, kZeroChunkBytes);
        Write(kZeroChunk, chunk);
        count -= chunk;
    }
}

std::string Folder::PathOf(const std::string& name) const {
    return m_path + kPathSeparator + name;
}

}  // namespace zv
