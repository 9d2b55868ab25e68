#pragma once

// The offset boxes' key filter, one character code at a time: for the logic and for both windows.
namespace zv::test {

struct KeyCode {
    int code;
    bool passes;
    // The box's text after the code is typed at the end of "4".
    const char* after;
};

inline constexpr KeyCode kKeyCodes[] = {
    {'0', true, "40"},    {'9', true, "49"}, {8, true, ""},  // backspace
    {'a', false, "4"},    {'Z', false, "4"}, {' ', false, "4"}, {'-', false, "4"},
    {'+', false, "4"},    {'.', false, "4"}, {',', false, "4"}, {13, false, "4"},  // Enter
    {3, false, "4"},                                                               // Ctrl+C
    {24, false, "4"},                                                              // Ctrl+X
    {22, false, "4"},                                                              // Ctrl+V
    {0x0661, false, "4"},  // Arabic-Indic digit one
    {0xFF11, false, "4"},  // full-width digit one
};

}  // namespace zv::test
