#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zv::bench {

struct ChildRun {
    double seconds = 0;
    // ru_maxrss of the child: its largest resident set, from its start to its end.
    double peakMib = 0;
    double cpuSeconds = 0;  // user and system
};

double Median(std::vector<double> values);
double Maximum(const std::vector<double>& values);

// Both time the child from fork to reap, so that a function and a program compare fairly. A child
// that fails throws.
ChildRun TimeChild(const std::function<void()>& work);
ChildRun TimeProgram(const std::vector<std::string>& arguments);

// Bytes that neither compress nor repeat, so that no layer below can shortcut the copy. Flushed,
// so that its write-back does not fall into a measurement.
void MakePatternFile(const std::string& path, std::int64_t bytes);
// Writes everything still cached, so that one round's write-back is not billed to the next.
void FlushDisks();

// The summary lines: "name: value", one figure a line.
void PrintFigure(const std::string& name, double value, int decimals);

}  // namespace zv::bench
