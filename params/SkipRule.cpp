#include "params/SkipRule.h"

#include <algorithm>
#include <array>

#include "common/Checked.h"
#include "common/File.h"

namespace zv {

std::int64_t HeadLength(const Parameters& parameters) {
    std::int16_t lineBytes = CheckedMultiply16(parameters.UpLines, kLineBytes, "Up lines * 80");
    return std::max<std::int64_t>(lineBytes, 0) + std::max<std::int64_t>(parameters.SkewBytes, 0);
}

bool SkipHead(File& source, const Parameters& parameters) {
    std::int64_t left = HeadLength(parameters);
    std::array<char, 16 * 1024> discard;
    while (left > 0) {
        std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(left, discard.size()));
        std::size_t got = source.Read(discard.data(), want);
        if (got < want) {
            return false;
        }
        left -= static_cast<std::int64_t>(got);
    }
    return true;
}

}  // namespace zv
