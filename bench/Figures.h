#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zv::bench {

double Median(std::vector<double> values);
double Maximum(const std::vector<double>& values);

// Bytes that neither compress nor repeat, so that no layer below can shortcut the copy. Flushed,
// so that its write-back does not fall into a measurement.
void MakePatternFile(const std::string& path, std::int64_t bytes);

// The rounds the first argument asks for, else `fallback`; 0 after printing the usage line (with
// `arguments`) when it asks for none or for no number.
int RoundsFrom(int argc, char** argv, int fallback, const char* arguments = "[rounds]");

// The summary lines: "name: value", one figure a line.
void PrintFigure(const std::string& name, double value, int decimals);

}  // namespace zv::bench
