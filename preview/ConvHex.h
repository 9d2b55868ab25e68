#pragma once

#include <cstdint>
#include <string_view>

namespace zv {

// The value of one upper-case hexadecimal digit "0" to "F"; any other text gives 0.
std::int16_t ConvHex(std::string_view HexS);

}  // namespace zv
