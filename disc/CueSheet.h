#pragma once

#include <cstdint>
#include <string>

#include "common/Window.h"
#include "disc/OutputFolder.h"

namespace zv {

// The cue sheet listing files 0.bin to lastNumber.bin as audio tracks, lines ending in CR LF.
std::string CueSheetText(int lastNumber);

// The second half of a build: counts and measures 0.bin, 1.bin ... up to the first missing one,
// writes the cue sheet and the filler track that tops the set up to the disc's size, and once the
// whole set is published tells the user and sets both buttons to "Finished!".
void MakeCueSheet(Window& window, OutputFolder& output);

}  // namespace zv
