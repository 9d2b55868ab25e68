#include "fuzz/FuzzWindow.h"

#include <cstdlib>

#include "tests/support/TempFolder.h"

namespace zv::fuzz {

void FuzzWindow::SetScreenPixel(int x, int y, Rgb colour) {
    bool inside = x >= 0 && x < 80 && y >= 0 && y < 81;
    bool gray = colour.red == colour.green && colour.green == colour.blue && colour.red % 17 == 0;
    if (!inside || !gray) {
        std::abort();
    }
}

const std::string& ScratchProgramFolder() {
    static const test::TempFolder folder;
    return folder.Path();
}

}  // namespace zv::fuzz
