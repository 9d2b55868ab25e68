#include "disc/GetFileSize.h"

#include <limits>

#include "common/StandardError.h"

namespace zv {

constexpr std::int64_t kKilobyte = 1024;
constexpr std::int64_t kPlaces = 10'000;  // four decimal places

std::string GetFileSize(const std::string& path, std::int64_t length) {
    if (length > std::numeric_limits<std::int32_t>::max()) {
        throw StandardError("Cannot measure " + path + ": its " + std::to_string(length) +
                            " bytes are more than 2147483647, the largest size a track may have");
    }
    if (length < kKilobyte) {
        return std::to_string(length);
    }
    // Ten-thousandths of kilobytes, rounded to the nearest, ties to even: exact in integers.
    std::int64_t value = length * kPlaces / kKilobyte;
    std::int64_t twiceRest = 2 * (length * kPlaces % kKilobyte);
    if (twiceRest > kKilobyte || (twiceRest == kKilobyte && value % 2 != 0)) {
        ++value;
    }
    std::string text = std::to_string(value / kPlaces);
    std::int64_t fraction = value % kPlaces;
    if (fraction == 0) {
        return text;
    }
    std::string digits = std::to_string(kPlaces + fraction).substr(1);
    digits.erase(digits.find_last_not_of('0') + 1);
    return text + "." + digits;
}

}  // namespace zv
