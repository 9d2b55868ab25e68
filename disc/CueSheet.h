#pragma once

#include "common/Window.h"
#include "disc/OutputFolder.h"

namespace zv {

// The second half of a build: counts and measures 0.bin, 1.bin ... up to the first missing one,
// writes the cue sheet and the filler track that tops the set up to the disc's size, and once the
// whole set is published tells the user and sets both buttons to "Finished!".
void MakeCueSheet(Window& window, OutputFolder& output);

}  // namespace zv
