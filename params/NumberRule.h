#pragma once

#include <cstdint>
#include <string>

namespace zv {

// The value of an offset box's text: empty is 0; otherwise a decimal number (digits, optional
// sign, point and exponent, "." as the point whatever the locale), rounded down. Any other text,
// a negative result or one beyond 32,767 throws StandardError naming `boxName` and the text.
// Blanks and tabs around the number are ignored.
std::int16_t NumberFromText(const std::string& text, const std::string& boxName);

// The key filter of the offset boxes: digits and backspace pass, every other code becomes 0.
int FilterKey(int code);

}  // namespace zv
