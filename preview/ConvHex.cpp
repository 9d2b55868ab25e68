#include "preview/ConvHex.h"

namespace zv {

std::int16_t ConvHex(std::string_view HexS) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    if (HexS.size() != 1) {
        return 0;
    }
    std::size_t value = kDigits.find(HexS[0]);
    return value == std::string_view::npos ? 0 : static_cast<std::int16_t>(value);
}

}  // namespace zv
