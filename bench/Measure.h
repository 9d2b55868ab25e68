#pragma once

#include <functional>
#include <string>
#include <vector>

#include "bench/Figures.h"

namespace zv::bench {

struct ChildRun {
    double seconds = 0;
    // ru_maxrss of the child: its largest resident set, from its start to its end.
    double peakMib = 0;
    double cpuSeconds = 0;  // user and system
};

// Both time the child from fork to reap, so that a function and a program compare fairly. A child
// that fails throws.
ChildRun TimeChild(const std::function<void()>& work);
ChildRun TimeProgram(const std::vector<std::string>& arguments);

// Writes everything still cached, so that one round's write-back is not billed to the next.
void FlushDisks();

}  // namespace zv::bench
