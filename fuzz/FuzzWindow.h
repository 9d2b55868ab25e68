#pragma once

#include <string>

#include "tests/support/NullWindow.h"

namespace zv::fuzz {

// A window that checks what it is asked: a pixel outside the drawn block, or a colour that is no
// gray level, aborts, so that the fuzzer reports it. Message boxes and the end are counted.
class FuzzWindow : public test::NullWindow {
public:
    using NullWindow::NullWindow;

    void SetScreenPixel(int x, int y, Rgb colour) override;
    void ShowMessage(const std::string&, const std::string&, MessageStyle) override { ++messages; }
    void EndProgram(int) override { ended = true; }

    int messages = 0;
    bool ended = false;
};

// The program folder of the whole fuzzing run.
const std::string& ScratchProgramFolder();

}  // namespace zv::fuzz
