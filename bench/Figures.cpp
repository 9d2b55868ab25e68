// What every benchmark shares, on both systems.
#include "bench/Figures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "common/File.h"

namespace zv::bench {

namespace {
constexpr std::size_t kPatternChunkBytes = 1 << 20;
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        throw std::invalid_argument("median of nothing");
    }
    auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 != 0) {
        return *middle;
    }
    return (*middle + *std::max_element(values.begin(), middle)) / 2;
}

double Maximum(const std::vector<double>& values) {
    if (values.empty()) {
        throw std::invalid_argument("maximum of nothing");
    }
    return *std::max_element(values.begin(), values.end());
}

void MakePatternFile(const std::string& path, std::int64_t bytes) {
    // UTF-8 inside, as the program's own files are.
    std::filesystem::path where(std::u8string(path.begin(), path.end()));
    std::u8string folder = where.parent_path().u8string();
    std::u8string name = where.filename().u8string();
    Folder parent = Folder::Open(std::string(folder.begin(), folder.end()));
    std::string fileName(name.begin(), name.end());
    if (parent.Find(fileName)) {
        parent.Remove(fileName);
    }
    File file = parent.CreateNew(fileName);
    std::vector<std::uint64_t> chunk(kPatternChunkBytes / sizeof(std::uint64_t));
    std::uint64_t state = 0x9E3779B97F4A7C15ULL;
    while (bytes > 0) {
        for (auto& word : chunk) {
            // xorshift64: cheap and far from compressible
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            word = state;
        }
        auto part = std::min<std::int64_t>(bytes, static_cast<std::int64_t>(kPatternChunkBytes));
        file.Write(chunk.data(), static_cast<std::size_t>(part));
        bytes -= part;
    }
    file.Sync();
    file.Close();
}

void PrintFigure(const std::string& name, double value, int decimals) {
    std::printf("%s: %.*f\n", name.c_str(), decimals, value);
    std::fflush(stdout);
}

int RoundsFrom(int argc, char** argv, int fallback, const char* arguments) {
    int rounds = argc > 1 ? std::atoi(argv[1]) : fallback;
    if (rounds < 1) {
        std::fprintf(stderr, "usage: %s %s\n", argv[0], arguments);
        return 0;
    }
    return rounds;
}

}  // namespace zv::bench
